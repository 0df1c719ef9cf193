#include "learning/tools/widgets/zl_schiebansicht.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_avi.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "platform/MessageService.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace zl
{

TSchiebImg::TSchiebImg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SchiebImg"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSchiebImg::Neuzeichnen(const QRect& Bereich)
{
    if (Bereich.isEmpty())
        repaint();
    else
        repaint(Bereich);
}

void TSchiebImg::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect r = event->rect();
    const QImage* brett = Puzzle ? &Puzzle->Brettbild() : nullptr;
    if (brett && !brett->isNull())
        p.drawImage(r.topLeft(), *brett, r);
    // Beyond the board (only while the frame is being laid out) the frame's colour shows.
    const QRegion rest = QRegion(r) - QRegion(brett ? QRect(QPoint(0, 0), brett->size()) : QRect());
    for (const QRect& f : rest)
        p.fillRect(f, ColorToQColor(Flaechenfarbe));
}

void TSchiebImg::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void TSchiebImg::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

namespace
{

QLabel* statusLabel(QWidget* parent, const char* name, const QString& text, bool Wert)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(Wert ? 20 : 12);
    f.setBold(Wert);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

} // namespace

TPuzzleAnsicht::TPuzzleAnsicht(TAnsichtHost& Host, TSchiebepuzzle& Puzzle, const TPuzzleFlaechen& Flaechen)
    : QObject(Host.Hauptfenster()), H(Host), P_(Puzzle), Fl(Flaechen)
{
    setObjectName(QStringLiteral("PuzzleAnsicht"));
    MainBackImgSchieb = new TImage(Fl.SchiebBasisPan);
    MainBackImgSchieb->setObjectName(QStringLiteral("MainBackImgSchieb"));
    SchiebPan = new QWidget(Fl.SchiebBasisPan);
    SchiebPan->setObjectName(QStringLiteral("SchiebPan"));
    SchiebPan2 = new QWidget(SchiebPan);
    SchiebPan2->setObjectName(QStringLiteral("SchiebPan2"));
    SchiebImg = new TSchiebImg(SchiebPan2);
    SchiebImg->OnMouseDown = [this](int X, int Y) { SchiebImgMouseDown(X, Y); };
    SchiebImg->OnMouseMove = [this](int X, int Y) { SchiebImgMouseMove(X, Y); };

    PuzzleZugTitel = statusLabel(Fl.PuzzStatusPan, "PuzzleZugTitel", QStringLiteral("Züge"), false);
    PuzzleZugLab = statusLabel(Fl.PuzzStatusPan, "PuzzleZugLab", QStringLiteral("0"), true);
    PuzzleZeitTitel = statusLabel(Fl.PuzzStatusPan, "PuzzleZeitTitel", QStringLiteral("Zeit"), false);
    PuzzleZeitLab = statusLabel(Fl.PuzzStatusPan, "PuzzleZeitLab", QStringLiteral("00:00"), true);
    PuzzHilfImg = new TImage(Fl.PuzzStatusPan);
    PuzzHilfImg->setObjectName(QStringLiteral("PuzzHilfImg"));
}

void TPuzzleAnsicht::OrdneBasis()
{
    // The board area reaches from under the view buttons to the window's bottom.
    const QRect r = Fl.LernPan->rect();
    const int oben = Fl.SchiebBasisPan->y();
    Fl.SchiebBasisPan->setGeometry(0, oben, r.width(), std::max(0, r.height() - oben));
    const QWidget* platz = Fl.StatusPlatz;
    Fl.PuzzStatusPan->setGeometry(platz->x(), platz->y(), kStatusBreite, platz->height());
    Fl.PuzzStatusPan->raise();
    OrdneStatus();
}

void TPuzzleAnsicht::OrdneStatus()
{
    TImage* hinten = Fl.StatusHintergrund;
    hinten->setGeometry(Fl.PuzzStatusPan->rect());
    hinten->SetPicture(Fl.StatusBild->Picture.scaled(hinten->size().expandedTo(QSize(1, 1))));
    hinten->lower();
    const int h = Fl.PuzzStatusPan->height();
    const int vorschauH = std::max(0, h - 6);
    PuzzleZugTitel->setGeometry(12, 2, 60, 16);
    PuzzleZugLab->setGeometry(12, 18, 80, h - 20);
    PuzzleZeitTitel->setGeometry(100, 2, 60, 16);
    PuzzleZeitLab->setGeometry(100, 18, 100, h - 20);
    const int vorschauB = vorschauH * 4 / 3;
    PuzzHilfImg->setGeometry(std::max(210, Fl.PuzzStatusPan->width() - vorschauB - 8), 3, vorschauB, vorschauH);
}

void TPuzzleAnsicht::OrdneBildbox()
{
    SchiebPan->setGeometry(QRect(QPoint(0, 0), Fl.SchiebBasisPan->size()));
    SchiebPan2->setGeometry(SchiebPan->rect());
    SchiebImg->setGeometry(0, 0, std::max(0, SchiebPan->width() - 50), std::max(0, SchiebPan->height() - 30));
}

void TPuzzleAnsicht::RahmeBrett()
{
    const QSize b = P_.Brettbild().size();
    const int w = std::max(0, b.width()), h = std::max(0, b.height());
    const QSize basis = Fl.SchiebBasisPan->size();
    SchiebPan->setGeometry((basis.width() - w) / 2 - kRand, (basis.height() - h) / 2 - kRand, w + 2 * kRand,
                           h + 2 * kRand);
    SchiebPan->show();
    SchiebPan2->setGeometry(kRand, kRand, w, h);
    SchiebImg->setGeometry(SchiebPan2->rect());
    ZeichneHintergrund(MainBackImgSchieb);
    MainBackImgSchieb->lower();
}

