#include "learning/mainwindow/widgets/zl_lernkarte.h"

#include "controls/Dspez.h"
#include "controls/HoverPanel.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_lernlayout.h"
#include "platform/MessageService.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>

#include <algorithm>

namespace zl
{

namespace
{

constexpr int kStreifenBreite = 25;
constexpr int kZoomPanHoehe = 150;
// Rows of 17 px put the marker at the grid top + 52 beside the capital row.
constexpr int kGridZeile = 17;
constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

THoverPanel* Knopf(QWidget* Eltern, const QString& Name, const QString& Text)
{
    auto* k = new THoverPanel(Eltern);
    k->setObjectName(Name);
    k->SetCaption(Text);
    k->setCursor(Qt::PointingHandCursor);
    return k;
}

QWidget* Flaeche(QWidget* Eltern, const QString& Name)
{
    auto* w = new QWidget(Eltern);
    w->setObjectName(Name);
    return w;
}

QAction* Punkt(QMenu* Menue, QObject* Eltern, const QString& Name, const QString& Text, QActionGroup* Gruppe = nullptr,
               bool Haken = false)
{
    auto* a = new QAction(Text, Eltern);
    a->setObjectName(Name);
    if (Gruppe || Haken)
        a->setCheckable(true);
    if (Gruppe)
        Gruppe->addAction(a);
    Menue->addAction(a);
    return a;
}

} // namespace

TLernkarteAnsicht::TLernkarteAnsicht(TForm1& Form) : QObject(&Form), F(Form)
{
    QWidget* Karte = F.LernKartPan;
    LernKartBackImg = new TImage(Karte);
    LernKartBackImg->setObjectName(QStringLiteral("LernKartBackImg"));
    LernKartPicImg = new TBildFlaeche(Karte);
    LernKartPicImg->setObjectName(QStringLiteral("LernKartPicImg"));
    LernKartPicImg->OnMausDruck = [this](QMouseEvent*) {
        if (LernPfeilImg->isVisible())
            LernPfeilImg->hide();
        else if (GewaehltesObjekt() >= 0)
            LernPfeilImg->show();
    };
    LernPfeilImg = new TZeigerPfeil(Karte);
    LernPfeilImg->setObjectName(QStringLiteral("LernPfeilImg"));

    QWidget* Spalte = F.LernObjPan;
    LernInfoBackImg = new TImage(Spalte);
    LernInfoBackImg->setObjectName(QStringLiteral("LernInfoBackImg"));
    LernObjFlaeche = Flaeche(Spalte, QStringLiteral("LernObjFlaeche"));
    LernObjShape = Flaeche(LernObjFlaeche, QStringLiteral("LernObjShape"));
    ObjReiterPan = Flaeche(LernObjFlaeche, QStringLiteral("ObjReiterPan"));
    IntensReiterPan = Flaeche(LernObjFlaeche, QStringLiteral("IntensReiterPan"));
    ReiterTrennPan = Flaeche(LernObjFlaeche, QStringLiteral("ReiterTrennPan"));
    const char* Knoepfe[5] = {"LernListLaenderBtn", "LernListStaedteBtn", "LernListGewaesserBtn", "LernListGebirgeBtn",
                              "LernListInselnBtn"};
    const QString Titel[5] = {QStringLiteral("Länder     "), QStringLiteral("Städte     "),
                              QStringLiteral("Gewässer     "), QStringLiteral("Landschaft     "),
                              QStringLiteral("Inseln     ")};
    for (int g = 0; g < 5; ++g) {
        ReiterKnopf[g] = Knopf(LernObjFlaeche, QLatin1String(Knoepfe[g]), Titel[g]);
        ReiterKnopf[g]->SetAlignment(taLeftJustify);
        QObject::connect(ReiterKnopf[g], &THoverPanel::OnClick, this, [this, g] { ZeigeObjektListe(g + 1); });
        ObjCheckPan[g] = Knopf(LernObjFlaeche, QStringLiteral("ObjCheckPan%1").arg(g + 1), QString());
        QObject::connect(ObjCheckPan[g], &THoverPanel::OnClick, this, [this, g] { ZeigeObjektListe(g + 1); });
        LernObjListCheck[g] = new QCheckBox(ObjCheckPan[g]);
        LernObjListCheck[g]->setObjectName(QStringLiteral("LernObjListCheck%1").arg(g + 1));
        LernObjListCheck[g]->setChecked(true);
        QObject::connect(LernObjListCheck[g], &QCheckBox::clicked, this, [this, g] { UebernehmeEbenenHaken(g); });
    }
    for (int l = 0; l < 3; ++l) {
        IntensPan[l] = Knopf(LernObjFlaeche, QStringLiteral("IntensPan%1").arg(l + 1), QString());
        QObject::connect(IntensPan[l], &THoverPanel::OnClick, this, [this, l] {
            SetzeIntensitaet(l + 1);
            F.Settings.Schreibe(QStringLiteral("Intensität"), F.Zustand);
        });
    }
    LernList = new QListWidget(LernObjFlaeche);
    LernList->setObjectName(QStringLiteral("LernList"));
    LernList->installEventFilter(this);
    QObject::connect(LernList, &QListWidget::itemClicked, this, [this] { LernListKlick(); });
    QObject::connect(LernList, &QListWidget::currentRowChanged, this, [this] {
        if (!m_listeProgramm)
            LernListKlick();
    });

    LernInfoFlagPan = Flaeche(LernObjFlaeche, QStringLiteral("LernInfoFlagPan"));
    LernInfoFlagImg = new TBildFlaeche(LernInfoFlagPan);
    LernInfoFlagImg->setObjectName(QStringLiteral("LernInfoFlagImg"));
    LernInfoFlagLab = new QLabel(LernInfoFlagPan);
    LernInfoFlagLab->setObjectName(QStringLiteral("LernInfoFlagLab"));
    LernInfoFlagLab->setWordWrap(true);
    LernInfoFlagLab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LernInfoGrid = new QTableWidget(5, 2, LernObjFlaeche);
    LernInfoGrid->setObjectName(QStringLiteral("LernInfoGrid"));
    LernInfoGrid->horizontalHeader()->hide();
    LernInfoGrid->verticalHeader()->hide();
    LernInfoGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LernInfoGrid->setSelectionMode(QAbstractItemView::NoSelection);
    LernInfoGrid->setFocusPolicy(Qt::NoFocus);
    LernInfoGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LernInfoGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < 5; ++r) {
        LernInfoGrid->setRowHeight(r, kGridZeile);
        for (int c = 0; c < 2; ++c)
            LernInfoGrid->setItem(r, c, new QTableWidgetItem);
    }
    HSInfoZusatzPan = Knopf(LernObjFlaeche, QStringLiteral("HSInfoZusatzPan"), QStringLiteral("i"));
    HSInfoZusatzPan->hide();

