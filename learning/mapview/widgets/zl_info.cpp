#include "learning/mapview/widgets/zl_info.h"

#include "learning/mapview/zl_rahmen.h"
#include "learning/mapview/zl_zustand.h"
#include "platform/MessageService.h"

#include <QPainter>

namespace zl {
namespace {

QImage logo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(226, 236, 255));
    QPainter p(&img);
    p.setPen(QColor(83, 94, 123));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(h * 2 / 3);
    f.setBold(true);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("ZL"));
    return img;
}

} // namespace

TInfoBox::TInfoBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InfoBox"));
    setWindowTitle(QStringLiteral("Info"));
    resize(420, 330);
    FaerbeFlaeche(this, DialogFlaechenfarbe);
    MainBackImg = new TImage(this);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));

    TitPan = new QWidget(this);
    TitPan->setObjectName(QStringLiteral("TitPan"));
    TitelLabel = new QLabel(TitPan);
    TitelLabel->setObjectName(QStringLiteral("TitelLabel"));
    QFont tf(QStringLiteral("Arial"));
    tf.setPointSize(14);
    tf.setBold(true);
    TitelLabel->setFont(tf);
    VersLab = new QLabel(TitPan);
    VersLab->setObjectName(QStringLiteral("VersLab"));
    ZLTextImg1 = new TImage(TitPan);
    ZLTextImg1->setObjectName(QStringLiteral("ZLTextImg1"));
    ZLTextImg1->SetPicture(logo(48, 48));

    TextPan = new QWidget(this);
    TextPan->setObjectName(QStringLiteral("TextPan"));
    EiImg = new TImage(TextPan);
    EiImg->setObjectName(QStringLiteral("EiImg"));
    EiImg->SetPicture(logo(64, 64));
    Memo1 = new QPlainTextEdit(TextPan);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(InfoText());

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    FaerbeFlaeche(Panel1, Rahmenfarbe);
    OKBtn = NeuerKnopf(Panel1, "OKBtn", QStringLiteral("OK"));
    OKBtn->SetModalResult(mbOK);
    OKBtn->setDefault(true); // Enter closes the box
    QObject::connect(OKBtn, &QPushButton::clicked, this, [this] { done(mbOK); });
}

QString TInfoBox::InfoText()
{
    return QStringLiteral("Zelvaro - Terravio 4.0\n"
                          "Topographie lernen mit Landkarten, Lernlisten, Übungen und Schiebepuzzle.\n\n"
                          "© Selvik. Alle Rechte vorbehalten.\n\n"
                          "Kontakt und Hilfe: ") +
           kHomepage;
}

void TInfoBox::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    TitPan->setGeometry(10, 10, w - 20, 60);
    TitelLabel->setGeometry(10, 6, w - 100, 26);
    VersLab->setGeometry(10, 34, w - 100, 20);
    ZLTextImg1->setGeometry(w - 20 - 58, 6, 48, 48);
    TextPan->setGeometry(10, 80, w - 20, h - 80 - 60);
    EiImg->setGeometry(6, 6, 64, 64);
    Memo1->setGeometry(80, 6, TextPan->width() - 86, TextPan->height() - 12);
    Panel1->setGeometry(0, h - 50, w, 50);
    OKBtn->setGeometry((w - 90) / 2, 10, 90, 28);
    QDialog::resizeEvent(event);
}

void TInfoBox::showEvent(QShowEvent* event)
{
    TitelLabel->setText(kProgrammTitel);
    VersLab->setText(kVersionsText);
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    QDialog::showEvent(event);
}

} // namespace zl
