#include "learning/mapview/widgets/zl_gestaltung.h"

#include "controls/Buttons2.h"
#include "learning/mapview/zl_rahmen.h"
#include "platform/MessageService.h"
#include "platform/widgets/DocumentOpener.h"

#include <QPainter>
#include <QPixmap>

namespace zl {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& img)
{
    Picture = img;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (Picture.isNull())
        return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Picture);
}

void TImage::mousePressEvent(QMouseEvent*)
{
    if (OnClick)
        OnClick();
}

namespace {

void zeichne(TImage* bild, int muster)
{
    if (!bild)
        return;
    if (QWidget* eltern = bild->parentWidget())
        bild->setGeometry(eltern->rect());
    QImage img(bild->size(), QImage::Format_RGB32);
    if (!img.isNull())
        ZeichneRahmen(img, Muster(muster), kRahmenbreite);
    bild->SetPicture(img);
}

} // namespace

void ZeichneHintergrund(TImage* Bild) { zeichne(Bild, 1); }
void ZeichneDialogHintergrund(TImage* Bild) { zeichne(Bild, 2); }
void ZeichneSeitenHintergrund(TImage* Bild) { zeichne(Bild, 3); }

void FaerbeKnoepfe(QWidget* Form)
{
    if (!Form)
        return;
    const TColor farbe = TColor(205 | (208 << 8) | (226 << 16));
    for (TBitBtn2* b : Form->findChildren<TBitBtn2*>()) {
        b->SetColor(farbe);
        b->unsetCursor();
    }
}

QCursor DragBlackCursor()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPoint pfeil[] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {10, 18}, {7, 11}, {12, 11}};
    p.setPen(Qt::white);
    p.setBrush(Qt::black);
    p.drawPolygon(pfeil, 7);
    p.setBrush(Qt::white);
    p.setPen(Qt::black);
    p.drawRect(12, 18, 16, 10);
    p.end();
    return QCursor(QPixmap::fromImage(img), 0, 0);
}

QString DokumentFehlerText(const QString& Dokument)
{
    return Dokument + QStringLiteral(" kann nicht geöffnet werden. Sie benötigen einen Internet-Browser "
                                     "(z.B. Internet Explorer) um dieses Dokument anzusehen.");
}

bool OeffneDokument(const QString& Dokument)
{
    if (documentOpener().open(Dokument))
        return true;
    ZeigeBox(MsgKind::Fehler, DokumentFehlerText(Dokument), {mbOK});
    return false;
}

} // namespace zl

namespace zl {

void FaerbeFlaeche(QWidget* W, int Farbe)
{
    if (!W)
        return;
    QPalette pal = W->palette();
    pal.setColor(QPalette::Window, QColor(Farbe & 0xFF, (Farbe >> 8) & 0xFF, (Farbe >> 16) & 0xFF));
    W->setPalette(pal);
    W->setAutoFillBackground(true);
}

void BaueDialogRahmen(QWidget* Form, TImage*& MainBackImg, QWidget*& Panel1)
{
    FaerbeFlaeche(Form, Rahmenfarbe);
    MainBackImg = new TImage(Form);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));
    Panel1 = new QWidget(Form);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    FaerbeFlaeche(Panel1, DialogFlaechenfarbe);
}

TBitBtn2* NeuerKnopf(QWidget* Eltern, const char* Name, const QString& Text)
{
    auto* b = new TBitBtn2(Eltern);
    b->setObjectName(QString::fromLatin1(Name));
    b->SetCaption(Text);
    return b;
}

} // namespace zl