    LernZoomPan = Flaeche(Spalte, QStringLiteral("LernZoomPan"));
    ZoomKnopfPan = Flaeche(LernZoomPan, QStringLiteral("ZoomKnopfPan"));
    ZoomInPan = Knopf(ZoomKnopfPan, QStringLiteral("ZoomInPan"), QStringLiteral("+"));
    ZoomInPan->setToolTip(QStringLiteral("Hineinzoomen"));
    ZoomOutPan = Knopf(ZoomKnopfPan, QStringLiteral("ZoomOutPan"), QStringLiteral("-"));
    ZoomOutPan->setToolTip(QStringLiteral("Herauszoomen"));
    QObject::connect(ZoomInPan, &THoverPanel::OnClick, this, [this] { Befehl(TViewportBefehl::ZoomRein); });
    QObject::connect(ZoomOutPan, &THoverPanel::OnClick, this, [this] { Befehl(TViewportBefehl::ZoomRaus); });
    const TViewportBefehl ZoomBefehle[5] = {TViewportBefehl::Standardgroesse, TViewportBefehl::Zoom1,
                                            TViewportBefehl::Zoom2, TViewportBefehl::Zoom3, TViewportBefehl::Zoom4};
    for (int i = 0; i < 5; ++i) {
        ZoomPan[i] = Knopf(ZoomKnopfPan, QStringLiteral("ZoomPan%1").arg(i), ZoomBeschriftung(i));
        const TViewportBefehl b = ZoomBefehle[i];
        QObject::connect(ZoomPan[i], &THoverPanel::OnClick, this, [this, b] { Befehl(b); });
    }
    LernKartMiniImg = new TBildFlaeche(LernZoomPan);
    LernKartMiniImg->setObjectName(QStringLiteral("LernKartMiniImg"));
    LernKartMiniImg->OnMausBewegung = [this](QMouseEvent* e) { MiniKarteMaus(e, false); };
    LernKartMiniImg->OnMausDruck = [this](QMouseEvent* e) { MiniKarteMaus(e, true); };
    LernKartMiniImg->OnMausVerlassen = [this] { LernKartMiniShape->hide(); };
    LernKartMiniMark = new TMiniMarke(LernZoomPan);
    LernKartMiniMark->setObjectName(QStringLiteral("LernKartMiniMark"));
    LernKartMiniShape = new TRahmenForm(LernZoomPan, QColor(255, 0, 0), 1);
    LernKartMiniShape->setObjectName(QStringLiteral("LernKartMiniShape"));

