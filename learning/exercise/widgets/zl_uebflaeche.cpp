#include "learning/exercise/widgets/zl_uebflaeche.h"

#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebkartdarst.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/widgets/zl_uebopt.h"
#include "learning/mapview/widgets/zl_avi.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/zl_beschriftung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_lesezeichenmenue.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "platform/Canvas.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace zl
{
namespace
{

constexpr int kZeigerGroesse = 24;
constexpr int kMarkGroesse = 40;

QColor qfarbe(TColor c)
{
    return QColor(RotAnteil(c), GruenAnteil(c), BlauAnteil(c));
}
TColor ausRgb(std::uint32_t rgb)
{
    return RGBFarbe(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
}

QImage leer(int w, int h)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A round pointer with its letter (empty: the single pointer).
QImage zeigerBild(const QString& Buchstabe)
{
    QImage img = leer(kZeigerGroesse, kZeigerGroesse);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Buchstabe.isEmpty() ? QColor(255, 0, 0) : QColor(255, 230, 0));
    p.drawEllipse(QRectF(2, 2, kZeigerGroesse - 4, kZeigerGroesse - 4));
    if (Buchstabe.isEmpty()) {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(kZeigerGroesse / 2.0 - 3, kZeigerGroesse / 2.0 - 3, 6, 6));
    } else {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(img.rect(), Qt::AlignCenter, Buchstabe);
    }
    return img;
}

// A letter mark as the buttons and the placed markers show it.
QImage markBild(const QString& Buchstabe, QColor Grund)
{
    QImage img = leer(kMarkGroesse, kMarkGroesse);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Grund);
    p.drawRoundedRect(QRectF(3, 3, kMarkGroesse - 6, kMarkGroesse - 6), 6, 6);
    if (!Buchstabe.isEmpty()) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.drawText(img.rect(), Qt::AlignCenter, Buchstabe);
    }
    return img;
}

QImage rahmenBild(QColor Farbe, int Dicke)
{
    QImage img = leer(kZeigerGroesse + 4, kZeigerGroesse + 4);
    QPainter p(&img);
    p.setPen(QPen(Farbe, Dicke));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(Dicke / 2.0, Dicke / 2.0, img.width() - Dicke, img.height() - Dicke));
    return img;
}

// The picture scaled into the size, keeping its shape, centred on a clear ground.
QImage zentriert(const QImage& Bild, QSize Groesse)
{
    QImage img = leer(Groesse.width(), Groesse.height());
    const QImage z = Bild.scaled(img.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(&img);
    p.drawImage((img.width() - z.width()) / 2, (img.height() - z.height()) / 2, z);
    return img;
}

TImage* bild(QWidget* eltern, const QString& name)
{
    auto* b = new TImage(eltern);
    b->setObjectName(name);
    return b;
}

TShadowLabel* statusLabel(QWidget* eltern, const QString& name)
{
    auto* l = new TShadowLabel(eltern);
    l->setObjectName(name);
    l->SetTransparent(true);
    l->SetFontColor(RGBFarbe(255, 255, 255));
    l->SetAutoSize(false);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(10);
    f.setBold(true);
    l->setFont(f);
    l->SetLayout(tlCenter);
    return l;
}

// The standard waits: with window messages or frozen.
void warteStandard(std::uint32_t ms, bool MitNachrichten)
{
    if (MitNachrichten)
        Warte(ms);
    else
        WarteOhneNachrichten(ms);
}

} // namespace

TUebungsAnsicht::TUebungsAnsicht(TAnsichtHost& Host, const TUebungsFlaechen& Flaechen)
    : QObject(Host.Hauptfenster()), H(Host), Fl(Flaechen),
      engine_(std::make_unique<TUebung>(Host.Fensterzustand().Uebung)), ziehCursor_(DragBlackCursor()),
      keinAblegenCursor_(Qt::ClosedHandCursor) // the standard drag cursor
{
    setObjectName(QStringLiteral("UebungsAnsicht"));
    Warten = warteStandard;
    WeiterHinweis = [this] { ZeigeWeiterHinweis(); };
    StarteLesezeichenUebung = [this](const TUebStart& S) { StarteLesezeichenUebung1(S); };
    // The seed of the last exercise, kept only while the result window shows with
    // "&Exakt gleiche Fragen für Wiederholung und Lesezeichen" ticked.
    BehaltenerLesezeichenSeed = [this]() -> std::int32_t {
        if (!UebErgebForm || !UebErgebForm->isVisible())
            return 0;
        return UebErgebForm->ExaktCheck1->isChecked() ? H.Fensterzustand().Uebung.UebRandSeed : 0;
    };
    Medien.RichtigVideo = [] { SpieleRichtigVideo(); };
    Medien.FalschVideo = [] { SpieleFalschVideo(); };
    Medien.RichtigTon = [] { SpieleRichtigTon(); };
    Medien.FalschTon = [] { SpieleFalschTon(); };
    Medien.RichtigStandbild = [] { ZeigeRichtigStandbild(); };
    Medien.FalschStandbild = [] { ZeigeFalschStandbild(); };
    ErzeugeSteuerelemente();
}

TUebungsAnsicht::~TUebungsAnsicht()
{
    StarteLesezeichenUebung = nullptr;
    BehaltenerLesezeichenSeed = nullptr;
}

void TUebungsAnsicht::ZeigeWeiterHinweis()
{
    // The video window with its "&Weiter" button, modal, at the main window's top right.
    if (!AVIForm)
        return;
    AVIForm->AVIImg->SetPicture(ZLWeiterImg());
    AVIForm->Platziere();
    AVIForm->AVIImg->show();
    AVIForm->AVIPan->show();
    AVIForm->WeiterBtn->show();
    AVIForm->WeiterBtn->raise();
    UebModal(AVIForm);
    AVIForm->AVIImg->hide();
    H.Hauptfenster()->repaint();
}

void TUebungsAnsicht::SetzeUhr(TUebUhr Uhr)
{
    auto Hoerer = std::move(engine_->BeiAenderung);
    engine_ = std::make_unique<TUebung>(H.Fensterzustand().Uebung, std::move(Uhr));
    engine_->BeiAenderung = std::move(Hoerer);
}

