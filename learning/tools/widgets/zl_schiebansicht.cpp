#include "learning/tools/widgets/zl_schiebansicht.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/zl_avi.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mainwindow/zl_lernkarte.h"
#include "learning/mainwindow/zl_main.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "platform/MessageService.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

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

TPuzzleAnsicht::TPuzzleAnsicht(TForm1& Form) : QObject(&Form), F(Form)
{
    setObjectName(QStringLiteral("PuzzleAnsicht"));
    MainBackImgSchieb = new TImage(F.SchiebBasisPan);
    MainBackImgSchieb->setObjectName(QStringLiteral("MainBackImgSchieb"));
    SchiebPan = new QWidget(F.SchiebBasisPan);
    SchiebPan->setObjectName(QStringLiteral("SchiebPan"));
    SchiebPan2 = new QWidget(SchiebPan);
    SchiebPan2->setObjectName(QStringLiteral("SchiebPan2"));
    SchiebImg = new TSchiebImg(SchiebPan2);
    SchiebImg->OnMouseDown = [this](int X, int Y) { SchiebImgMouseDown(X, Y); };
    SchiebImg->OnMouseMove = [this](int X, int Y) { SchiebImgMouseMove(X, Y); };

    PuzzleZugTitel = statusLabel(F.PuzzStatusPan, "PuzzleZugTitel", QStringLiteral("Züge"), false);
    PuzzleZugLab = statusLabel(F.PuzzStatusPan, "PuzzleZugLab", QStringLiteral("0"), true);
    PuzzleZeitTitel = statusLabel(F.PuzzStatusPan, "PuzzleZeitTitel", QStringLiteral("Zeit"), false);
    PuzzleZeitLab = statusLabel(F.PuzzStatusPan, "PuzzleZeitLab", QStringLiteral("00:00"), true);
    PuzzHilfImg = new TImage(F.PuzzStatusPan);
    PuzzHilfImg->setObjectName(QStringLiteral("PuzzHilfImg"));

    QObject::connect(F.Schiebepuzzle1, &QAction::triggered, this, [this] { Schiebepuzzle1Click(); });
    // A new display type shows in the next puzzle only.
    for (QAction* a : F.LernkarteAnsicht->KartTypPunkt)
        QObject::connect(a, &QAction::triggered, this, [this] {
            if (F.Zustand.Ansichtsmodus == Schiebepuzzle)
                ZeigePuzzleNeustartHinweis();
        });
}

void TPuzzleAnsicht::OrdneBasis()
{
    // The board area reaches from under the view buttons to the window's bottom.
    const QRect r = F.LernPan->rect();
    const int oben = F.SchiebBasisPan->y();
    F.SchiebBasisPan->setGeometry(0, oben, r.width(), std::max(0, r.height() - oben));
    F.PuzzStatusPan->setGeometry(F.SuchBtn2->x(), F.SuchBtn2->y(), kStatusBreite, F.SuchBtn2->height());
    F.PuzzStatusPan->raise();
    OrdneStatus();
}

void TPuzzleAnsicht::OrdneStatus()
{
    TImage* hinten = F.StatBackImg3;
    hinten->setGeometry(F.PuzzStatusPan->rect());
    hinten->SetPicture(F.StatBackImg1->Picture.scaled(hinten->size().expandedTo(QSize(1, 1))));
    hinten->lower();
    const int h = F.PuzzStatusPan->height();
    const int vorschauH = std::max(0, h - 6);
    PuzzleZugTitel->setGeometry(12, 2, 60, 16);
    PuzzleZugLab->setGeometry(12, 18, 80, h - 20);
    PuzzleZeitTitel->setGeometry(100, 2, 60, 16);
    PuzzleZeitLab->setGeometry(100, 18, 100, h - 20);
    const int vorschauB = vorschauH * 4 / 3;
    PuzzHilfImg->setGeometry(std::max(210, F.PuzzStatusPan->width() - vorschauB - 8), 3, vorschauB, vorschauH);
}

void TPuzzleAnsicht::OrdneBildbox()
{
    SchiebPan->setGeometry(QRect(QPoint(0, 0), F.SchiebBasisPan->size()));
    SchiebPan2->setGeometry(SchiebPan->rect());
    SchiebImg->setGeometry(0, 0, std::max(0, SchiebPan->width() - 50), std::max(0, SchiebPan->height() - 30));
}