    const QString Typen[4] = {QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"), QStringLiteral("PW")};
    THoverPanel* TypKnoepfe[4] = {F.KartTypRSPan, F.KartTypRHPan, F.KartTypPFPan, F.KartTypPWPan};
    for (int i = 0; i < 4; ++i) {
        const QString t = Typen[i];
        QObject::connect(TypKnoepfe[i], &THoverPanel::OnClick, this, [this, t] { SetzeKartTyp(t); });
    }
    ErzeugeMenues();
}

void TLernkarteAnsicht::ErzeugeMenues()
{
    QMenu* A = F.Ansicht1;
    Hineinzoomen1 = Punkt(A, this, QStringLiteral("Hineinzoomen1"), QStringLiteral("&Hineinzoomen"));
    Herauszoomen1 = Punkt(A, this, QStringLiteral("Herauszoomen1"), QStringLiteral("He&rauszoomen"));
    Standardgroesse1 = Punkt(A, this, QStringLiteral("Standardgroesse1"), QStringLiteral("Auf &Standardgröße"));
    A->addSeparator();
    Links1 = Punkt(A, this, QStringLiteral("NachLinks1"), QStringLiteral("Nach &links scrollen"));
    Rechts1 = Punkt(A, this, QStringLiteral("NachRechts1"), QStringLiteral("Nach &rechts scrollen"));
    Oben1 = Punkt(A, this, QStringLiteral("NachOben1"), QStringLiteral("Nach &oben scrollen"));
    Unten1 = Punkt(A, this, QStringLiteral("NachUnten1"), QStringLiteral("Nach &unten scrollen"));
    // The keys (Ctrl with the numeric pad and the arrows) are the main window's; the items
    // only name them.
    const std::pair<QAction*, const char*> Tasten[] = {
        {Hineinzoomen1, "Strg+Num +"}, {Herauszoomen1, "Strg+Num -"}, {Standardgroesse1, "Strg+Num 0"},
        {Links1, "Strg+Links"},        {Rechts1, "Strg+Rechts"},      {Oben1, "Strg+Oben"},
        {Unten1, "Strg+Unten"}};
    for (const auto& [a, t] : Tasten)
        a->setText(a->text() + QLatin1Char('\t') + QLatin1String(t));
    const std::pair<QAction*, TViewportBefehl> Befehle[] = {{Hineinzoomen1, TViewportBefehl::ZoomRein},
                                                            {Herauszoomen1, TViewportBefehl::ZoomRaus},
                                                            {Standardgroesse1, TViewportBefehl::Standardgroesse},
                                                            {Links1, TViewportBefehl::Links},
                                                            {Rechts1, TViewportBefehl::Rechts},
                                                            {Oben1, TViewportBefehl::Oben},
                                                            {Unten1, TViewportBefehl::Unten}};
    for (const auto& [a, b] : Befehle) {
        const TViewportBefehl bb = b;
        QObject::connect(a, &QAction::triggered, this, [this, bb] { Befehl(bb); });
    }

    QMenu* K = F.Kartendarstellung1;
    auto* Typ = new QActionGroup(this);
    const char* TypNamen[4] = {"Physisch/Relief-&Standard", "Physisch/Relief-&Hell", "Politisch-&Farbig",
                               "Politisch-&Weiß"};
    const QString Typen[4] = {QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"), QStringLiteral("PW")};
    const Qt::Key Ziffern[4] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4};
    for (int i = 0; i < 4; ++i) {
        KartTypPunkt[i] = Punkt(K, this, QStringLiteral("KartTyp") + Typen[i], QString::fromUtf8(TypNamen[i]), Typ);
        KartTypPunkt[i]->setShortcut(QKeySequence(Qt::CTRL | Ziffern[i]));
        const QString t = Typen[i];
        QObject::connect(KartTypPunkt[i], &QAction::triggered, this, [this, t] { SetzeKartTyp(t); });
    }
    // The buttons' short captions are words of their menu items; the hint gives the whole item.
    THoverPanel* TypKnoepfe[4] = {F.KartTypRSPan, F.KartTypRHPan, F.KartTypPFPan, F.KartTypPWPan};
    for (int i = 0; i < 4; ++i)
        TypKnoepfe[i]->setToolTip(QString(KartTypPunkt[i]->text()).remove(QLatin1Char('&')) + QStringLiteral(" (") +
                                  KartTypPunkt[i]->shortcut().toString(QKeySequence::NativeText) +
                                  QLatin1Char(')'));
    K->addSeparator();
    auto* Stil = new QActionGroup(this);
    SchriftKontrast1 = Punkt(K, this, QStringLiteral("SchriftKontrast1"), QStringLiteral("Schrift-&Kontrast"), Stil);
    SchriftNormal1 = Punkt(K, this, QStringLiteral("SchriftNormal1"), QStringLiteral("Schrift-&Normal"), Stil);
    QObject::connect(SchriftKontrast1, &QAction::triggered, this, [this] { SetzeKartenschrift(0); });
    QObject::connect(SchriftNormal1, &QAction::triggered, this, [this] { SetzeKartenschrift(1); });
    K->addSeparator();
    auto* Groesse = new QActionGroup(this);
    const char* GroesseNamen[3] = {"Schriftgröße k&lein", "Schriftgröße nor&mal", "Schriftgröße &groß"};
    for (int i = 0; i < 3; ++i) {
        SchriftGroesse[i] =
            Punkt(K, this, QStringLiteral("Schriftgroesse%1").arg(i), QString::fromUtf8(GroesseNamen[i]), Groesse);
        QObject::connect(SchriftGroesse[i], &QAction::triggered, this, [this, i] { SetzeFontFakIndex(i); });
    }

    QMenu* B = F.Beschriftungen1;
    auto* Intens = new QActionGroup(this);
    const char* IntensNamen[3] = {"&1 - Basis", "&2 - Aufbau", "&3 - Experte"};
    for (int l = 0; l < 3; ++l) {
        IntensPunkt[l] =
            Punkt(B, this, QStringLiteral("Intensitaet%1").arg(l + 1), QLatin1String(IntensNamen[l]), Intens);
        IntensPunkt[l]->setShortcut(QKeySequence(Qt::ALT | Ziffern[l]));
        QObject::connect(IntensPunkt[l], &QAction::triggered, this, [this, l] {
            SetzeIntensitaet(l + 1);
            F.Settings.Schreibe(QStringLiteral("Intensität"), F.Zustand);
        });
    }
    B->addSeparator();
    const char* EbenenNamen[kEbenen] = {"&Länder", "&Städte", "&Gewässer", "Lan&dschaften", "&Inseln", "&Kreise"};
    for (int e = 0; e < kEbenen; ++e) {
        LernObjCheck[e] = Punkt(B, this, QStringLiteral("LernObjCheck%1").arg(e + 1), QString::fromUtf8(EbenenNamen[e]),
                                nullptr, true);
        LernObjCheck[e]->setChecked(true);
        QObject::connect(LernObjCheck[e], &QAction::triggered, this, [this, e] { EbeneKlick(e); });
    }
    LernObjCheck[5]->setVisible(false);
    B->addSeparator();
    AlleEinblenden1 = Punkt(B, this, QStringLiteral("AlleEinblenden1"), QStringLiteral("Alle &einblenden"));
    AlleAusblenden1 = Punkt(B, this, QStringLiteral("AlleAusblenden1"), QStringLiteral("Alle &ausblenden"));
    QObject::connect(AlleEinblenden1, &QAction::triggered, this, [this] { AlleEbenen(true); });
    QObject::connect(AlleAusblenden1, &QAction::triggered, this, [this] { AlleEbenen(false); });
}

std::array<bool, kEbenen> TLernkarteAnsicht::Ebenen() const
{
    std::array<bool, kEbenen> e{};
    for (int i = 0; i < kEbenen; ++i)
        e[i] = LernObjCheck[i]->isChecked();
    return e;
}

int TLernkarteAnsicht::GewaehltesObjekt() const
{
    const QListWidgetItem* i = LernList->currentItem();
    if (!i || !i->isSelected())
        return -1;
    return i->data(Qt::UserRole).toInt();
}

// ---- Screen -------------------------------------------------------------------

void TLernkarteAnsicht::ZeigeLernkarte()
{
    HauptfensterZustand& Z = F.Zustand;
    if (Z.Ansichtsmodus != Lernkarte)
        F.LernObjPan->hide();
    Z.Ansichtsmodus = Lernkarte;
    Z.NetzTeilnehmer = false;
    LernPfeilImg->hide();
    LernKartMiniMark->hide();
    m_listeProgramm = true;
    LernList->setCurrentRow(-1);
    LernList->clearSelection();
    m_listeProgramm = false;
    F.ZeigeModus();
    F.SetzeTitel(TitelLernkarte(KartenName(Z.AktKartID)));

    // Tool bar.
    THoverPanel* Leiste[7] = {F.KartenAuswBtn,    F.LernKartBtn, F.UebungenBtn,     F.NetzUebTeilnehmenBtn,
                              F.SchiebePuzzleBtn, F.SuchBtn2,    F.DatentabelleBtn2};
    const auto Plaetze = WerkzeugKnoepfe(F.InfoPan->width());
    for (int i = 0; i < 7; ++i)
        Leiste[i]->setGeometry(Plaetze[i].Left, Leiste[i]->y(), Plaetze[i].Width, Leiste[i]->height());
    const QRect Dt = F.DatentabelleBtn2->geometry();
    const auto Typ = KartTypKnoepfe(Dt.x() + Dt.width(), Dt.width(), F.ZLTextImg1->x());
    THoverPanel* TypKnoepfe[4] = {F.KartTypRSPan, F.KartTypRHPan, F.KartTypPFPan, F.KartTypPWPan};
    for (int i = 0; i < 4; ++i)
        TypKnoepfe[i]->setGeometry(Typ[i].Left, TypKnoepfe[i]->y(), Typ[i].Width, TypKnoepfe[i]->height());
    AktualisiereKartendarstellung();

    // Page: the map on the left, the column on the right. A status strip the frame keeps at the
    // bottom stays free.
    const int W = F.LernPan->width();
    const int H = (F.InfoPan->isVisibleTo(F.LernPan) && F.InfoPan->y() > 57) ? F.InfoPan->y() : F.LernPan->height();
    const TLernSeite Seite = LernSeitenAufteilung(W, H);
    F.LernKartPan->setGeometry(Seite.KartPan);
    if (Seite.KartPan != m_kartPanRect) {
        m_kartPanRect = Seite.KartPan;
        ZeichneHintergrund(LernKartBackImg);
        LernKartBackImg->lower();
        LernKartPicImg->setGeometry(12, 12, std::max(0, Seite.KartPan.width() - 24),
                                    std::max(0, Seite.KartPan.height() - 24));
    }
    F.LernObjPan->setGeometry(Seite.InfoPan);
    OrdneSpalte();
    ZeichneSeitenHintergrund(LernInfoBackImg);
    LernInfoBackImg->lower();

    ZaehleLernObjekte();
    SetzeIntensitaet(Z.LernIntensitaet);
    F.LernObjPan->show();
    WaehleLernObjekt(-1, false);
}

void TLernkarteAnsicht::OrdneSpalte()
{
    const int W2 = F.LernObjPan->width(), H2 = F.LernObjPan->height();
    const TLernSpalte s = LernSpaltenAufteilung(W2, H2, kZoomPanHoehe, 5 * kGridZeile + 2);
    LernZoomPan->setGeometry(s.ZoomPan);
    LernObjFlaeche->setGeometry(s.ObjPan);
    LernInfoGrid->setGeometry(s.Grid);
    LernInfoGrid->setColumnWidth(0, s.GridSpalte0);
    LernInfoGrid->setColumnWidth(1, std::max(0, s.GridSpalte1));
    HSInfoZusatzPan->setGeometry(s.Marker);
    LernInfoFlagPan->setGeometry(s.FlagPan);
    LernInfoFlagImg->setGeometry(s.FlagImg);
    LernInfoFlagLab->setGeometry(s.FlagLab);
    LernInfoFlagLab->setText(F.AnredeDu->isChecked()
                                 ? QStringLiteral("Wähle einen Eintrag aus der Liste, um die Daten anzuzeigen.")
                                 : QStringLiteral("Wählen Sie einen Eintrag aus der Liste, um die Daten anzuzeigen."));

    const TLernReiter r = LernReiterAufteilung(s.ObjPan.width());
    for (int g = 0; g < 5; ++g) {
        ObjCheckPan[g]->setGeometry(r.ObjCheckPan[g]);
        LernObjListCheck[g]->setGeometry(r.CheckBox);
        ReiterKnopf[g]->setGeometry(r.ObjKnopf[g]);
    }
    for (int l = 0; l < 3; ++l)
        IntensPan[l]->setGeometry(r.IntensPan[l]);
    const int CW = s.ObjPan.width() - 8;
    LernObjShape->setGeometry(4, 8, std::max(0, CW - 4), std::max(0, s.ObjPan.height() - 17));
    LernObjShape->lower();
    LernList->setGeometry(9, 8 + 5 * 21 + 6, std::max(0, CW - 9), LernList->height());

    // Zoom panel: the buttons at the right, the mini-map beside them.
    ZoomKnopfPan->setGeometry(std::max(0, s.ZoomPan.width() - 86), 10, 74, kZoomPanHoehe - 20);
    ZoomOutPan->setGeometry(0, 0, 36, 24);
    ZoomInPan->setGeometry(38, 0, 36, 24);
    for (int i = 0; i < 5; ++i)
        ZoomPan[i]->setGeometry(0, 28 + 20 * i, 74, 19);
    LernKartMiniImg->setGeometry(MiniKartenRect(ZoomKnopfPan->x(), kZoomPanHoehe));
}

void TLernkarteAnsicht::ZaehleLernObjekte()
{
    m_anzahl = zl::ZaehleLernObjekte(ObjDaten, F.Zustand.AktKartID);
}

void TLernkarteAnsicht::FuelleLernlisten(bool MitIntensitaet)
{
    m_listeProgramm = true;
    LernList->clearSelection();
    LernList->clear();
    m_listeProgramm = false;
    F.Zustand.Lernlisten =
        zl::FuelleLernlisten(ObjDaten, F.Zustand.AktKartID, F.Zustand.LernIntensitaet, MitIntensitaet);
}

void TLernkarteAnsicht::AktualisiereLernlisten(bool MitIntensitaet)
{
    FuelleLernlisten(MitIntensitaet);
    if (F.Zustand.Ansichtsmodus == Lernkarte)
        ZeigeObjektListe(GueltigerReiter(F.Zustand.ObjReiter));
}

void TLernkarteAnsicht::ZeigeObjektListe(int Reiter)
{
    HauptfensterZustand& Z = F.Zustand;
    const int t = GueltigerReiter(Reiter);
    m_listeProgramm = true;
    LernList->clear();
    for (const TLernEintrag& e : Z.Lernlisten[t - 1]) {
        auto* i = new QListWidgetItem(e.Text, LernList);
        i->setData(Qt::UserRole, e.Objekt);
    }
    LernList->setCurrentRow(-1);
    m_listeProgramm = false;
    Z.ObjReiter = t;
    for (int g = 0; g < 5; ++g)
        ReiterKnopf[g]->SetChecked(g == t - 1);

    const QRect Knopf = ReiterKnopf[t - 1]->geometry();
    ObjReiterPan->setGeometry(ObjReiterStreifen(Knopf, kStreifenBreite, t));
    const TColor Farbe = Kategoriefarbe(Z.Kategoriefarben, t, Z.LernIntensitaet);
    FaerbeFlaeche(ObjReiterPan, Farbe);
    FaerbeFlaeche(LernObjShape, Farbe);
    for (int l = 0; l < 3; ++l) {
        const TColor c = Kategoriefarbe(Z.Kategoriefarben, t, l + 1);
        IntensPan[l]->SetColors(c, -1, c);
    }
    FaerbeFlaeche(IntensReiterPan, Farbe);
    PositioniereReiterTrenner();
    const QStringList Texte = IntensitaetsBeschriftungen(m_anzahl, t);
    for (int l = 0; l < 3; ++l)
        IntensPan[l]->SetCaption(Texte[l]);
    ObjReiterPan->raise();
    IntensReiterPan->raise();
    ReiterTrennPan->raise();
    WaehleLernObjekt(-1, false);
}

void TLernkarteAnsicht::SetzeIntensitaet(int Stufe)
{
    HauptfensterZustand& Z = F.Zustand;
    const int l = std::clamp(Stufe, 1, 3);
    Z.LernIntensitaet = l;
    for (int i = 0; i < 3; ++i) {
        IntensPan[i]->SetChecked(i == l - 1);
        IntensPunkt[i]->setChecked(i == l - 1);
    }
    IntensReiterPan->setGeometry(IntensReiterStreifen(IntensPan[0]->geometry(), kStreifenBreite, l));
    const int t = GueltigerReiter(Z.ObjReiter);
    FaerbeFlaeche(IntensReiterPan, Kategoriefarbe(Z.Kategoriefarben, t, l));
    for (int g = 0; g < 5; ++g) {
        const TColor c = Kategoriefarbe(Z.Kategoriefarben, g + 1, l);
        ReiterKnopf[g]->SetColors(c, -1, c);
    }
    PositioniereReiterTrenner();
    if (Z.Ansichtsmodus == Lernkarte) {
        for (THoverPanel* p : IntensPan)
            p->update();
        if (!Z.ErsteAktivierung) {
            AktualisiereLernlisten(F.ObjEditorSichtbar());
            ZeichneLernkarte();
        }
    }
}

void TLernkarteAnsicht::PositioniereReiterTrenner()
{
    const QRect r = ReiterTrenner(IntensReiterPan->geometry(), ObjReiterPan->geometry(), IntensPan[0]->height(),
                                  ReiterKnopf[0]->height());
    ReiterTrennPan->setGeometry(r);
    const HauptfensterZustand& Z = F.Zustand;
    FaerbeFlaeche(
        ReiterTrennPan,
        MischeFarben(Kategoriefarbe(Z.Kategoriefarben, GueltigerReiter(Z.ObjReiter), Z.LernIntensitaet), clBlack, 0.1));
}

void TLernkarteAnsicht::PasseLernlisteAn()
{
    const int h = LernlistenHoehe(F.Zustand.ObjReiter, LernList->y(), LernInfoFlagPan->y(), LernObjFlaeche->height());
    LernList->resize(LernList->width(), std::max(0, h));
    LernList->raise();
    LernObjShape->resize(LernObjShape->width(), std::max(0, LernObjFlaeche->height() - 17));
}

void TLernkarteAnsicht::WaehleLernObjekt(int i, bool InListeWaehlen)
{
    HauptfensterZustand& Z = F.Zustand;
    PasseLernlisteAn();
    // A heading, no entry, or an index that no longer names a label.
    if (i < 0 || i >= ObjDaten.size()) {
        LernPfeilImg->hide();
        LernKartMiniMark->hide();
        ZeigeLaenderInfo(-1);
        return;
    }
    const ObjDataTyp o = ObjDaten[i];
    if (!InObjGruppe(o.ObjTyp, ReiterGruppe(Z.ObjReiter))) {
        const int g = ObjGruppe(o.ObjTyp);
        if (g >= 1 && g <= 5)
            ZeigeObjektListe(g);
    }
    if (o.Intens > Z.LernIntensitaet)
        SetzeIntensitaet(o.Intens);
    if (o.KartID == Z.AktKartID)
        PositioniereZeiger(o.Px, o.Py);
    if (InListeWaehlen) {
        m_listeProgramm = true;
        LernList->setEnabled(false);
        LernList->setCurrentRow(-1);
        LernList->clearSelection();
        for (int k = 0; k < LernList->count(); ++k)
            if (LernList->item(k)->data(Qt::UserRole).toInt() == i) {
                LernList->setCurrentRow(k);
                break;
            }
        LernList->setEnabled(true);
        m_listeProgramm = false;
        LernList->setFocus();
    }
    ZeigeLaenderInfo(i);
    F.ZeigeObjektImEditor(i);
}

void TLernkarteAnsicht::ZeigeLaenderInfo(int i)
{
    const TLaenderInfo Info = LaenderInfo(ObjDaten, i, LaenderDaten);
    for (int r = 0; r < 5; ++r) {
        LernInfoGrid->item(r, 0)->setText(Info.Titel.value(r));
        LernInfoGrid->item(r, 1)->setText(Info.Werte.value(r));
    }
    HSInfoZusatzPan->hide();
    LernInfoFlagImg->SetBild(QImage());
    LernInfoFlagLab->show();
    if (!Info.Gefunden)
        return;
    if (!Info.Flagge.isEmpty()) {
        QImage Flagge;
        try {
            if (LadeKartenbild(Flagge, LernInfoFlagImg->width(), LernInfoFlagImg->height(), FlaggenVerz + Info.Flagge,
                               true, true))
                LernInfoFlagImg->SetBild(Flagge);
        } catch (const EBildFehler&) {
            // A damaged flag shows no flag; the facts are shown all the same.
        }
    }
    if (!Info.Regierungssitz.isEmpty()) {
        HSInfoZusatzPan->setToolTip(Info.Regierungssitz);
        HSInfoZusatzPan->show();
        HSInfoZusatzPan->raise();
    }
    LernInfoFlagLab->hide();
}

void TLernkarteAnsicht::AktualisiereKartendarstellung()
{
    const int i = KartTypIndex(KartTyp);
    F.KartTypMarkPan->setGeometry(KartTypMarke(F.KartTypRSPan->geometry(), KartTyp));
    F.KartTypMarkPan->raise();
    KartTypPunkt[i]->setChecked(true);
    (std::clamp(F.Zustand.Kartenschrift, 0, 1) == 0 ? SchriftKontrast1 : SchriftNormal1)->setChecked(true);
    SchriftGroesse[std::clamp(F.Zustand.FontFakIndex, 0, 2)]->setChecked(true);
}

// ---- Viewport -------------------------------------------------------------------

void TLernkarteAnsicht::SetzeZoomStufe(int Stufe)
{
    F.Zustand.Viewport.SetzeZoomStufe(Stufe);
    for (int i = 0; i < 5; ++i) {
        ZoomPan[i]->SetChecked(i == F.Zustand.Viewport.ZoomStufe);
        ZoomPan[i]->update();
    }
}

void TLernkarteAnsicht::SetzeZoom(int Stufe)
{
    SetzeZoomStufe(Stufe);
    LernPfeilImg->hide();
    if (F.Zustand.Ansichtsmodus == Lernkarte) {
        ZeichneLernkarte();
        LernListKlick();
    }
}

void TLernkarteAnsicht::Befehl(TViewportBefehl B)
{
    if (const auto Stufe = FuehreAus(F.Zustand.Viewport, B))
        SetzeZoom(*Stufe);
}

void TLernkarteAnsicht::ZeichneLernkarte()
{
    HauptfensterZustand& Z = F.Zustand;
    if (Z.Ansichtsmodus != Lernkarte)
        return;
    TLernkartenEingabe E;
    E.BoxBreite = LernKartPicImg->width();
    E.BoxHoehe = LernKartPicImg->height();
    E.KartID = Z.AktKartID;
    E.KartTyp = KartTyp.isEmpty() ? QStringLiteral("RS") : KartTyp;
    E.Beschriftung.Objekte = &ObjDaten;
    E.Beschriftung.AktKartID = Z.AktKartID;
    E.Beschriftung.LernIntensitaet = Z.LernIntensitaet;
    E.Beschriftung.FontFakIndex = Z.FontFakIndex;
    E.Beschriftung.Kartenschrift = Z.Kartenschrift;
    E.Beschriftung.Ansichtsmodus = Z.Ansichtsmodus;
    E.Beschriftung.Ebenen = Ebenen();
    E.MiniBreite = LernKartMiniImg->width();
    E.MiniHoehe = LernKartMiniImg->height();
    try {
        if (!m_bild.Zeichne(E, Z.Viewport))
            return; // an empty box (minimised window): nothing changes
    } catch (const EBildFehler& e) {
        ZeigeFehler(e.message());
        return;
    }
    LernKartPicImg->SetBild(m_bild.Bild());
    LernKartPicImg->show();
    LernKartPicImg->repaint();
    LernKartMiniImg->SetBild(m_bild.MiniBild());
}

void TLernkarteAnsicht::PositioniereZeiger(double Px, double Py)
{
    const QImage& Bild = LernKartPicImg->Bild();
    if (const auto p =
            ZeigerPunkt(LernKartPicImg->geometry(), Bild.width(), Bild.height(), F.Zustand.Viewport.Ausschnitt, Px, Py))
        LernPfeilImg->Zeige(*p);
    if (F.Zustand.Ansichtsmodus == Lernkarte)
        PositioniereMiniMarke(Px, Py);
}

void TLernkarteAnsicht::BildpunktZuKarte(int X, int Y, double& Px, double& Py) const
{
    const QImage& Bild = LernKartPicImg->Bild();
    zl::BildpunktZuKarte(X, Y, LernKartPicImg->geometry(), Bild.width(), Bild.height(), F.Zustand.Viewport.Ausschnitt,
                         Px, Py);
}

void TLernkarteAnsicht::PositioniereMiniMarke(double Px, double Py)
{
    const QImage& Mini = LernKartMiniImg->Bild();
    if (Mini.isNull())
        return;
    LernKartMiniMark->move(MiniMarkenPunkt(LernKartMiniImg->geometry(), Mini.width(), Mini.height(), Px, Py));
    LernKartMiniMark->show();
    LernKartMiniMark->raise();
}

void TLernkarteAnsicht::MiniKarteMaus(QMouseEvent* e, bool Klick)
{
    const QPoint p = e->position().toPoint();
    const int cw = LernKartMiniImg->width(), ch = LernKartMiniImg->height();
    if (cw <= 0 || ch <= 0)
        return;
    int ax = 0, ay = 0;
    WaehleZoomAusschnitt(double(p.x()) / cw, double(p.y()) / ch, ax, ay);
    if (Klick) {
        F.Zustand.Viewport.SetzeAnker(ax, ay);
        SetzeZoom(F.Zustand.Viewport.ZoomStufe);
        return;
    }
    const QRect Bild = LernKartMiniImg->BildRect();
    if (!Bild.contains(p) || Bild.isEmpty()) {
        LernKartMiniImg->unsetCursor();
        return;
    }
    LernKartMiniImg->setCursor(Qt::PointingHandCursor);
    LernKartMiniShape->setGeometry(MiniKartenVorschau(F.Zustand.Viewport.Ausschnitt, ax, ay, Bild.width(),
                                                      Bild.height(), Bild.x() + LernKartMiniImg->x(),
                                                      Bild.y() + LernKartMiniImg->y()));
    LernKartMiniShape->show();
    LernKartMiniShape->raise();
}

// ---- List and settings ------------------------------------------------------------

void TLernkarteAnsicht::LernListKlick()
{
    WaehleLernObjekt(GewaehltesObjekt(), true);
}

void TLernkarteAnsicht::LernListTaste(QChar Zeichen)
{
    if (LernList->count() == 0)
        return;
    QStringList Texte;
    for (int i = 0; i < LernList->count(); ++i)
        Texte << LernList->item(i)->text();
    const QListWidgetItem* Akt = LernList->currentItem();
    const int Neu = SucheNachBuchstabe(Texte, Akt && Akt->isSelected() ? LernList->currentRow() : -1, Zeichen);
    if (Neu >= 0) {
        m_listeProgramm = true;
        LernList->setCurrentRow(Neu);
        m_listeProgramm = false;
    }
    LernListKlick();
}

void TLernkarteAnsicht::SetzeKartTyp(const QString& Typ)
{
    KartTyp = Typ;
    F.Settings.Schreibe(QStringLiteral("KartTyp"), F.Zustand);
    AktualisiereKartendarstellung();
    ZeichneLernkarte();
}

void TLernkarteAnsicht::SetzeKartenschrift(int Stil)
{
    F.Zustand.Kartenschrift = std::clamp(Stil, 0, 1);
    F.Settings.Schreibe(QStringLiteral("Kartenschrift"), F.Zustand);
    AktualisiereKartendarstellung();
    ZeichneLernkarte();
}

void TLernkarteAnsicht::SetzeFontFakIndex(int Index)
{
    F.Zustand.FontFakIndex = std::clamp(Index, 0, 2);
    F.Settings.Schreibe(QStringLiteral("FontFakIndex"), F.Zustand);
    AktualisiereKartendarstellung();
    ZeichneLernkarte();
}

void TLernkarteAnsicht::EbeneKlick(int e)
{
    // The item has toggled itself; the boxes of the five tabs follow it.
    if (e < 5)
        LernObjListCheck[e]->setChecked(LernObjCheck[e]->isChecked());
    ZeichneLernkarte();
}

void TLernkarteAnsicht::UebernehmeEbenenHaken(int e)
{
    if (LernObjListCheck[e]->isChecked() == LernObjCheck[e]->isChecked())
        return;
    LernObjCheck[e]->setChecked(LernObjListCheck[e]->isChecked());
    ZeichneLernkarte();
}

void TLernkarteAnsicht::AlleEbenen(bool An)
{
    for (QAction* a : LernObjCheck)
        a->setChecked(An);
    for (QCheckBox* b : LernObjListCheck)
        b->setChecked(An);
    ZeichneLernkarte();
}

bool TLernkarteAnsicht::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LernList && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const QString t = k->text();
        if (t.size() == 1 && t[0].isPrint() && !t[0].isSpace() &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            LernListTaste(t[0]);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zl