void TPuzzleAnsicht::LadeVorschau()
{
    QImage bild;
    try {
        if (LadeJpegBild(bild, PuzzHilfImg->width(), PuzzHilfImg->height(), true,
                         KleinbildPfad(H.Fensterzustand().AktKartID, KartTyp)))
            ZeichneBildrand(bild, 1);
    } catch (const EBildFehler&) {
        bild = QImage();
    }
    PuzzHilfImg->SetPicture(bild);
}

bool TPuzzleAnsicht::Schiebepuzzle1Click(bool Fragen)
{
    if (Fragen && !H.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return false;
    // The picture first: without one there is no puzzle, and the view stays as it was.
    const QString pfad = KartenbildPfad(H.Fensterzustand().AktKartID, KartTyp, QStringLiteral("5"));
    try {
        if (pfad != KartenCachePfad || !KartenCache)
            LadeKartenCache(pfad);
    } catch (const EBildFehler& e) {
        ZeigeFehler(e.message());
        return false;
    }
    if (!KartenCache || KartenCache->Width() <= 0 || KartenCache->Height() <= 0) {
        ZeigeInfo(QStringLiteral("Zu dieser Karte gibt es kein Kartenbild: ") + pfad);
        return false;
    }
    if (SuchErgForm && SuchErgForm->isVisible())
        SuchErgForm->close();
    if (DatenTabForm && DatenTabForm->isVisible())
        DatenTabForm->close();
    H.Fensterzustand().Ansichtsmodus = Schiebepuzzle;
    H.Fensterzustand().NetzTeilnehmer = false;

    SchiebImg->hide();
    Fl.SchiebBasisPan->hide();
    SchiebPan->hide();
    FaerbeFlaeche(SchiebPan, Flaechenfarbe);
    FaerbeFlaeche(SchiebPan2, Flaechenfarbe);
    FaerbeFlaeche(Fl.SchiebBasisPan, Rahmenfarbe);
    OrdneBasis();
    LadeVorschau();
    H.ZeigeModus();
    H.SetzeTitel(TitelPuzzle(KartenName(H.Fensterzustand().AktKartID)));
    OrdneBildbox();

    TSchiebepuzzle& P = P_;
    P.Zielbild = SchiebImg;
    SchiebImg->Puzzle = &P;
    P.Leerfarbe = Flaechenfarbe;
    const int n = H.Gewaehlt(TOptionsPunkt::Puzzle5x5) ? 5 : H.Gewaehlt(TOptionsPunkt::Puzzle4x4) ? 4 : 3;
    P.NeuesSpiel(KartenCache->ImageViewRGB32(), n, n);
    RahmeBrett();
    SchiebImg->show();
    P.Mischen();
    ZeigePuzzleZuege();
    Fl.ZeitTimer->start();
    return true;
}

void TPuzzleAnsicht::OrdnePuzzleFlaeche()
{
    OrdneBasis();
    OrdneBildbox();
    SchiebImg->repaint();
    P_.NeuAufbauen();
    RahmeBrett();
    Fl.Logo->setVisible(Fl.PuzzStatusPan->x() + Fl.PuzzStatusPan->width() <= Fl.Logo->x());
}

void TPuzzleAnsicht::SchiebImgMouseDown(int X, int Y)
{
    TSchiebepuzzle& P = P_;
    if (P.AnzahlFalscheTeile() == 0)
        return;
    const bool nurNachbarn = H.Gewaehlt(TOptionsPunkt::PuzzleMode0);
    if (P.KannZiehen(X, Y, nurNachbarn))
        SpieleHoverTon();
    const bool geloest = P.Klick(X, Y, nurNachbarn);
    ZeigePuzzleZuege();
    if (!geloest)
        return;
    Fl.ZeitTimer->stop();
    P.ZeigeGeloest();
    SchiebImg->unsetCursor();
    if (H.Gewaehlt(TOptionsPunkt::Animation_ein))
        SpieleRichtigVideo();
    else
        SpieleRichtigTon();
    if (H.Gewaehlt(TOptionsPunkt::Animation_Standbild))
        ZeigeRichtigStandbild();
    ZeigeInfo(PuzzleGeloestText(H.Gewaehlt(TOptionsPunkt::AnredeDu), PuzzleZugLab->text(), PuzzleZeitLab->text()));
}

void TPuzzleAnsicht::SchiebImgMouseMove(int X, int Y)
{
    if (P_.KannZiehen(X, Y, H.Gewaehlt(TOptionsPunkt::PuzzleMode0)))
        SchiebImg->setCursor(Qt::PointingHandCursor);
    else
        SchiebImg->unsetCursor();
}

void TPuzzleAnsicht::ZeigePuzzleZuege()
{
    PuzzleZugLab->setText(QString::number(P_.AnzahlZuege()));
    ZeigePuzzleZeit();
    Fl.PuzzStatusPan->repaint();
}

void TPuzzleAnsicht::ZeigePuzzleZeit()
{
    const QString t = P_.Spielzeit();
    if (t != PuzzleZeitLab->text()) {
        PuzzleZeitLab->setText(t);
        PuzzleZeitLab->repaint();
    }
}

void TPuzzleAnsicht::ZeigePuzzleNeustartHinweis()
{
    ZeigeInfo(PuzzleNeustartText());
}

} // namespace zl