void TPuzzleAnsicht::RahmeBrett()
{
    const QSize b = F.Puzzle->Brettbild().size();
    const int w = std::max(0, b.width()), h = std::max(0, b.height());
    const QSize basis = F.SchiebBasisPan->size();
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
                         KleinbildPfad(F.Zustand.AktKartID, KartTyp)))
            ZeichneBildrand(bild, 1);
    } catch (const EBildFehler&) {
        bild = QImage();
    }
    PuzzHilfImg->SetPicture(bild);
}

bool TPuzzleAnsicht::Schiebepuzzle1Click(bool Fragen)
{
    if (Fragen && !F.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return false;
    // The picture first: without one there is no puzzle, and the view stays as it was.
    const QString pfad = KartenbildPfad(F.Zustand.AktKartID, KartTyp, QStringLiteral("5"));
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
    F.Zustand.Ansichtsmodus = Schiebepuzzle;
    F.Zustand.NetzTeilnehmer = false;

    SchiebImg->hide();
    F.SchiebBasisPan->hide();
    SchiebPan->hide();
    FaerbeFlaeche(SchiebPan, Flaechenfarbe);
    FaerbeFlaeche(SchiebPan2, Flaechenfarbe);
    FaerbeFlaeche(F.SchiebBasisPan, Rahmenfarbe);
    OrdneBasis();
    LadeVorschau();
    F.ZeigeModus();
    F.SetzeTitel(TitelPuzzle(KartenName(F.Zustand.AktKartID)));
    OrdneBildbox();

    TSchiebepuzzle& P = *F.Puzzle;
    P.Zielbild = SchiebImg;
    SchiebImg->Puzzle = &P;
    P.Leerfarbe = Flaechenfarbe;
    const int n = F.Puzzle5x5->isChecked() ? 5 : F.Puzzle4x4->isChecked() ? 4 : 3;
    P.NeuesSpiel(KartenCache->ImageViewRGB32(), n, n);
    RahmeBrett();
    SchiebImg->show();
    P.Mischen();
    ZeigePuzzleZuege();
    F.ZeitTimer->start();
    return true;
}

void TPuzzleAnsicht::OrdnePuzzleFlaeche()
{
    if (!F.Puzzle)
        return;
    OrdneBasis();
    OrdneBildbox();
    SchiebImg->repaint();
    F.Puzzle->NeuAufbauen();
    RahmeBrett();
    F.ZLTextImg1->setVisible(F.PuzzStatusPan->x() + F.PuzzStatusPan->width() <= F.ZLTextImg1->x());
}

void TPuzzleAnsicht::SchiebImgMouseDown(int X, int Y)
{
    TSchiebepuzzle& P = *F.Puzzle;
    if (P.AnzahlFalscheTeile() == 0)
        return;
    const bool nurNachbarn = F.PuzzleMode0->isChecked();
    if (P.KannZiehen(X, Y, nurNachbarn))
        SpieleHoverTon();
    const bool geloest = P.Klick(X, Y, nurNachbarn);
    ZeigePuzzleZuege();
    if (!geloest)
        return;
    F.ZeitTimer->stop();
    P.ZeigeGeloest();
    SchiebImg->unsetCursor();
    if (F.Animation_ein->isChecked())
        SpieleRichtigVideo();
    else
        SpieleRichtigTon();
    if (F.Animation_Standbild->isChecked())
        ZeigeRichtigStandbild();
    ZeigeInfo(PuzzleGeloestText(F.AnredeDu->isChecked(), PuzzleZugLab->text(), PuzzleZeitLab->text()));
}

void TPuzzleAnsicht::SchiebImgMouseMove(int X, int Y)
{
    if (F.Puzzle->KannZiehen(X, Y, F.PuzzleMode0->isChecked()))
        SchiebImg->setCursor(Qt::PointingHandCursor);
    else
        SchiebImg->unsetCursor();
}

void TPuzzleAnsicht::ZeigePuzzleZuege()
{
    PuzzleZugLab->setText(QString::number(F.Puzzle->AnzahlZuege()));
    ZeigePuzzleZeit();
    F.PuzzStatusPan->repaint();
}

void TPuzzleAnsicht::ZeigePuzzleZeit()
{
    const QString t = F.Puzzle->Spielzeit();
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