void TUebungsAnsicht::ErzeugeSteuerelemente()
{
    QWidget* U = Fl.UebenPan;
    FragePan = new QWidget(U);
    FragePan->setObjectName(QStringLiteral("FragePan"));
    MainBackImg3 = bild(FragePan, QStringLiteral("MainBackImg3"));
    FragLab = new TShadowLabel(FragePan);
    FragLab->setObjectName(QStringLiteral("FragLab"));
    FragLab->SetAlignment(taCenter);
    FragLab->SetLayout(tlCenter);
    FragLab->SetTransparent(false); // covers the frame line of the bar's background
    FragLab->SetColor(Flaechenfarbe);
    FragLab->SetAutoSize(false);
    FragLab->SetWordWrap(true);
    FragLab->SetShadow(2);
    {
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(16);
        f.setBold(true);
        FragLab->setFont(f);
    }
    AntPan = new QWidget(U);
    AntPan->setObjectName(QStringLiteral("AntPan"));
    MainBackImg4 = bild(AntPan, QStringLiteral("MainBackImg4"));
    FPicPan = new QWidget(AntPan);
    FPicPan->setObjectName(QStringLiteral("FPicPan"));
    FaerbeFlaeche(FPicPan, Flaechenfarbe);
    FPicImg = bild(FPicPan, QStringLiteral("FPicImg"));
    FPfeilImg = bild(FPicImg, QStringLiteral("FPfeilImg"));
    FPfeilImg->SetPicture(zeigerBild({}));
    FPfeilImg->hide();

    ZRahmPfeil = markBild({}, QColor(255, 255, 255));
    ZRahmPfeilMark = markBild(QStringLiteral("?"), QColor(255, 255, 160));
    RahmenGesetzt = rahmenBild(QColor(0, 0, 255), 2);
    RahmenRichtig = rahmenBild(QColor(0, 255, 0), 3);
    RahmenFalsch = rahmenBild(QColor(255, 0, 0), 3);
    RahmenZiehen = rahmenBild(QColor(255, 255, 0), 2);

    for (int i = 0; i < kAntwortAnzahl; ++i) {
        const QString L = QString(QChar(u'A' + i));
        FMarkBild[i] = markBild(L, QColor(255, 230, 0));
        ABtn[i] = new THoverPanel(AntPan);
        ABtn[i]->setObjectName(QStringLiteral("A%1Btn").arg(i + 1));
        ABtn[i]->SetColors(kAntwortNorm, kAntwortHover, kAntwortCheck);
        ABtn[i]->SetWordWrap(true);
        ABtn[i]->SetFontAutoSize(true);
        ABtn[i]->setFocusPolicy(Qt::StrongFocus);
        {
            QFont f(QStringLiteral("Arial"));
            f.setPointSize(14);
            f.setBold(true);
            ABtn[i]->setFont(f);
        }
        AImg[i] = bild(ABtn[i], QStringLiteral("A%1Img").arg(i + 1));
        AImg[i]->hide();
        AShape[i] = new THoverPanel(ABtn[i]);
        AShape[i]->setObjectName(QStringLiteral("A%1Shape").arg(i + 1));
        AShape[i]->hide();
        AShapeImg[i] = bild(AShape[i], QStringLiteral("A%1ShapeImg").arg(i + 1));
        AntwLab[i] = new TShadowLabel(ABtn[i]);
        AntwLab[i]->setObjectName(QStringLiteral("AntwLab") + L);
        AntwLab[i]->SetTransparent(true);
        AntwLab[i]->SetFontColor(RGBFarbe(255, 255, 255));
        {
            QFont f(QStringLiteral("Arial"));
            f.setPointSize(11);
            f.setBold(true);
            AntwLab[i]->setFont(f);
        }
        AntwLab[i]->move(6, 3);
        AntwLab[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        FPfeilImgX[i] = bild(FPicImg, QStringLiteral("FPfeilImg") + L);
        FPfeilImgX[i]->SetPicture(zeigerBild(L));
        FPfeilImgX[i]->resize(kZeigerGroesse, kZeigerGroesse);
        FPfeilImgX[i]->hide();
        ZgesetztImg[i] = bild(FPicImg, QStringLiteral("ZgesetztImg") + L);
        ZgesetztImg[i]->SetPicture(RahmenGesetzt);
        ZgesetztImg[i]->resize(RahmenGesetzt.size());
        ZgesetztImg[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        ZgesetztImg[i]->hide();

        connect(ABtn[i], &THoverPanel::OnClick, this, [this, i] { AKlick(i + 1); });
        AImg[i]->OnClick = [this, i] { AKlick(i + 1); };
        connect(AShape[i], &THoverPanel::OnClick, this, [this, i] { AKlick(i + 1); });
        FPfeilImgX[i]->OnClick = [this, i] { AKlick(i + 1); };
        for (QWidget* w : {static_cast<QWidget*>(AShapeImg[i]), static_cast<QWidget*>(FPfeilImgX[i])})
            w->installEventFilter(this);
    }
    FPfeilImg->resize(kZeigerGroesse, kZeigerGroesse);
    auto rahmen = [this](const char* name, const QImage& img) {
        TImage* r = bild(FPicImg, QString::fromLatin1(name));
        r->SetPicture(img);
        r->resize(img.size());
        r->setAttribute(Qt::WA_TransparentForMouseEvents);
        r->hide();
        return r;
    };
    FRahmImgR = rahmen("FRahmImgR", RahmenRichtig);
    FRahmImgF = rahmen("FRahmImgF", RahmenFalsch);
    FRahmDrag = rahmen("FRahmDrag", RahmenZiehen);

    // The status line: question number, right, wrong, rate and clock.
    QWidget* S = Fl.UebStatusPan;
    auto paar = [this, S](const QString& titel, const char* name) {
        TShadowLabel* t = statusLabel(S, QString());
        t->SetCaption(titel);
        TShadowLabel* w = statusLabel(S, QString::fromLatin1(name));
        return std::pair{t, w};
    };
    const auto nr = paar(QStringLiteral("Frage:"), "FragNrLab");
    const auto ri = paar(QStringLiteral("Richtig:"), "RichtigLab");
    const auto fa = paar(QStringLiteral("Falsch:"), "FalschLab");
    const auto qu = paar(QStringLiteral("Quote:"), "QuoteLab");
    const auto ze = paar(QStringLiteral("Zeit:"), "UebZeitLab");
    FragNrLab = nr.second;
    RichtigLab = ri.second;
    FalschLab = fa.second;
    QuoteLab = qu.second;
    UebZeitLab = ze.second;
    statusPan_ = S;
    uebung_ = &H.Fensterzustand().Uebung;
    S->installEventFilter(this);
}

// ---- Layout -----------------------------------------------------------------------------

void TUebungsAnsicht::OrdneUebungsFlaeche()
{
    const QRect r = Fl.UebenPan->rect();
    FragePan->setGeometry(0, 0, r.width(), 64);
    FragLab->setGeometry(30, 8, std::max(0, r.width() - 60), 48);
    AntPan->setGeometry(0, 64, r.width(), std::max(0, r.height() - 64));
    ZeichneHintergrund(MainBackImg3);
    MainBackImg3->lower();
    ZeichneHintergrund(MainBackImg4);
    MainBackImg4->lower();
    // The status line right of the view buttons, as wide as its labels need.
    QWidget* S = Fl.UebStatusPan;
    const int links = Fl.StatusNachbar->geometry().right() + 12;
    const int breite = std::clamp(Fl.Hauptflaeche->width() - links - 8, 0, 600);
    S->setGeometry(links, S->y(), breite, S->height());
    Fl.StatusHintergrund->setGeometry(S->rect());
    Fl.StatusHintergrund->SetPicture(Fl.StatusBild->Picture.scaled(S->size().expandedTo(QSize(1, 1))));
    OrdneStatusZeile();
    H.ZeigeModus();
    if (frageAngezeigt_ && engine_->Laeuft()) {
        const int typ = engine_->Frage().Typ;
        OrdneAntwortKnoepfe(typ == E01 ? 1 : 0);
        ZeigeBild();
    }
}

void TUebungsAnsicht::OrdneStatusZeile()
{
    QWidget* S = Fl.UebStatusPan;
    const QList<TShadowLabel*> l = S->findChildren<TShadowLabel*>(QString(), Qt::FindDirectChildrenOnly);
    const int breiten[10] = {46, 64, 60, 34, 54, 34, 46, 70, 38, 52};
    const double f = std::min(1.0, S->width() / 560.0); // narrower panels shrink every label
    int x = 6;
    for (int i = 0; i < l.size() && i < 10; ++i) {
        const int w = int(breiten[i] * f);
        l[i]->setGeometry(x, 0, w, S->height());
        x += w + (i % 2 ? int(14 * f) : 0);
    }
}

void TUebungsAnsicht::OrdneAntwortKnoepfe(int Modus)
{
    const AntwortKnopfLayout L = zl::OrdneAntwortKnoepfe(Modus, AntPan->width(), AntPan->height());
    FPicPan->setVisible(L.BildSichtbar);
    if (L.BildSichtbar) {
        FPicPan->setGeometry(L.Bild);
        FPicImg->setGeometry(FPicPan->rect());
    }
    for (int i = 0; i < kAntwortAnzahl; ++i) {
        ABtn[i]->setGeometry(L.Knoepfe[i]);
        ABtn[i]->show();
    }
}

// ---- Showing a question ---------------------------------------------------------------

bool TUebungsAnsicht::IstZuordnung() const
{
    return IstZuordnungsFrage(engine_->Frage().Typ);
}

void TUebungsAnsicht::ZeigeFrage()
{
    const TFrage& Q = engine_->Frage();
    const Uebungszustand& U = H.Fensterzustand().Uebung;
    const bool zuordnen = IstZuordnungsFrage(Q.Typ);
    FaerbeFlaeche(FragePan, Flaechenfarbe);
    FragNrLab->SetCaption(QString::number(U.FrageNr) + QStringLiteral(" / ") + QString::number(U.FragenGesamt));
    FragLab->SetFontColor(RGBFarbe(255, 255, 255));
    FragLab->SetCaption(Q.FragText);
    OrdneAntwortKnoepfe(Q.Typ == E01 ? 1 : 0);
    FPfeilImg->hide();
    FRahmImgR->hide();
    FRahmImgF->hide();
    FRahmDrag->hide();
    for (int i = 0; i < kAntwortAnzahl; ++i) {
        THoverPanel* b = ABtn[i];
        b->SetCaption({});
        b->SetFontColor(clBlack);
        b->SetNormFontColor(clBlack);
        b->SetColors(kAntwortNorm, kAntwortHover, kAntwortCheck);
        AImg[i]->hide();
        ZgesetztImg[i]->hide();
        ZgesetztImg[i]->SetPicture(RahmenGesetzt);
        FPfeilImgX[i]->hide();
        if (zuordnen) {
            AShape[i]->setGeometry(30, 16, 50, std::max(1, b->height() - 32));
            AShapeImg[i]->setGeometry(AShape[i]->rect());
            AShapeImg[i]->SetPicture(zentriert(ZRahmPfeil, AShape[i]->size()));
            AShapeImg[i]->show();
            const TColor norm = MischeFarben(kAntwortNorm, clBlack, 0.025);
            AShape[i]->SetColors(norm, kAntwortHover, kAntwortCheck);
            AShape[i]->show();
            b->SetHoverActive(false);
            b->setCursor(Qt::ArrowCursor);
            b->SetAlignment(taLeftJustify);
            b->Padding().SetLeft(90); // the name begins right of the drag handle
            FPfeilImgX[i]->setCursor(Qt::OpenHandCursor);
            AShapeImg[i]->setCursor(Qt::OpenHandCursor);
        } else {
            AImg[i]->setGeometry(8, 8, std::max(1, b->width() - 18), std::max(1, b->height() - 18));
            AShape[i]->hide();
            AShapeImg[i]->hide();
            b->SetHoverActive(true);
            b->setCursor(Qt::PointingHandCursor);
            b->SetAlignment(taCenter);
            b->Padding().SetLeft(0);
            FPfeilImgX[i]->setCursor(Qt::PointingHandCursor);
        }
        AntwLab[i]->SetCaption(zuordnen ? QString(QChar(u'1' + i)) : QString(QChar(u'A' + i)));
        AntwLab[i]->raise();
    }
    ziehQuelle_.Wert = 0;
    fokusName_ = 0;
    zuordnung_.Zuruecksetzen();

    // The answers on the buttons.
    for (int i = 0; i < kAntwortAnzahl; ++i) {
        THoverPanel* b = ABtn[i];
        if (Q.Typ == E01) {
            QImage flagge(AImg[i]->size(), QImage::Format_RGB32);
            flagge.fill(qfarbe(kAntwortNorm));
            try {
                QImage geladen;
                if (LadeKartenbild(geladen, AImg[i]->width(), AImg[i]->height(), Q.Flaggen[i], true, true)) {
                    flagge.fill(qfarbe(kAntwortNorm));
                    QPainter p(&flagge);
                    p.drawImage((flagge.width() - geladen.width()) / 2, (flagge.height() - geladen.height()) / 2,
                                geladen);
                }
            } catch (const EBildFehler&) {
                // A damaged flag stays blank; the question goes on.
            }
            AImg[i]->SetPicture(flagge);
            AImg[i]->show();
        } else if (IstZeigeFrage(Q.Typ)) {
            b->SetCaption(Q.Knopftexte[i]);
            const int s = std::min(AImg[i]->width(), AImg[i]->height());
            QImage m(AImg[i]->size(), QImage::Format_ARGB32_Premultiplied);
            m.fill(Qt::transparent);
            {
                QPainter p(&m);
                const QImage z = FMarkBild[i].scaled(s, s, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                p.drawImage((m.width() - z.width()) / 2, (m.height() - z.height()) / 2, z);
            }
            AImg[i]->SetPicture(m);
            AImg[i]->show();
        } else {
            b->SetCaption(Q.Knopftexte[i]);
        }
        b->setEnabled(true);
        b->show();
    }
    frageAngezeigt_ = true;
    ZeigeBild();
    ABtn[0]->setFocus();
}

void TUebungsAnsicht::ZeigeBild()
{
    const TFrage& Q = engine_->Frage();
    if (Q.Typ == E01 || !FPicPan->isVisibleTo(AntPan))
        return;
    const QSize box(std::max(1, FPicImg->width() - 36), std::max(1, FPicImg->height() - 36));
    if (Q.BildPfad != bildPfad_ || box != bildBox_) {
        bildPfad_ = Q.BildPfad;
        bildBox_ = box;
        bildCache_ = QImage();
        try {
            QImage geladen;
            if (LadeKartenbild(geladen, box.width(), box.height(), Q.BildPfad, true, true))
                bildCache_ = geladen.convertToFormat(QImage::Format_RGB32);
        } catch (const EBildFehler&) {
            // A damaged picture leaves the question without one.
        }
    }
    QImage flaeche(FPicImg->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    flaeche.fill(qfarbe(Flaechenfarbe));
    bildRect_ = QRect();
    if (!bildCache_.isNull()) {
        bildRect_ =
            QRect(QPoint((flaeche.width() - bildCache_.width()) / 2, (flaeche.height() - bildCache_.height()) / 2),
                  bildCache_.size());
        QPainter p(&flaeche);
        p.drawImage(bildRect_.topLeft(), bildCache_);
        p.end();
        // Objects drawn onto the picture, on the map the picture shows.
        TBeschriftungsZustand bz;
        bz.AktKartID = Q.BildKartID;
        bz.Ansichtsmodus = Uebung;
        bz.FontFakIndex = H.Fensterzustand().FontFakIndex;
        bz.Kartenschrift = H.Fensterzustand().Kartenschrift;
        TCanvas c(&flaeche);
        auto zeichne = [&](const TZeiger& z) {
            if (z.Zeichnen && z.Objekt >= 0)
                ZeichneBeschriftungen(c, bildRect_.x(), bildRect_.y(), bildRect_.width(), bildRect_.height(), 1.0,
                                      z.Objekt, RectOf(0, 0, 10000, 10000), bz);
        };
        zeichne(Q.EinzelZeiger);
        if (IstZeigeFrage(Q.Typ) || IstZuordnungsFrage(Q.Typ))
            for (const TZeiger& z : Q.Zeiger)
                zeichne(z);
    }
    FPicImg->SetPicture(flaeche);
    if (IstZeigeFrage(Q.Typ) || IstZuordnungsFrage(Q.Typ)) {
        for (int i = 0; i < kAntwortAnzahl; ++i)
            PlatziereZeiger(FPfeilImgX[i], Q.Zeiger[i]);
        PlatziereZuordnungen();
    } else {
        PlatziereZeiger(FPfeilImg, Q.EinzelZeiger);
    }
}

void TUebungsAnsicht::PlatziereZeiger(TImage* Zeiger, const TZeiger& Z)
{
    if (Z.Objekt < 0 || bildRect_.isEmpty()) {
        Zeiger->hide();
        return;
    }
    const int x = bildRect_.x() + int(std::lround(Z.Px * bildRect_.width()));
    const int y = bildRect_.y() + int(std::lround(Z.Py * bildRect_.height()));
    Zeiger->move(x - Zeiger->width() / 2, y - Zeiger->height() / 2);
    Zeiger->raise();
    Zeiger->show();
}

// ---- Status line ------------------------------------------------------------------------

void TUebungsAnsicht::ZeigeUebungsStatus(int Level)
{
    const TUebStatus S = engine_->Status(Level);
    RichtigLab->SetCaption(S.Richtig);
    FalschLab->SetCaption(S.Falsch);
    QuoteLab->SetCaption(S.Quote);
    ZeigeUebungsZeit();
    // Shown at once: the waits that follow may process no messages.
    for (TShadowLabel* l : {RichtigLab, FalschLab, QuoteLab})
        l->repaint();
}

void TUebungsAnsicht::ZeigeUebungsZeit()
{
    engine_->AktualisiereDauer();
    const QString t = FormatiereMinSek(double(H.Fensterzustand().Uebung.UebDauer / 1000));
    if (t != letzteZeit_) {
        letzteZeit_ = t;
        UebZeitLab->SetCaption(t);
        UebZeitLab->repaint();
    }
}

int TUebungsAnsicht::Level() const
{
    return std::clamp(H.Fensterzustand().UebRFLevel, 0, 2);
}

// ---- Answers ----------------------------------------------------------------------------

void TUebungsAnsicht::AKlick(int n)
{
    if (n < 1 || n > kAntwortAnzahl || H.Fensterzustand().Ansichtsmodus != Uebung)
        return;
    ABtn[n - 1]->setFocus();
    fokusName_ = n;
    if (!IstZuordnung())
        WerteAntwortAus(n, ABtn[n - 1]);
}

bool TUebungsAnsicht::Taste(QKeyEvent* Key)
{
    if (Key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    return Taste(Key->text());
}

bool TUebungsAnsicht::Taste(const QString& Text)
{
    if (H.Fensterzustand().Ansichtsmodus != Uebung || Text.size() != 1 || !frageAngezeigt_)
        return false;
    const QChar c = Text.toUpper().at(0);
    const int buchstabe = c >= u'A' && c <= u'E' ? c.unicode() - u'A' + 1 : 0;
    if (!IstZuordnung()) {
        if (!buchstabe)
            return false;
        WerteAntwortAus(buchstabe, ABtn[buchstabe - 1]);
        return true;
    }
    if (c >= u'1' && c <= u'5') {
        fokusName_ = c.unicode() - u'0';
        ABtn[fokusName_ - 1]->setFocus();
        return true;
    }
    if (!buchstabe)
        return false;
    int name = 0;
    for (int i = 0; i < kAntwortAnzahl; ++i)
        if (QApplication::focusWidget() == ABtn[i])
            name = i + 1;
    if (!name)
        name = fokusName_;
    if (name) {
        ziehQuelle_.Wert = buchstabe;
        OrdneZu(name, buchstabe);
    }
    return true;
}

void TUebungsAnsicht::FaerbeRichtig(THoverPanel* Knopf)
{
    if (!Knopf)
        return;
    Knopf->SetFontColor(kKnopfRichtigSchrift);
    Knopf->SetNormFontColor(kKnopfRichtigSchrift);
    Knopf->SetNormColor(kKnopfRichtigFlaeche);
    Knopf->SetColor(kKnopfRichtigFlaeche);
    Knopf->repaint();
}

void TUebungsAnsicht::FaerbeFalsch(THoverPanel* Knopf)
{
    if (!Knopf)
        return;
    Knopf->SetFontColor(kKnopfFalschSchrift);
    Knopf->SetNormFontColor(kKnopfFalschSchrift);
    Knopf->SetNormColor(kKnopfFalschFlaeche);
    Knopf->SetColor(kKnopfFalschFlaeche);
    Knopf->repaint();
}

void TUebungsAnsicht::Effekt(bool Richtig)
{
    const auto& m = Medien;
    if (H.Gewaehlt(TOptionsPunkt::Animation_ein))
        (Richtig ? m.RichtigVideo : m.FalschVideo)();
    else
        (Richtig ? m.RichtigTon : m.FalschTon)();
    if (H.Gewaehlt(TOptionsPunkt::Animation_Standbild))
        (Richtig ? m.RichtigStandbild : m.FalschStandbild)();
}

void TUebungsAnsicht::RahmenUm(TImage* Rahmen, const QImage& Bild, const TImage* Pfeil)
{
    Rahmen->SetPicture(Bild);
    Rahmen->resize(Bild.size());
    Rahmen->move(Pfeil->x() - 2, Pfeil->y() - 2);
    Rahmen->raise();
    Rahmen->show();
    Rahmen->repaint();
}

bool TUebungsAnsicht::NochAktiv(int Serie) const
{
    return engine_->Serie() == Serie && H.Fensterzustand().Ansichtsmodus == Uebung && engine_->Laeuft();
}

bool TUebungsAnsicht::WarteUndPruefe(std::uint32_t ms, bool MitNachrichten, int Serie)
{
    Warten(ms, MitNachrichten);
    return NochAktiv(Serie);
}

void TUebungsAnsicht::WerteAntwortAus(int Antwort, THoverPanel* Knopf)
{
    Uebungszustand& U = H.Fensterzustand().Uebung;
    if (U.Beantwortet || !engine_->Laeuft() || H.Fensterzustand().Ansichtsmodus != Uebung)
        return;
    const bool zuordnen = Antwort <= 0;
    if (zuordnen != IstZuordnung())
        return;
    if (zuordnen && zuordnung_.ZaehleZugeordnete() < kAntwortAnzahl)
        return;
    const TAuswertung A = zuordnen ? engine_->WerteZuordnungAus(zuordnung_) : engine_->WerteAntwortAus(Antwort);
    if (!A.Ausgewertet)
        return;
    const int serie = engine_->Serie();
    const int level = Level();
    const TFrage& Q = engine_->Frage();
    FragLab->SetCaption({});
    if (level >= 1) {
        if (zuordnen) {
            for (int i = 0; i < kAntwortAnzahl; ++i) {
                const int ziel = Q.ZuordnungZiel[i];
                TImage* rahmen = ziel >= 1 && ziel <= 5 ? ZgesetztImg[ziel - 1] : nullptr;
                if (A.NameRichtig[i])
                    FaerbeRichtig(ABtn[i]);
                else
                    FaerbeFalsch(ABtn[i]);
                if (rahmen) {
                    rahmen->SetPicture(A.NameRichtig[i] ? RahmenRichtig : RahmenFalsch);
                    rahmen->raise();
                    rahmen->repaint();
                }
                const TColor dunkel = MischeFarben(ABtn[i]->Color(), clBlack, 0.1);
                AShape[i]->SetNormColor(dunkel);
                AShape[i]->SetColor(dunkel);
                AShape[i]->repaint();
            }
        } else {
            if (A.Richtig)
                FaerbeRichtig(Knopf);
            else
                FaerbeFalsch(Knopf);
            const TImage* gewaehlt = FPfeilImgX[Antwort - 1];
            if (gewaehlt->isVisibleTo(FPicImg))
                RahmenUm(A.Richtig ? FRahmImgR : FRahmImgF, A.Richtig ? RahmenRichtig : RahmenFalsch, gewaehlt);
            if (!A.Richtig && level >= 2) {
                const int r = U.RichtigeAntwort;
                if (r >= 1 && r <= 5) {
                    if (FPfeilImgX[r - 1]->isVisibleTo(FPicImg))
                        RahmenUm(FRahmImgR, RahmenRichtig, FPfeilImgX[r - 1]);
                    FaerbeRichtig(ABtn[r - 1]);
                }
            }
        }
        FragLab->SetFontColor(ausRgb(A.RueckmeldungFarbe));
        FragLab->SetCaption(A.Rueckmeldung);
        FragLab->repaint();
        Effekt(A.Richtig);
        if (!NochAktiv(serie))
            return;
    }
    for (THoverPanel* b : ABtn)
        b->setEnabled(false);
    ZeigeUebungsStatus(Level());

    // Advance: automatic with the level's waits, or on "Weiter".
    const bool teilweise = zuordnen && !A.Richtig;
    if (H.Gewaehlt(TOptionsPunkt::FragWeiterAuto)) {
        if (level == 0) {
            if (!WarteUndPruefe(100, false, serie))
                return;
        } else {
            if (H.Gewaehlt(TOptionsPunkt::Animation_aus) && !WarteUndPruefe(1500, false, serie))
                return;
            if (teilweise && level == 1) {
                if (!WarteUndPruefe(2000, false, serie))
                    return;
            } else if (teilweise && level >= 2) {
                if (!WarteUndPruefe(1000, false, serie))
                    return;
                ZeigeZuordnungsLoesung();
                if (!WarteUndPruefe(6000, true, serie))
                    return;
            } else if (!zuordnen && !A.Richtig && level >= 2) {
                if (!WarteUndPruefe(1000, true, serie))
                    return;
            }
        }
    } else {
        WeiterHinweis();
        if (!NochAktiv(serie))
            return;
        if (teilweise && level >= 2) {
            ZeigeZuordnungsLoesung();
            WeiterHinweis();
            if (!NochAktiv(serie))
                return;
        }
    }
    QCoreApplication::processEvents();
    if (!NochAktiv(serie))
        return; // the user left the exercise (or started another) during a wait
    switch (engine_->Weiter()) {
    case WeiterErgebnis::NaechsteFrage:
        ZeigeFrage();
        break;
    case WeiterErgebnis::Ende:
        BeendeUebungsAnzeige();
        ZeigeUebungsErgebnis();
        break;
    case WeiterErgebnis::Fehler:
        Scheitern();
        break;
    }
}

// ---- Drag and drop ----------------------------------------------------------------------

int TUebungsAnsicht::NameVon(const QWidget* w) const
{
    for (; w; w = w->parentWidget())
        for (int i = 0; i < kAntwortAnzahl; ++i)
            if (w == ABtn[i] || w == AShape[i] || w == AShapeImg[i])
                return i + 1;
    return 0;
}

int TUebungsAnsicht::ZielVon(const QWidget* w) const
{
    for (int i = 0; i < kAntwortAnzahl; ++i)
        if (w == FPfeilImgX[i])
            return i + 1;
    return 0;
}

void TUebungsAnsicht::SetzeZiehQuelle(int Quelle)
{
    ziehQuelle_.Wert = Quelle;
    if (Quelle > 0 && Quelle <= kAntwortAnzahl) {
        RahmenUm(FRahmDrag, RahmenZiehen, FPfeilImgX[Quelle - 1]);
    } else if (Quelle < 0 && -Quelle <= kAntwortAnzahl) {
        TImage* m = AShapeImg[-Quelle - 1];
        m->SetPicture(zentriert(ZRahmPfeilMark, m->size()));
    }
}

void TUebungsAnsicht::BeginneZiehenName(int i)
{
    if (i < 1 || i > kAntwortAnzahl || !IstZuordnung())
        return;
    ABtn[i - 1]->setFocus();
    fokusName_ = i;
    // A placed name's marker drags its target.
    SetzeZiehQuelle(zuordnung_.Ziel(i));
}

void TUebungsAnsicht::BeginneZiehenZiel(int t)
{
    if (t >= 1 && t <= kAntwortAnzahl && IstZuordnung())
        SetzeZiehQuelle(t);
}

bool TUebungsAnsicht::LasseFallen(QWidget* Ziel)
{
    const int q = ziehQuelle_.Wert;
    if (const int name = NameVon(Ziel); name && ziehQuelle_.NameNimmtAn()) {
        OrdneZu(name, q);
        return true;
    }
    if (const int ziel = ZielVon(Ziel); ziel && ziehQuelle_.ZielNimmtAn()) {
        OrdneZu(-q, ziel);
        return true;
    }
    return false;
}

void TUebungsAnsicht::EndeZiehen()
{
    FRahmDrag->hide();
    ziehQuelle_.Wert = 0;
    // A cancelled drag leaves no drag marker behind.
    for (int i = 1; i <= kAntwortAnzahl; ++i)
        if (zuordnung_.Ziel(i) < 0)
            AShapeImg[i - 1]->SetPicture(zentriert(ZRahmPfeil, AShapeImg[i - 1]->size()));
}

void TUebungsAnsicht::OrdneZu(int Name, int Ziel)
{
    if (Name < 1 || Name > kAntwortAnzahl || Ziel < 1 || Ziel > kAntwortAnzahl || !IstZuordnung())
        return;
    // After the evaluation the placements stay as they were evaluated.
    if (H.Fensterzustand().Uebung.Beantwortet)
        return;
    zuordnung_.OrdneZu(Name, Ziel);
    for (int i = 1; i <= kAntwortAnzahl; ++i) {
        TImage* m = AShapeImg[i - 1];
        const int t = zuordnung_.Ziel(i);
        const QImage& quelle = t > 0 ? FMarkBild[t - 1] : ZRahmPfeil;
        m->SetPicture(zentriert(quelle, m->size()));
        m->show();
    }
    ziehQuelle_.Wert = 0;
    PlatziereZuordnungen();
    WerteAntwortAus(0, nullptr);
}

void TUebungsAnsicht::PlatziereZuordnungen()
{
    std::array<bool, kAntwortAnzahl> belegt{};
    for (int i = 1; i <= kAntwortAnzahl; ++i) {
        const int t = zuordnung_.Ziel(i);
        if (t > 0) {
            ZgesetztImg[t - 1]->move(FPfeilImgX[t - 1]->x() - 2, FPfeilImgX[t - 1]->y() - 2);
            belegt[t - 1] = true;
        }
    }
    FRahmDrag->hide();
    for (int t = 0; t < kAntwortAnzahl; ++t) {
        ZgesetztImg[t]->setVisible(belegt[t] && IstZuordnung());
        ZgesetztImg[t]->raise();
        ZgesetztImg[t]->update();
    }
}

void TUebungsAnsicht::ZeigeZuordnungsLoesung()
{
    const TFrage& Q = engine_->Frage();
    for (int i = 1; i <= kAntwortAnzahl; ++i) {
        const int richtig = Q.ZuordnungZiel[i - 1];
        if (zuordnung_.Ziel(i) == richtig || richtig < 1 || richtig > 5)
            continue;
        TImage* m = AShapeImg[i - 1];
        m->SetPicture(zentriert(FMarkBild[richtig - 1], m->size()));
        const TColor c = MischeFarben(RGBFarbe(0, 128, 64), clBlack, 0.1);
        AShape[i - 1]->SetNormColor(c);
        AShape[i - 1]->SetColor(c);
        AShape[i - 1]->repaint();
        m->repaint();
    }
    FragLab->SetFontColor(kLoesungFarbe);
    FragLab->SetCaption(kLoesungText);
    FragLab->repaint();
}

bool TUebungsAnsicht::eventFilter(QObject* Obj, QEvent* Event)
{
    // No look at the main window here: its children still send events while it is destroyed.
    if (Obj == statusPan_) {
        if (Event->type() == QEvent::Resize)
            OrdneStatusZeile();
        return false;
    }
    auto* w = qobject_cast<QWidget*>(Obj);
    if (!w || !IstZuordnung() || uebung_->Beantwortet)
        return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(Event);
        if (m->button() != Qt::LeftButton)
            return false;
        druckQuelle_ = Obj;
        druckPunkt_ = m->globalPosition().toPoint();
        zieht_ = false;
        return false;
    }
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(Event);
        if (druckQuelle_ != Obj)
            return false;
        if (!zieht_ &&
            (m->globalPosition().toPoint() - druckPunkt_).manhattanLength() >= QApplication::startDragDistance()) {
            zieht_ = true;
            if (const int t = ZielVon(w))
                BeginneZiehenZiel(t);
            else
                BeginneZiehenName(NameVon(w));
            QApplication::setOverrideCursor(ziehCursor_);
        }
        if (zieht_) {
            QWidget* unter = QApplication::widgetAt(m->globalPosition().toPoint());
            const bool nimmt =
                (NameVon(unter) && ziehQuelle_.NameNimmtAn()) || (ZielVon(unter) && ziehQuelle_.ZielNimmtAn());
            QApplication::changeOverrideCursor(nimmt ? ziehCursor_ : keinAblegenCursor_);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(Event);
        if (druckQuelle_ != Obj)
            return false;
        druckQuelle_ = nullptr;
        if (!zieht_)
            return false;
        zieht_ = false;
        QApplication::restoreOverrideCursor();
        if (!LasseFallen(QApplication::widgetAt(m->globalPosition().toPoint())))
            EndeZiehen();
        else
            FRahmDrag->hide();
        return true;
    }
    default:
        return false;
    }
}

// ---- Start, end, result -----------------------------------------------------------------

void TUebungsAnsicht::UebungStart1Click()
{
    HauptfensterZustand& Z = H.Fensterzustand();
    if (Z.Ansichtsmodus == Kartenauswahl) {
        ZeigeInfo(
            QStringLiteral("Bitte zuerst die gewünschte Karte auswählen, zu der eine Übung durchgeführt werden soll."));
        return;
    }
    if (SuchErgForm && SuchErgForm->isVisible())
        SuchErgForm->close();
    if (DatenTabForm && DatenTabForm->isVisible())
        DatenTabForm->close();
    if (H.ObjEditorSichtbar()) {
        ZeigeInfo(QStringLiteral("Bitte zuerst den Beschriftungseditor schließen."));
        return;
    }
    if (!H.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    int index = -1;
    for (int i = 0; i < UebungsDaten.size(); ++i)
        if (UebungsDaten[i].LernKartID.compare(Z.AktKartID, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    if (index < 0 || !UebAuswForm) {
        // A learning map without an exercise map offers nothing to start.
        ZeigeInfo(QStringLiteral("Zu dieser Karte ist keine Übung verfügbar."));
        return;
    }
    Fl.UebungenBtn->SetChecked(true);
    UebAuswForm->PruefeStart = [this] { return PruefeUebungsstart(); };
    UebAuswForm->LesezeichenSetzen = [this] { LesezeichenDerAuswahl(); };
    UebAuswForm->NetzTeilnehmen = [this] { H.NetzUebungTeilnehmen(); };
    UebAuswForm->Fuelle(index, UebungsDaten[index]);
    if (const QScreen* s = H.Hauptfenster()->screen()) {
        const QRect r = s->availableGeometry();
        UebAuswForm->move(r.x() + (r.width() - UebAuswForm->width()) / 2,
                          r.y() + (r.height() - UebAuswForm->height()) / 2);
    }
    UebModal(UebAuswForm);
    H.ZeigeModus();
}

void TUebungsAnsicht::LesezeichenDerAuswahl()
{
    // The bookmark records this choice as if the exercise ran.
    HauptfensterZustand& Z = H.Fensterzustand();
    Uebungszustand& U = Z.Uebung;
    if (U.UebKartIndex < 0 || U.UebKartIndex >= UebungsDaten.size())
        return;
    const int modus = Z.Ansichtsmodus;
    Z.Ansichtsmodus = Uebung;
    U.UebKartID = UebungsDaten[U.UebKartIndex].UebKartID;
    U.UebGebiet = UebungsDaten[U.UebKartIndex].Gebiet;
    U.UebIntensitaet = std::clamp(UebAuswForm->IntensIndex() + 1, 1, 3);
    U.UebFragAnz = UebAuswForm->FragAnzahl();
    U.UebTypMaske = KuerzeMaske(Z.FragTypMasken[std::clamp(U.UebModus, 1, 4) - 1]);
    if (Fl.Lesezeichen)
        Fl.Lesezeichen->LesezeichenDefinieren1Click();
    Z.Ansichtsmodus = modus;
}

bool TUebungsAnsicht::PruefeUebungsstart()
{
    HauptfensterZustand& Z = H.Fensterzustand();
    Uebungszustand& U = Z.Uebung;
    U.UebFragAnz = UebAuswForm->FragAnzahl();
    U.UebIntensitaet = std::clamp(UebAuswForm->IntensIndex() + 1, 1, 3);
    const int modus = std::clamp(U.UebModus, 1, 4);
    U.UebTypMaske = KuerzeMaske(Z.FragTypMasken[modus - 1]);
    if (U.UebKartIndex < 0 || U.UebKartIndex >= UebungsDaten.size()) {
        ZeigeInfo(QStringLiteral("Zu dieser Karte ist keine Übung verfügbar."));
        return false;
    }
    const UebungDataTyp e = UebungsDaten[U.UebKartIndex];
    std::int32_t seed = SeedAusText(UebAuswForm->RandSeedText);
    const bool lehrer = UebAuswForm->NetzwerkUebung1->isChecked();
    TUebOptionen O;
    O.FragTypMasken = Z.FragTypMasken;
    const QString meldung = zl::PruefeUebungsstart(U, O, e.Gebiet);
    if (!meldung.isEmpty()) {
        ZeigeInfo(meldung);
        return false;
    }
    if (lehrer && seed == 0) {
        // A class exercise never publishes seed 0: teacher and participants share one.
        Zufall::Randomize();
        seed = Zufall::RandSeed();
    }
    Z.NetzTeilnehmer = false;
    H.SchreibeEinstellung(QStringLiteral("UebModus"));
    H.SchreibeEinstellung(QStringLiteral("UebFragAnz"));
    H.SchreibeEinstellung(QStringLiteral("UebIntensitaet"));
    UebAuswForm->done(mbCancel);
    StarteUebung(e.UebKartID, e.Gebiet, seed, U.UebIntensitaet);
    return true;
}

void TUebungsAnsicht::StarteLesezeichenUebung1(const TUebStart& S)
{
    // The restore has asked to leave the view and set the exercise's fields; a bookmark
    // never starts a class exercise.
    if (UebAuswForm)
        UebAuswForm->NetzwerkUebung1->setChecked(false);
    StarteUebung(S.KartID, S.Gebiet, S.Seed, S.Intensitaet);
    H.ZeigeModus();
}

bool TUebungsAnsicht::StarteUebung(const QString& KartID, int Gebiet, std::int32_t Seed, int Intensitaet)
{
    HauptfensterZustand& Z = H.Fensterzustand();
    // Every start leads to the result window, whose bookmark button defines one of this exercise.
    if (UebErgebForm)
        UebErgebForm->LesezeichenSetzen = [this] {
            if (Fl.Lesezeichen)
                Fl.Lesezeichen->LesezeichenDefinieren1Click();
        };
    const bool lehrer = UebAuswForm && UebAuswForm->NetzwerkUebung1->isChecked();
    Z.Ansichtsmodus = Uebung;
    if (Z.AktKartID.isEmpty())
        Z.AktKartID = KartID;
    if (UebKartTyp.isEmpty())
        UebKartTyp = KartTyp;
    frageAngezeigt_ = false;
    ergebnisDa_ = false;
    if (!lehrer)
        OrdneUebungsFlaeche();
    FPicPan->hide();

    TUebOptionen O;
    O.FragTypMasken = Z.FragTypMasken;
    O.AnredeDu = H.Gewaehlt(TOptionsPunkt::AnredeDu);
    O.UebKartTyp = UebKartTyp;
    O.Lehrer = lehrer;
    O.Teilnehmer = Z.NetzTeilnehmer;
    TUebStart S;
    S.KartID = KartID;
    S.Gebiet = Gebiet;
    S.Seed = Seed;
    S.Intensitaet = Intensitaet;
    letzteZeit_.clear();
    FragePan->show();
    AntPan->show();
    if (lehrer)
        ZeigeMeldung(QStringLiteral("Netzwerk-Übung wird vorbereitet.||Bitte warten."));
    const bool ok = engine_->StarteUebung(S, O);
    if (lehrer && MeldForm)
        MeldForm->hide();
    H.SetzeTitel(engine_->Titel());
    if (!ok) {
        if (lehrer)
            H.LoescheNetzDatei();
        Scheitern();
        return false;
    }
    if (lehrer) {
        NetzUebungBereit();
        return true;
    }
    ZeigeUebungsStatus(Level());
    Fl.ZeitTimer->start();
    ZeigeFrage();
    return true;
}

void TUebungsAnsicht::Scheitern()
{
    // The engine has shown its message; leave without asking.
    Fl.ZeitTimer->stop();
    frageAngezeigt_ = false;
    // As "&Lernkarte" does; in the restore mode nothing asks first.
    H.Fensterzustand().Ansichtsmodus = kAnsichtWiederherstellen;
    H.SetzeZoom(0);
    H.ZeigeLernkarte();
}

void TUebungsAnsicht::NetzUebungBereit()
{
    if (H.Fensterzustand().AktKartID.isEmpty())
        H.Fensterzustand().AktKartID = H.Fensterzustand().Uebung.UebKartID;
    LehrerProtokoll = H.Fensterzustand().Uebung.Uebungsprotokoll;
    H.ZeigeLernkarte();
}

void TUebungsAnsicht::BeendeUebungsAnzeige()
{
    Fl.ZeitTimer->stop();
    ZeigeUebungsZeit();
    FragNrLab->SetCaption({});
    ZeigeUebungsStatus(2);
    FragNrLab->SetCaption(QStringLiteral("Ende"));
    FragePan->hide();
    AntPan->hide();
    for (THoverPanel* b : ABtn) {
        b->SetCaption({});
        b->SetColors(kAntwortNorm, kAntwortHover, kAntwortCheck);
    }
    frageAngezeigt_ = false;
    ergebnisDa_ = true;
    const TUebErgebnis E = engine_->Ergebnis();
    if (UebErgebForm) {
        UebErgebForm->SetzeErgebnis(H.Fensterzustand().Uebung.Uebungsprotokoll, E.Quote, E.Bewertung, E.Farbe);
        UebErgebForm->SetzeErgebnisKnoepfe(true);
    }
    H.Fensterzustand().NetzTeilnehmer = false;
}

void TUebungsAnsicht::ZeigeUebungsErgebnis()
{
    if (!UebErgebForm)
        return;
    const int r = UebModal(UebErgebForm);
    HauptfensterZustand& Z = H.Fensterzustand();
    const Uebungszustand& U = Z.Uebung;
    if (r == mbRetry) {
        StarteUebung(U.UebKartID, U.UebGebiet, UebErgebForm->ExaktCheck1->isChecked() ? U.UebRandSeed : 0,
                     U.UebIntensitaet);
        return;
    }
    // "Zur Übungsauswahl", "Zur Lernkarte", Esc and the frame: the learning map first.
    if (Z.AktKartID.isEmpty())
        Z.AktKartID = U.UebKartID;
    H.SetzeZoom(0);
    H.ZeigeLernkarte();
    if (r == mbOK)
        UebungStart1Click();
}

void TUebungsAnsicht::LetzteUebung1Click()
{
    const Uebungszustand& U = H.Fensterzustand().Uebung;
    // An exercise that ended without its result (no question could be generated) has none to show.
    if (!U.UebungBeendet || U.UebKartID.isEmpty() || !UebErgebForm || !ergebnisDa_) {
        ZeigeInfo(QStringLiteral("Es wurde noch keine Übung durchgeführt oder die letzte Übung wurde nicht "
                                 "vollständig bearbeitet."));
        return;
    }
    UebErgebForm->SetzeErgebnisKnoepfe(false);
    UebModal(UebErgebForm);
    UebErgebForm->SetzeErgebnisKnoepfe(true);
}

void TUebungsAnsicht::Fragetypen1Click()
{
    if (UebungsoptForm && UebungsoptForm->Bearbeite(H.Fensterzustand().FragTypMasken[3]))
        H.SchreibeEinstellung(QStringLiteral("FragTypOk"));
}

void TUebungsAnsicht::UebKartDarstClick()
{
    if (UebKartDarstForm && UebKartDarstForm->Bearbeite(UebKartTyp))
        H.SchreibeEinstellung(QStringLiteral("UebKartTyp"));
}

} // namespace zl
