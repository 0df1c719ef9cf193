#include "learning/mainwindow/widgets/zl_main.h"

#include "learning/mainwindow/widgets/zl_kartenauswahlseite.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main_ausgabe.h"

#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/widgets/zl_titel.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_lesezeichenmenue.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/widgets/zl_schiebansicht.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

namespace zl {
namespace {

constexpr TColor rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

const TColor kHoverNorm = rgb(173, 193, 239);
const TColor kHoverHover = rgb(197, 217, 255);
const TColor kHoverCheck = rgb(226, 236, 255);

QAction* punkt(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

QAction* wahlPunkt(QMenu* menu, QActionGroup* gruppe, const char* name, const QString& caption)
{
    QAction* a = punkt(menu, name, caption);
    a->setCheckable(true);
    if (gruppe)
        gruppe->addAction(a);
    return a;
}

QMenu* untermenue(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* hauptmenue(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QWidget* panel(QWidget* parent, const char* name)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

THoverPanel* knopf(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new THoverPanel(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->SetCaption(caption);
    // View buttons are narrow: long captions wrap and shrink to fit.
    b->SetWordWrap(true);
    b->SetFontAutoSize(true);
    b->SetMinFontSize(8); // smaller captions are hard to read
    return b;
}

void setzeSichtbar(QWidget* w, bool on)
{
    if (w && w->isVisibleTo(w->parentWidget()) != on)
        w->setVisible(on);
}

} // namespace

TForm1::TForm1(Einstellungen& S, QWidget* parent)
    : QMainWindow(parent), Puzzle(std::make_unique<TSchiebepuzzle>()), Settings(S)
{
    setObjectName(QStringLiteral("Form1"));
    Form1 = this;
    ZeitTimer = new QTimer(this);
    ZeitTimer->setObjectName(QStringLiteral("ZeitTimer"));
    ZeitTimer->setInterval(100);
    connect(ZeitTimer, &QTimer::timeout, this, [this] { ZeitTimerTimer(); });
    ErzeugeMenues();
    ErzeugePanels();
    ErzeugeAnsichten();
    VerbindeAusgabe(*this);
    VerbindeNetzwerk();
    // The form sees keys before its controls.
    qApp->installEventFilter(this);
    FormCreate();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::ErzeugeMenues()
{
    QMenuBar* bar = menuBar();
    Datei1 = hauptmenue(bar, "Datei1", QStringLiteral("&Datei"));
    KartenAuswahl1 = punkt(Datei1, "KartenAuswahl1", QStringLiteral("&Kartenauswahl"), Qt::Key_F5);
    Lernkarte1 = punkt(Datei1, "Lernkarte1", QStringLiteral("&Lernkarte"), Qt::Key_F6);
    Datei1->addSeparator();
    UebungStart1 = punkt(Datei1, "UebungStart1", QStringLiteral("&Übungen..."), Qt::Key_F7);
    Uebungabbrechen1 = punkt(Datei1, "Uebungabbrechen1", QStringLiteral("Übung &abbrechen"), Qt::Key_Escape);
    LetzteUebung1 = punkt(Datei1, "LetzteUebung1", QStringLiteral("Pr&otokoll der letzten Übung..."),
                          QKeySequence(Qt::ALT | Qt::Key_F7));
    Datei1->addSeparator();
    Netzwerkuebung1 = punkt(Datei1, "Netzwerkuebung1", QStringLiteral("An Netzwerk-Übung &teilnehmen..."),
                            QKeySequence(Qt::CTRL | Qt::Key_F7));
    NetzwerkUebInit = punkt(Datei1, "NetzwerkUebInit", QStringLiteral("&Netzwerk-Übung initiieren..."),
                            QKeySequence(Qt::CTRL | Qt::Key_F9));
    NetzwerkuebungProtokoll1 = punkt(Datei1, "NetzwerkuebungProtokoll1", QStringLiteral("Netz&werk-Übung Protokoll..."),
                                     QKeySequence(Qt::ALT | Qt::Key_F9));
    Datei1->addSeparator();
    Schiebepuzzle1 = punkt(Datei1, "Schiebepuzzle1", QStringLiteral("Schiebe&puzzle"), Qt::Key_F8);
    Suche1 = punkt(Datei1, "Suche1", QStringLiteral("&Suchen..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    Datentabelle1 = punkt(Datei1, "Datentabelle1", QStringLiteral("Länderdaten-&Vergleichstabellen"), Qt::Key_F4);
    Datei1->addSeparator();
    Drucken1 = punkt(Datei1, "Drucken1", QStringLiteral("&Drucken..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    Druckereinrichtung1 = punkt(Datei1, "Druckereinrichtung1", QStringLiteral("D&ruckereinrichtung..."));
    Exportieren1 = punkt(Datei1, "Exportieren1", QStringLiteral("&Exportieren..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    IndieZwischenablageEMF =
        punkt(Datei1, "IndieZwischenablageEMF", QStringLiteral("In &Zwischenablage kopieren (EMF) "));
    IndieZwischenablageBMP =
        punkt(Datei1, "IndieZwischenablageBMP", QStringLiteral("In Zw&ischenablage kopieren (BMP) "));
    Datei1->addSeparator();
    Beenden1 = punkt(Datei1, "Beenden1", QStringLiteral("&Beenden"));

    Ansicht1 = hauptmenue(bar, "Ansicht1", QStringLiteral("&Ansicht"));
    Kartendarstellung1 = hauptmenue(bar, "Kartendarstellung1", QStringLiteral("&Kartendarstellung"));
    Beschriftungen1 = hauptmenue(bar, "Beschriftungen1", QStringLiteral("&Beschriftungen"));

    UebungsOptionen1 = hauptmenue(bar, "UebungsOptionen1", QStringLiteral("&Übungs-Optionen"));
    Fragetypen1 = punkt(UebungsOptionen1, "Fragetypen1", QStringLiteral("&Fragetypen..."));
    UebKartDarst = punkt(UebungsOptionen1, "UebKartDarst", QStringLiteral("&Kartendarstellung..."));
    UebungenRueckmeld1 = untermenue(UebungsOptionen1, "UebungenRueckmeld1", QStringLiteral("Richtig/Falsch-&Rückmeldung"));
    auto* rf = new QActionGroup(this);
    UebRFLevel0 = wahlPunkt(UebungenRueckmeld1, rf, "UebRFLevel0", QStringLiteral("Nur &Protokoll"));
    UebRFLevel1 = wahlPunkt(UebungenRueckmeld1, rf, "UebRFLevel1", QStringLiteral("Sofortige &Rückmeldung"));
    UebRFLevel2 = wahlPunkt(UebungenRueckmeld1, rf, "UebRFLevel2", QStringLiteral("Sofortige Rückmeldung mit &Lösung"));
    FragWeiter = untermenue(UebungsOptionen1, "FragWeiter", QStringLiteral("Fragen-&Weiterschaltung"));
    auto* fw = new QActionGroup(this);
    FragWeiterManuell = wahlPunkt(FragWeiter, fw, "FragWeiterManuell", QStringLiteral("&Manuell"));
    FragWeiterAuto = wahlPunkt(FragWeiter, fw, "FragWeiterAuto", QStringLiteral("&Automatisch"));

    PuzzleOptionen1 = hauptmenue(bar, "PuzzleOptionen1", QStringLiteral("&Puzzle-Optionen"));
    auto* pt = new QActionGroup(this);
    Puzzle3x3 = wahlPunkt(PuzzleOptionen1, pt, "Puzzle3x3", QStringLiteral("&3 x 3 Teile"));
    Puzzle4x4 = wahlPunkt(PuzzleOptionen1, pt, "Puzzle4x4", QStringLiteral("&4 x 4 Teile"));
    Puzzle5x5 = wahlPunkt(PuzzleOptionen1, pt, "Puzzle5x5", QStringLiteral("&5 x 5 Teile"));
    PuzzleOptionen1->addSeparator();
    auto* pm = new QActionGroup(this);
    PuzzleMode0 = wahlPunkt(PuzzleOptionen1, pm, "PuzzleMode0", QStringLiteral("Nur &Nachbarteile anklickbar"));
    PuzzleMode1 = wahlPunkt(PuzzleOptionen1, pm, "PuzzleMode1", QStringLiteral("&Jedes Teil anklickbar"));

    Optionen1 = hauptmenue(bar, "Optionen1", QStringLiteral("Allg.-&Optionen"));
    Sound1 = wahlPunkt(Optionen1, nullptr, "Sound1", QStringLiteral("&Sound"));
    Animationen1 = untermenue(Optionen1, "Animationen1", QStringLiteral("&Animationen"));
    auto* an = new QActionGroup(this);
    Animation_ein = wahlPunkt(Animationen1, an, "Animation_ein", QStringLiteral("&Aktiviert"));
    Animation_aus = wahlPunkt(Animationen1, an, "Animation_aus", QStringLiteral("&Deaktiviert"));
    Animation_Standbild = wahlPunkt(Animationen1, an, "Animation_Standbild", QStringLiteral("&Standbild"));
    Anrede1 = untermenue(Optionen1, "Anrede1", QStringLiteral("A&nrede"));
    auto* ar = new QActionGroup(this);
    AnredeDu = wahlPunkt(Anrede1, ar, "AnredeDu", QStringLiteral("&Du"));
    AnredeSie = wahlPunkt(Anrede1, ar, "AnredeSie", QStringLiteral("&Sie"));
    Optionen1->addSeparator();
    Kommunikationsverzeichnis1 =
        punkt(Optionen1, "Kommunikationsverzeichnis1", QStringLiteral("Kommunikationsver&zeichnis..."));
    Optionen1->addSeparator();
    KartenObjDateiOeffnen1 = punkt(Optionen1, "KartenObjDateiOeffnen1",
                                   QStringLiteral("Kartenbeschriftungsdatei ö&ffnen..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_F10));
    BeschriftungEdit = punkt(Optionen1, "BeschriftungEdit", QStringLiteral("Karten&beschriftung bearbeiten..."),
                             QKeySequence(Qt::CTRL | Qt::Key_F11));

    LesezeichenMenu1 = hauptmenue(bar, "LesezeichenMenu1", QStringLiteral("&Lesezeichen"));
    LesezeichenDefinieren1 = punkt(LesezeichenMenu1, "LesezeichenDefinieren1", QStringLiteral("Neu &definieren..."));
    LesezeichenBearbeiten1 = punkt(LesezeichenMenu1, "LesezeichenBearbeiten1", QStringLiteral("&Bearbeiten..."));
    LesezeichenMenu1->addSeparator();

    Hilfe1 = hauptmenue(bar, "Hilfe1", QStringLiteral("&Hilfe"));
    Inhalt1 = punkt(Hilfe1, "Inhalt1", QStringLiteral("&Inhalt"), Qt::Key_F1);
    Homepage1 = punkt(Hilfe1, "Homepage1", QStringLiteral("Zelvaro - &Homepage"));
    Info1 = punkt(Hilfe1, "Info1", QStringLiteral("Inf&o..."));

    // The form's own checks.
    Animation_ein->setChecked(true);
    AnredeDu->setChecked(true);
    Puzzle3x3->setChecked(true);
    PuzzleMode0->setChecked(true);
    FragWeiterAuto->setChecked(true);
    UebRFLevel2->setChecked(true);
    Sound1->setChecked(true);

    connect(KartenAuswahl1, &QAction::triggered, this, [this] { KartenAuswahl1Click(); });
    connect(Lernkarte1, &QAction::triggered, this, [this] { Lernkarte1Click(); });
    connect(Uebungabbrechen1, &QAction::triggered, this, [this] { Lernkarte1Click(); });
    connect(Beenden1, &QAction::triggered, this, [this] { Beenden1Click(); });
    connect(AnredeDu, &QAction::triggered, this, [this] { AnredeDuClick(); });
    connect(AnredeSie, &QAction::triggered, this, [this] { AnredeSieClick(); });
    connect(Animation_ein, &QAction::triggered, this, [this] { Animation_einClick(); });
    connect(Animation_aus, &QAction::triggered, this, [this] { Animation_ausClick(); });
    connect(Animation_Standbild, &QAction::triggered, this, [this] { Animation_StandbildClick(); });
    connect(Sound1, &QAction::triggered, this, [this] { Sound1Click(); });
    connect(UebRFLevel0, &QAction::triggered, this, [this] { UebRFLevelClick(0); });
    connect(UebRFLevel1, &QAction::triggered, this, [this] { UebRFLevelClick(1); });
    connect(UebRFLevel2, &QAction::triggered, this, [this] { UebRFLevelClick(2); });
    connect(FragWeiterAuto, &QAction::triggered, this, [this] { FragWeiterClick(true); });
    connect(FragWeiterManuell, &QAction::triggered, this, [this] { FragWeiterClick(false); });
    connect(Puzzle3x3, &QAction::triggered, this, [this] { PuzzleTeileClick(3); });
    connect(Puzzle4x4, &QAction::triggered, this, [this] { PuzzleTeileClick(4); });
    connect(Puzzle5x5, &QAction::triggered, this, [this] { PuzzleTeileClick(5); });
    connect(PuzzleMode0, &QAction::triggered, this, [this] { PuzzleModeClick(0); });
    connect(PuzzleMode1, &QAction::triggered, this, [this] { PuzzleModeClick(1); });
    connect(Inhalt1, &QAction::triggered, this, [this] { Inhalt1Click(); });
    connect(Homepage1, &QAction::triggered, this, [this] { Homepage1Click(); });
    connect(Info1, &QAction::triggered, this, [this] { Info1Click(); });
    VerbindeSuche();
}

void TForm1::ErzeugePanels()
{
    Hauptflaeche = panel(this, "Hauptflaeche");
    setCentralWidget(Hauptflaeche);
    KartenAuswahlPan = panel(Hauptflaeche, "KartenAuswahlPan");
    LernPan = panel(Hauptflaeche, "LernPan");
    LernKartPan = panel(LernPan, "LernKartPan");
    LernObjPan = panel(LernPan, "LernObjPan");
    InfoPan = panel(LernPan, "InfoPan");
    UebenPan = panel(LernPan, "UebenPan");
    UebStatusPan = panel(LernPan, "UebStatusPan");
    SchiebBasisPan = panel(LernPan, "SchiebBasisPan");
    PuzzStatusPan = panel(LernPan, "PuzzStatusPan");

    KartenAuswBtn = knopf(LernPan, "KartenAuswBtn", QStringLiteral("Karten\u00ADauswahl"));
    LernKartBtn = knopf(LernPan, "LernKartBtn", QStringLiteral("Lernkarte"));
    UebungenBtn = knopf(LernPan, "UebungenBtn", QStringLiteral("Übungen"));
    NetzUebTeilnehmenBtn = knopf(LernPan, "NetzUebTeilnehmenBtn", QStringLiteral("Netzwerk"));
    SchiebePuzzleBtn = knopf(LernPan, "SchiebePuzzleBtn", QStringLiteral("Puzzle"));
    DatentabelleBtn2 = knopf(LernPan, "DatentabelleBtn2", QStringLiteral("Länderdaten"));
    SuchBtn2 = knopf(LernPan, "SuchBtn2", QStringLiteral("Suchen"));
    // View 1 has its own network and data-table buttons on the selection page.
    NetzUebTeilnehmenBtn1 = knopf(KartenAuswahlPan, "NetzUebTeilnehmenBtn1", QStringLiteral("Netzwerk"));
    DatentabelleBtn1 = knopf(KartenAuswahlPan, "DatentabelleBtn1", QStringLiteral("Länderdaten"));
    SchiebePuzzleBtn->setToolTip(QStringLiteral("Zum Schiebepuzzle mit der aktuellen Karte"));
    SuchBtn2->setToolTip(QStringLiteral("Nach Orten suchen"));
    KartTypRSPan = knopf(LernPan, "KartTypRSPan", QStringLiteral("Relief"));
    KartTypRHPan = knopf(LernPan, "KartTypRHPan", QStringLiteral("Relief hell"));
    KartTypPFPan = knopf(LernPan, "KartTypPFPan", QStringLiteral("Politisch farbig"));
    KartTypPWPan = knopf(LernPan, "KartTypPWPan", QStringLiteral("Politisch weiß"));
    KartTypMarkPan = panel(LernPan, "KartTypMarkPan");
    FaerbeFlaeche(KartTypMarkPan, rgb(255, 0, 0));
    ZLTextImg1 = new TImage(LernPan);
    ZLTextImg1->setObjectName(QStringLiteral("ZLTextImg1"));
    ZLTextImg1->SetPicture(TTitelForm::Logo(120, 49));
    KartEditShape = panel(LernKartPan, "KartEditShape");

    StatBackImg1 = new TImage(this);
    StatBackImg1->setObjectName(QStringLiteral("StatBackImg1"));
    StatBackImg1->hide();
    StatBackImg2 = new TImage(UebStatusPan);
    StatBackImg2->setObjectName(QStringLiteral("StatBackImg2"));
    StatBackImg3 = new TImage(PuzzStatusPan);
    StatBackImg3->setObjectName(QStringLiteral("StatBackImg3"));
    StatBackImg4 = new TImage(InfoPan);
    StatBackImg4->setObjectName(QStringLiteral("StatBackImg4"));

    connect(KartenAuswBtn, &THoverPanel::OnClick, this, [this] { KartenAuswahl1Click(); });
    connect(LernKartBtn, &THoverPanel::OnClick, this, [this] { Lernkarte1Click(); });
    // The buttons of the other views run their menu items.
    connect(UebungenBtn, &THoverPanel::OnClick, UebungStart1, &QAction::trigger);
    connect(SchiebePuzzleBtn, &THoverPanel::OnClick, Schiebepuzzle1, &QAction::trigger);
    connect(NetzUebTeilnehmenBtn, &THoverPanel::OnClick, Netzwerkuebung1, &QAction::trigger);
    connect(NetzUebTeilnehmenBtn1, &THoverPanel::OnClick, Netzwerkuebung1, &QAction::trigger);
    connect(DatentabelleBtn1, &THoverPanel::OnClick, Datentabelle1, &QAction::trigger);
    connect(DatentabelleBtn2, &THoverPanel::OnClick, Datentabelle1, &QAction::trigger);
    connect(SuchBtn2, &THoverPanel::OnClick, Suche1, &QAction::trigger);
}

void TForm1::FaerbeSteuerelemente()
{
    auto flaeche = [this](const char* name, TColor c) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) {
            if (auto* h = qobject_cast<THoverPanel*>(w))
                h->SetColor(c);
            else
                FaerbeFlaeche(w, c);
        }
    };
    auto hover = [this](const char* name, TColor norm, TColor hov, TColor check) {
        if (auto* h = findChild<THoverPanel*>(QString::fromLatin1(name)))
            h->SetColors(norm, hov, check);
    };
    for (const char* n : {"KartenAuswahlPan", "LernZoomPan", "LernKartPan", "UebenPan", "FPicPan", "FragePan", "AntPan"})
        flaeche(n, Flaechenfarbe);
    for (const char* n : {"WillkommenPan", "KartListPan", "LernPan", "InfoPan", "UebStatusPan", "PuzzStatusPan"})
        flaeche(n, Rahmenfarbe);
    for (const char* n : {"Shape1", "Shape2", "Shape3"})
        flaeche(n, rgb(201, 205, 214));
    for (const char* n : {"KartList1", "LernList", "LernInfoGrid"})
        flaeche(n, rgb(230, 234, 240));
    flaeche("LernInfoFlagPan", rgb(180, 190, 209));
    flaeche("KartImgShape", rgb(83, 94, 123));
    hover("HSInfoZusatzPan", MischeFarben(rgb(180, 190, 209), rgb(255, 255, 255), 0.4), rgb(197, 217, 255),
          rgb(230, 234, 240));
    for (const char* n :
         {"SuchBtn1", "SuchBtn2", "NetzUebTeilnehmenBtn", "NetzUebTeilnehmenBtn1", "DatentabelleBtn1",
          "DatentabelleBtn2", "KartAuswBtn", "KartenAuswBtn", "UebungenBtn", "LernKartBtn", "SchiebePuzzleBtn",
          "KartTypRSPan", "KartTypRHPan", "KartTypPFPan", "KartTypPWPan", "ZoomOutPan", "ZoomInPan", "ZoomPan0",
          "ZoomPan1", "ZoomPan2", "ZoomPan3", "ZoomPan4", "A1Btn", "A2Btn", "A3Btn", "A4Btn", "A5Btn"})
        hover(n, kHoverNorm, kHoverHover, kHoverCheck);
    const char* listen[] = {"LernListLaenderBtn", "LernListStaedteBtn", "LernListGewaesserBtn", "LernListGebirgeBtn",
                            "LernListInselnBtn"};
    for (int g = 0; g < kKategorien; ++g) {
        const TColor c = Zustand.Kategoriefarben[g][2];
        hover(listen[g], c, -1, c);
        hover(QStringLiteral("ObjCheckPan%1").arg(g + 1).toLatin1().constData(), c, c, c);
    }
    for (const char* n : {"IntensPan1", "IntensPan2", "IntensPan3"})
        hover(n, rgb(197, 208, 243), -1, rgb(197, 208, 243));
    for (const char* n : {"LernObjShape", "ObjReiterPan", "IntensReiterPan"})
        flaeche(n, rgb(226, 236, 255));
    flaeche("ZoomShape", rgb(197, 208, 243));
}

void TForm1::FormCreate()
{
    Zustand.ErsteAktivierung = true;
    Zustand.WirdGeschlossen = false;
    Zustand.KartenAuswahlSeite = QStringLiteral("EURSheet");
    Zustand.LernIntensitaet = 2;
    Zustand.UebRFLevel = 2;
    Zustand.Wahl.RFLevelMarke = 2;
    if (!VideosVorhanden())
        Zustand.Wahl.Animation = 2;

    MasterKonfigZuruecksetzen();
    EinstellungsUmgebung U;
    U.VideosVorhanden = VideosVorhanden();
    U.LeseLesezeichen = [this](const QString& t) { LeseLesezeichen(t); };
    LeseEinstellungen(Settings.Store(), Zustand, U);
    const int iniFehler = LeseEinstellungenIni(UserIniDatei, Zustand, U);
    Settings.MeldeLesefehler();
    if (iniFehler)
        ZeigeWarnung(EinstellungenNichtLesbarText(UserIniDatei, iniFehler));
    ZeigeMenueWahl();

    Zufall::Randomize();
    SetzeTitel(kProgrammTitel);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        setMinimumSize(MindestFenstergroesse(s->size().width(), s->size().height()));
    Zustand.Ansichtsmodus = Kartenauswahl;
    Zustand.NetzTeilnehmer = false;
    Zustand.TeilnehmerListe.clear();

    BackTeileImg = LadeMuster(DatenVerz, 1);
    BackTeileImg2 = LadeMuster(DatenVerz, 2);
    BackTeileImg3 = LadeMuster(DatenVerz, 3);
    LeseDialogFarben(BackTeileImg, BackTeileImg2);

    Zustand.Kategoriefarben = BerechneKategoriefarben();
    FaerbeSteuerelemente();

    Zustand.AktKartID = QStringLiteral("DEU");
    if (auto* ant = findChild<QWidget*>(QStringLiteral("AntPan"))) {
        if (QWidget* eltern = ant->parentWidget())
            ant->setGeometry(eltern->rect());
        if (auto* frage = findChild<QWidget*>(QStringLiteral("FragePan")))
            ant->setPalette(frage->palette());
    }
    for (auto& liste : Zustand.Lernlisten)
        liste.clear();

    QImage status(8, 24, QImage::Format_RGB32);
    status.fill(QColor(126, 153, 206));
    StatBackImg1->SetPicture(status);
    for (TImage* img : {StatBackImg2, StatBackImg3, StatBackImg4}) {
        img->setGeometry(img->parentWidget()->rect());
        img->SetPicture(StatBackImg1->Picture.scaled(img->size().expandedTo(QSize(1, 1))));
        img->lower();
    }

    Zustand.Viewport = TViewport{};
    AktualisiereKartendarstellung();
    BaueLesezeichenMenue();
    setWindowState(Qt::WindowMaximized);
}

void TForm1::ZeigeMenueWahl()
{
    const TMenueWahl& w = Zustand.Wahl;
    Sound1->setChecked(w.Sound);
    (w.Animation == 1 ? Animation_aus : w.Animation == 2 ? Animation_Standbild : Animation_ein)->setChecked(true);
    (w.AnredeDu ? AnredeDu : AnredeSie)->setChecked(true);
    (w.PuzzleTeile == 4 ? Puzzle4x4 : w.PuzzleTeile == 5 ? Puzzle5x5 : Puzzle3x3)->setChecked(true);
    (w.PuzzleModus == 1 ? PuzzleMode1 : PuzzleMode0)->setChecked(true);
    (w.FragWeiterAuto ? FragWeiterAuto : FragWeiterManuell)->setChecked(true);
    (w.RFLevelMarke == 0 ? UebRFLevel0 : w.RFLevelMarke == 1 ? UebRFLevel1 : UebRFLevel2)->setChecked(true);
}

void TForm1::FormActivate()
{
    if (!Zustand.ErsteAktivierung)
        return;
    if (KommVerzForm) {
        if (KomModus == 0)
            KommVerzForm->KomRadioDatei->setChecked(true);
        else if (KomModus == 1)
            KommVerzForm->KomRadioMailslot->setChecked(true);
    }
    KomModus = -1;
    SetzeIntensitaet(Zustand.LernIntensitaet);
    if (UebErgebForm)
        UebErgebForm->SaveProtokollVerz = ProtokollVerz;
    if (UebProtForm)
        UebProtForm->SaveProtokollVerz = ProtokollVerz;
    ZLKOpenDlg1Verz = DatenVerz;
    ZLKSaveDlg1Verz = DatenVerz;
    Zustand.ErsteAktivierung = false;
}

void TForm1::OrdneRahmen()
{
    const QRect r = Hauptflaeche->rect();
    KartenAuswahlPan->setGeometry(r);
    LernPan->setGeometry(r);
    // A plain arrangement of the frame; the views lay out their own controls.
    const int leiste = 57;
    int x = 12;
    for (THoverPanel* b : {KartenAuswBtn, LernKartBtn, UebungenBtn, NetzUebTeilnehmenBtn, SchiebePuzzleBtn,
                           SuchBtn2, DatentabelleBtn2}) {
        b->setGeometry(x, 4, 73, leiste - 8);
        x += 80;
    }
    const int typBreite = 60;
    x += 7;
    for (THoverPanel* b : {KartTypRSPan, KartTypRHPan, KartTypPFPan, KartTypPWPan}) {
        b->setGeometry(x, 4, typBreite, leiste - 8);
        x += typBreite - 1;
    }
    ZLTextImg1->setGeometry(r.width() - 130, 4, 120, leiste - 8);
    const int h = r.height() - leiste;
    const int karteBreite = qRound(0.7 * r.width());
    LernKartPan->setGeometry(0, leiste, karteBreite, h - 24);
    LernObjPan->setGeometry(karteBreite, leiste, r.width() - karteBreite, h - 24);
    InfoPan->setGeometry(0, r.height() - 24, r.width(), 24);
    UebenPan->setGeometry(0, leiste, r.width(), h - 24);
    SchiebBasisPan->setGeometry(0, leiste, r.width(), h - 24);
    UebStatusPan->setGeometry(x + 8, 4, std::max(0, r.width() - 140 - x - 8), leiste - 8);
    PuzzStatusPan->setGeometry(UebStatusPan->geometry());
    for (TImage* img : {StatBackImg2, StatBackImg3, StatBackImg4}) {
        img->setGeometry(img->parentWidget()->rect());
        img->SetPicture(StatBackImg1->Picture.scaled(img->size().expandedTo(QSize(1, 1))));
    }
}

void TForm1::FormResize()
{
    if (Zustand.WirdGeschlossen)
        return;
    OrdneRahmen();
    switch (Zustand.Ansichtsmodus) {
    case Kartenauswahl:
        ZeigeKartenauswahl(true);
        break;
    case Lernkarte:
        ZeigeLernkarte();
        break;
    case Uebung:
        OrdneUebungsFlaeche();
        break;
    case Schiebepuzzle:
        OrdnePuzzleFlaeche();
        break;
    default:
        break;
    }
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm1::ZeigeModus()
{
    const int m = Zustand.Ansichtsmodus;
    const bool T = Zustand.NetzTeilnehmer;
    setzeSichtbar(KartenAuswahlPan, m == Kartenauswahl);
    setzeSichtbar(LernPan, m == Lernkarte || m == Uebung || m == Schiebepuzzle);
    setzeSichtbar(LernObjPan, m == Lernkarte);
    setzeSichtbar(UebenPan, m == Uebung);
    setzeSichtbar(UebStatusPan, m == Uebung);
    setzeSichtbar(SchiebBasisPan, m == Schiebepuzzle);
    setzeSichtbar(PuzzStatusPan, m == Schiebepuzzle);
    KartenAuswBtn->SetChecked(m == Kartenauswahl);
    LernKartBtn->SetChecked(m == Lernkarte);
    UebungenBtn->SetChecked(m == Uebung && !T);
    NetzUebTeilnehmenBtn->SetChecked(m == Uebung && T);
    NetzUebTeilnehmenBtn1->SetChecked(m == Uebung && T);
    SchiebePuzzleBtn->SetChecked(m == Schiebepuzzle);
    const bool tabelle = DatenTabForm && DatenTabForm->isVisible();
    DatentabelleBtn1->SetChecked(tabelle);
    DatentabelleBtn2->SetChecked(tabelle);
    for (QWidget* w : {static_cast<QWidget*>(KartTypRSPan), static_cast<QWidget*>(KartTypRHPan),
                       static_cast<QWidget*>(KartTypPFPan), static_cast<QWidget*>(KartTypPWPan), KartTypMarkPan})
        setzeSichtbar(w, m == Lernkarte);
    // The logo gives way to a status panel that reaches under it.
    bool logo = true;
    if (m == Uebung)
        logo = UebStatusPan->geometry().right() + 1 <= ZLTextImg1->geometry().left();
    else if (m == Schiebepuzzle)
        logo = PuzzStatusPan->geometry().right() + 1 <= ZLTextImg1->geometry().left();
    setzeSichtbar(ZLTextImg1, logo);
    setzeSichtbar(KartEditShape, false);
    if (m == Uebung)
        UebenPan->raise();
    else if (m == Schiebepuzzle)
        SchiebBasisPan->raise();
    AktualisiereMenues();
}

void TForm1::AktualisiereMenues()
{
    MenueEingaben e;
    e.m = Zustand.Ansichtsmodus;
    e.T = Zustand.NetzTeilnehmer;
    e.Freigaben = Zustand.Freigaben;
    e.ObjEditorSichtbar = ObjEditorSichtbar();
    for (const MenuePunktZustand& z : MenueZustaende(e)) {
        QAction* a = findChild<QAction*>(z.Name);
        if (!a)
            continue;
        if (z.Enabled)
            a->setEnabled(*z.Enabled);
        if (z.Visible)
            a->setVisible(*z.Visible);
    }
}

bool TForm1::ModusVerlassenErlaubt(ModusMenge Modi)
{
    return zl::ModusVerlassenErlaubt(Zustand.Ansichtsmodus, Modi, AnredeDu->isChecked(),
                                     Puzzle ? Puzzle->AnzahlFalscheTeile() : 0);
}

void TForm1::SetzeTitel(const QString& Titel)
{
    setWindowTitle(Titel);
    // Not the application display name: the window system would append it to every title.
    AnwendungsTitel = Titel;
}

void TForm1::KartenAuswahl1Click()
{
    if (ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        ZeigeKartenauswahl(true);
}

void TForm1::Lernkarte1Click()
{
    if (ModusVerlassenErlaubt({Kartenauswahl, Uebung, Schiebepuzzle})) {
        SetzeZoom(0);
        ZeigeLernkarte();
    }
}

void TForm1::Beenden1Click() { close(); }

void TForm1::AnredeDuClick()
{
    AnredeDu->setChecked(true);
    Zustand.Wahl.AnredeDu = true;
    AktualisiereAuswahlInfo();
    Settings.Schreibe(QStringLiteral("Anrede-Du"), Zustand);
}

void TForm1::AnredeSieClick()
{
    AnredeSie->setChecked(true);
    Zustand.Wahl.AnredeDu = false;
    AktualisiereAuswahlInfo();
    Settings.Schreibe(QStringLiteral("Anrede-Du"), Zustand);
}

void TForm1::Animation_einClick()
{
    // Without all four videos the choice stays as it was.
    if (!VideosVorhanden()) {
        ZeigeMenueWahl();
        return;
    }
    Zustand.Wahl.Animation = 0;
    Animation_ein->setChecked(true);
    Settings.Schreibe(QStringLiteral("Animationen"), Zustand);
}

void TForm1::Animation_ausClick()
{
    Zustand.Wahl.Animation = 1;
    Animation_aus->setChecked(true);
    Settings.Schreibe(QStringLiteral("Animationen"), Zustand);
}

void TForm1::Animation_StandbildClick()
{
    Zustand.Wahl.Animation = 2;
    Animation_Standbild->setChecked(true);
    Settings.Schreibe(QStringLiteral("Animationen"), Zustand);
}

void TForm1::Sound1Click()
{
    Zustand.Wahl.Sound = Sound1->isChecked();
    Settings.Schreibe(QStringLiteral("Sound-On"), Zustand);
}

void TForm1::UebRFLevelClick(int Level)
{
    Zustand.UebRFLevel = Level;
    Zustand.Wahl.RFLevelMarke = Level;
    ZeigeMenueWahl();
    Settings.Schreibe(QStringLiteral("UebRFLevel"), Zustand);
}

void TForm1::FragWeiterClick(bool Auto)
{
    Zustand.Wahl.FragWeiterAuto = Auto;
    ZeigeMenueWahl();
    Settings.Schreibe(QStringLiteral("UebAutoWeiter"), Zustand);
}

void TForm1::PuzzleModeClick(int Modus)
{
    Zustand.Wahl.PuzzleModus = Modus;
    ZeigeMenueWahl();
    Settings.Schreibe(QStringLiteral("Puzzle-Modus"), Zustand);
}

void TForm1::ZeitTimerTimer()
{
    switch (Zustand.Ansichtsmodus) {
    case Uebung:
        ZeigeUebungsZeit();
        break;
    case Schiebepuzzle:
        ZeigePuzzleZeit();
        break;
    default:
        ZeitTimer->stop();
        break;
    }
}

void TForm1::Inhalt1Click() { OeffneDokument(QStringLiteral("file://") + HilfeVerz + QStringLiteral("index.html")); }

void TForm1::Homepage1Click() { OeffneDokument(kHomepage); }

void TForm1::Info1Click()
{
    if (InfoBox)
        InfoBox->exec();
}

bool TForm1::ObjEditorSichtbar() const { return ObjEditneuForm && ObjEditneuForm->isVisible(); }

void TForm1::SchreibeEinstellung(const QString& Name)
{
    Settings.Schreibe(Name, Zustand, Name == QLatin1String("Lesezeichen") ? LesezeichenText() : QString());
}

QAction* TForm1::Optionspunkt(TOptionsPunkt Punkt) const
{
    switch (Punkt) {
    case TOptionsPunkt::Sound1:
        return Sound1;
    case TOptionsPunkt::AnredeDu:
        return AnredeDu;
    case TOptionsPunkt::Animation_ein:
        return Animation_ein;
    case TOptionsPunkt::Animation_aus:
        return Animation_aus;
    case TOptionsPunkt::Animation_Standbild:
        return Animation_Standbild;
    case TOptionsPunkt::FragWeiterAuto:
        return FragWeiterAuto;
    case TOptionsPunkt::FragWeiterManuell:
        return FragWeiterManuell;
    case TOptionsPunkt::Puzzle4x4:
        return Puzzle4x4;
    case TOptionsPunkt::Puzzle5x5:
        return Puzzle5x5;
    case TOptionsPunkt::PuzzleMode0:
        return PuzzleMode0;
    }
    return nullptr;
}

bool TForm1::Gewaehlt(TOptionsPunkt Punkt) const { return Optionspunkt(Punkt)->isChecked(); }

void TForm1::Waehle(TOptionsPunkt Punkt) { Optionspunkt(Punkt)->setChecked(true); }

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!ModusVerlassenErlaubt({Uebung, Schiebepuzzle})) {
        event->ignore();
        return;
    }
    Zustand.WirdGeschlossen = true;
    if (UebAuswForm && UebAuswForm->NetzwerkUebung1->isChecked())
        LoescheNetzDatei();
    event->accept();
    RaeumeBeimBeenden();
    // The program ends with its main window, whatever else is still shown.
    QCoreApplication::quit();
}

void TForm1::FormKeyDown(QKeyEvent* Key)
{
    if (Zustand.Ansichtsmodus == Uebung && UebungTaste(Key)) {
        Key->accept();
        return;
    }
    const FormTastenAktion a =
        FormTasteAuswerten(Key->key(), Key->modifiers(), ObjEditorSichtbar());
    switch (a.Aktion) {
    case FormTaste::Keine:
        return;
    case FormTaste::SchreibeObjektdatei:
        if (SchreibeObjektdatei(ObjDatei))
            ZeigeBox(MsgKind::Information, QStringLiteral("Datei ") + ObjDatei + QStringLiteral(" wurde geschrieben."),
                     {mbOK});
        break;
    case FormTaste::Standardgeometrie:
        setWindowState(Qt::WindowNoState);
        move(0, 0);
        resize(980, 640);
        break;
    case FormTaste::Viewport:
        if (const auto stufe = FuehreAus(Zustand.Viewport, a.Befehl))
            SetzeZoom(*stufe);
        break;
    case FormTaste::AusrichtungLinks:
        AendereAusrichtung(-1, 0);
        break;
    case FormTaste::AusrichtungOben:
        AendereAusrichtung(0, -1);
        break;
    case FormTaste::AusrichtungRechts:
        AendereAusrichtung(1, 0);
        break;
    case FormTaste::AusrichtungUnten:
        AendereAusrichtung(0, 1);
        break;
    }
    if (a.Verbraucht)
        Key->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Each key reaches the form once, before the control with the focus. An
    // unhandled key travels up the parents and passes this filter again at every
    // step; such a step is told by the same event reaching the last receiver's
    // parent (a new key may reuse the old event's storage).
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool weitergereicht = key == letzteTaste_ && letzterEmpfaenger_ && w == letzterEmpfaenger_->parentWidget();
        letzteTaste_ = key;
        letzterEmpfaenger_ = w;
        if (!weitergereicht && w->window() == this) {
            const bool vorher = key->isAccepted();
            key->ignore();
            FormKeyDown(key);
            if (key->isAccepted())
                return true;
            key->setAccepted(vorher);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Hooks ------------------------------------------------------------------
// Minimal bodies that keep the frame working; the units of the views replace them.

void TForm1::ErzeugeAnsichten()
{
    KartenauswahlSeite = new TKartenauswahlSeite(*this);
    LernkarteAnsicht = new TLernkarteAnsicht(*this);
    ErzeugeObjEdit();
    ErzeugePuzzleAnsicht();
    LesezeichenMenue = new TLesezeichenMenue(*this, LesezeichenMenu1, *PuzzleAnsicht);
    connect(LesezeichenDefinieren1, &QAction::triggered, LesezeichenMenue,
            [this] { LesezeichenMenue->LesezeichenDefinieren1Click(); });
    connect(LesezeichenBearbeiten1, &QAction::triggered, LesezeichenMenue,
            [this] { LesezeichenMenue->BearbeiteLesezeichen(false); });
    ErzeugeUebungsAnsicht();
}

void TForm1::ZeigeKartenauswahl(bool NeuAufbau) { KartenauswahlSeite->ZeigeKartenauswahl(NeuAufbau); }

void TForm1::ZeigeLernkarte() { LernkarteAnsicht->ZeigeLernkarte(); }

void TForm1::SetzeZoom(int Stufe) { LernkarteAnsicht->SetzeZoom(Stufe); }

void TForm1::SetzeIntensitaet(int Intensitaet) { LernkarteAnsicht->SetzeIntensitaet(Intensitaet); }

void TForm1::AktualisiereKartendarstellung() { LernkarteAnsicht->AktualisiereKartendarstellung(); }

std::array<bool, 5> TForm1::Ebenen() const
{
    std::array<bool, 5> e{};
    for (int i = 0; i < 5; ++i)
        e[i] = LernkarteAnsicht->LernObjCheck[i]->isChecked();
    return e;
}

void TForm1::SetzeEbenen(const std::array<bool, 5>& Ebenen)
{
    for (int i = 0; i < 5; ++i) {
        LernkarteAnsicht->LernObjCheck[i]->setChecked(Ebenen[i]);
        LernkarteAnsicht->LernObjListCheck[i]->setChecked(Ebenen[i]);
    }
}

void TForm1::AktualisiereAuswahlInfo() { KartenauswahlSeite->SetzeAuswahlHinweis(); }


} // namespace zl
