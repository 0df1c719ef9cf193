#include "learning/mapview/widgets/zl_titel.h"

#include "learning/mapview/zl_rahmen.h"
#include "learning/mapview/zl_zustand.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace zl {

TTitelForm::TTitelForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TitelForm"));
    setFixedSize(402, 302);
    FaerbeFlaeche(this, 0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, 402, 302);
    Image1 = new TImage(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 400, 300);
    Image1->SetPicture(Titelbild());
    Image1->OnClick = [this] { Schliessen(); };
    TitelTimer.setInterval(1750);
    QObject::connect(&TitelTimer, &QTimer::timeout, this, [this] { Schliessen(); });
    TitelTimer.start();
    qApp->installEventFilter(this);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TTitelForm::ZeigeSofort()
{
    show();
    repaint();
}

void TTitelForm::Schliessen()
{
    TitelTimer.stop();
    qApp->removeEventFilter(this);
    hide();
}

bool TTitelForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible()
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Schliessen();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TTitelForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Schliessen();
        return;
    }
    QWidget::keyPressEvent(event);
}

QImage TTitelForm::Titelbild()
{
    QImage img(400, 300, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 300);
    g.setColorAt(0, QColor(126, 153, 206));
    g.setColorAt(1, QColor(96, 112, 159));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(44);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 70, 400, 60), Qt::AlignCenter, QStringLiteral("Zelvaro"));
    f.setPixelSize(26);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 140, 400, 40), Qt::AlignCenter, QStringLiteral("Terravio 4.0"));
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRect(0, 250, 400, 30), Qt::AlignCenter, QStringLiteral("Topographie lernen"));
    return img;
}

QImage TTitelForm::Logo(int Breite, int Hoehe)
{
    QImage img(std::max(1, Breite), std::max(1, Hoehe), QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(126, 153, 206));
    g.setColorAt(1, QColor(96, 112, 159));
    p.fillRect(img.rect(), g);
    // A globe: disc, equator, two parallels and a meridian ellipse.
    const int d = std::max(4, h - 12);
    const QRectF Kugel(6, (h - d) / 2.0, d, d);
    p.setPen(QPen(QColor(255, 255, 255), 1.5));
    p.setBrush(QColor(150, 190, 235));
    p.drawEllipse(Kugel);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Kugel.adjusted(d * 0.3, 0, -d * 0.3, 0));
    p.drawLine(QPointF(Kugel.left(), Kugel.center().y()), QPointF(Kugel.right(), Kugel.center().y()));
    for (double f : {0.25, 0.75}) {
        const double y = Kugel.top() + f * d;
        const double halb = d / 2.0 * std::sqrt(1 - (2 * f - 1) * (2 * f - 1));
        p.drawLine(QPointF(Kugel.center().x() - halb, y), QPointF(Kugel.center().x() + halb, y));
    }
    const int x0 = int(Kugel.right()) + 6;
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(6, h * 2 / 5));
    p.setFont(f);
    p.drawText(QRect(x0, 0, w - x0 - 4, h * 11 / 20), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Zelvaro"));
    f.setBold(false);
    f.setPixelSize(std::max(6, h / 4));
    p.setFont(f);
    p.drawText(QRect(x0, h * 11 / 20, w - x0 - 4, h * 9 / 20), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Terravio 4.0"));
    return img;
}

} // namespace zl
