#include "worksheet/widgets/ab_main.h"

#include "controls/Buttons2.h"
#include "controls/HoverPanel.h"
#include "controls/Zufall.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/widgets/zl_lernkarte_steuer.h"
#include "learning/mapview/zl_lernlayout.h"
#include "learning/mapview/zl_lernlisten.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "raster/widgets/Rast32_Image.h"
#include "worksheet/ab_data.h"
#include "worksheet/widgets/ab_objhinzu.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace zl::ab
{

namespace
{

const char* const kSheets[3] = {"WLTSheet", "EURSheet", "DEUSheet"};
const char* const kKartTypen[4] = {"RS", "RH", "PF", "PW"};

} // namespace

void FaerbeKnoepfe(QWidget* Form)
{
    if (!Form)
        return;
    const QList<TBitBtn2*> Knoepfe = Form->findChildren<TBitBtn2*>();
    for (auto i = Knoepfe.size(); i-- > 0;)
        Knoepfe[i]->SetColor(TColor(181 | (185 << 8) | (208 << 16)));
}

QString Fenstertitel(int Ansichtsmodus, const QString& KartenName, const QString& ArbeitsblattDatei)
{
    if (Ansichtsmodus == kKartenauswahl)
        return kTitel;
    QString t = kTitel + QStringLiteral(" - Karte: ") + KartenName;
    if (!ArbeitsblattDatei.isEmpty())
        t += QStringLiteral(" - ") + QFileInfo(ArbeitsblattDatei).fileName();
    return t;
}

TForm1::TForm1(SettingsStore& Store, QWidget* parent) : QMainWindow(parent), m_store(Store)
{
    setObjectName(QStringLiteral("Form1"));
    Einst = LeseEinstellungen(m_store);
    m_geschrieben = Einst;
    LeseABVoreinstellungen(m_store, Voreinstellungen);
    LernIntensitaet = Einst.Intensitaet;
    Zufall::Randomize();
    Dokument.KartTyp = Einst.KartTyp;
    Dokument.Thema = Einst.Thema;
    Dokument.Intens = Einst.Intens;
    Dokument.Aufgabe = Einst.Aufgabe;
    Dokument.Lsg = Einst.Lsg;
    Dokument.Komplett = Einst.Komplett;
    Dokument.Vorein = Voreinstellungen;

    setWindowTitle(kTitel);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        setMinimumSize(std::min(s->size().width() - 19, 781), std::min(s->size().height() - 60, 540));

    auto* Zentral = new QWidget(this);
    setCentralWidget(Zentral);
    Zentral->installEventFilter(this);
    ErzeugeMenues();
    ErzeugeInfoPan();
    Seiten = new QStackedWidget(Zentral);
    Seiten->setObjectName(QStringLiteral("Seiten"));
    ErzeugeKartenauswahl();
    ErzeugeLernkarte();
    ErzeugeArbeitsblattSeite();
    FaerbeFlaeche(Zentral, int(0xF0EAE6));
    MarkiereKartTyp();
    SetzeSeitenansicht(Einst.GanzeSeite);
    ZeigeModus();
}

TForm1::~TForm1()
{
    WirdGeschlossen = true;
}

void TForm1::ErzeugeMenues()
{
    auto neu = [this](QMenu* m, const QString& Text, const QKeySequence& Taste, auto Handler) {
        QAction* a = m->addAction(Text);
        if (!Taste.isEmpty())
            a->setShortcut(Taste);
        connect(a, &QAction::triggered, this, Handler);
        return a;
    };
    // A checkable item, one of a group's choices when a group is given.
    auto wahl = [&neu](QMenu* m, QActionGroup* Gruppe, const QString& Text, const QKeySequence& Taste, auto Handler) {
        QAction* a = neu(m, Text, Taste, Handler);
        a->setCheckable(true);
        if (Gruppe)
            Gruppe->addAction(a);
        return a;
    };
    NavigationMenu = menuBar()->addMenu(QStringLiteral("&Navigation"));
    Kartenauswahl1 = neu(NavigationMenu, QStringLiteral("&Kartenauswahl"), QKeySequence(Qt::Key_F5),
                         [this] { KartenAuswahl1Click(); });
    Arbeitsblatt1 =
        neu(NavigationMenu, QStringLiteral("&Arbeitsblatt"), QKeySequence(Qt::Key_F8), [this] { ABBtnClick(); });
    Lernkarte1 = neu(NavigationMenu, QStringLiteral("Abfrageobjekte bearbeiten"), QKeySequence(Qt::CTRL | Qt::Key_F8),
                     [this] { Lernkarte1Click(); });
    NavigationMenu->addSeparator();
    Beenden1 = neu(NavigationMenu, QStringLiteral("&Beenden"), QKeySequence(), [this] { close(); });

    ArbeitsblattMenu = menuBar()->addMenu(QStringLiteral("&Arbeitsblatt"));
    Oeffnen1 = neu(ArbeitsblattMenu, QStringLiteral("Ö&ffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                   [this] { Oeffnen1Click(); });
    Speichern1 = neu(ArbeitsblattMenu, QStringLiteral("&Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S),
                     [this] { Speichern1Click(); });
    SpeichernUnter1 = neu(ArbeitsblattMenu, QStringLiteral("Speichern &unter..."), QKeySequence(),
                          [this] { SpeichernUnter1Click(); });
    ArbeitsblattMenu->addSeparator();
    Drucken1 = neu(ArbeitsblattMenu, QStringLiteral("&Drucken..."), QKeySequence(Qt::CTRL | Qt::Key_P),
                   [this] { Drucken1Click(); });
    Druckereinrichtung1 = neu(ArbeitsblattMenu, QStringLiteral("D&ruckereinrichtung..."), QKeySequence(),
                              [this] { Druckereinrichtung1Click(); });
    ArbeitsblattMenu->addSeparator();
    Exportieren1 = neu(ArbeitsblattMenu, QStringLiteral("&Exportieren..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                       [this] { Exportieren1Click(); });
    IndieZwischenablage1 = neu(ArbeitsblattMenu, QStringLiteral("In &Zwischenablage"), QKeySequence(),
                               [this] { IndieZwischenablage1Click(); });

    AnsichtMenu = menuBar()->addMenu(QStringLiteral("An&sicht"));
    auto* Ansicht = new QActionGroup(this);
    ABSeitenbreite = wahl(AnsichtMenu, Ansicht, QStringLiteral("&Seitenbreite"), QKeySequence(),
                          [this] { SetzeSeitenansicht(false); });
    ABGanzeSeite = wahl(AnsichtMenu, Ansicht, QStringLiteral("&Ganze Seite"), QKeySequence(),
                        [this] { SetzeSeitenansicht(true); });

    KartendarstellungMenu = menuBar()->addMenu(QStringLiteral("&Kartendarstellung"));
    const QString Typen[4] = {QStringLiteral("Physisch/Relief-&Standard"), QStringLiteral("Physisch/Relief-&Hell"),
                              QStringLiteral("Politisch-&Farbig"), QStringLiteral("Politisch-&Weiß")};
    auto* TypGruppe = new QActionGroup(this);
    for (int k = 0; k < 4; ++k) {
        KartTypItem[k] = wahl(KartendarstellungMenu, TypGruppe, Typen[k], QKeySequence(Qt::CTRL | (Qt::Key_1 + k)),
                              [this, k] { SetzeKartTyp(QLatin1String(kKartTypen[k])); });
    }
    // The label style: hidden items, checked from the setting "Kartenschrift".
    auto* SchriftGruppe = new QActionGroup(this);
    SchriftKontrastItem = wahl(KartendarstellungMenu, SchriftGruppe, QStringLiteral("Schrift-&Kontrast"),
                               QKeySequence(), [this] { SetzeKontrast(true); });
    SchriftNormalItem = wahl(KartendarstellungMenu, SchriftGruppe, QStringLiteral("Schrift-&Normal"), QKeySequence(),
                             [this] { SetzeKontrast(false); });
    SchriftKontrastItem->setVisible(false);
    SchriftNormalItem->setVisible(false);

    BeschriftungenMenu = menuBar()->addMenu(QStringLiteral("&Beschriftungen"));
    const QString Stufen[3] = {QStringLiteral("&1 - Basis"), QStringLiteral("&2 - Aufbau"),
                               QStringLiteral("&3 - Experte")};
    auto* StufenGruppe = new QActionGroup(this);
    for (int k = 0; k < 3; ++k) {
        IntensItem[k] = wahl(BeschriftungenMenu, StufenGruppe, Stufen[k], QKeySequence(Qt::ALT | (Qt::Key_1 + k)),
                             [this, k] { SetzeLernIntensitaet(k + 1); });
    }
    BeschriftungenMenu->addSeparator();
    const QString EbenenText[5] = {QStringLiteral("&Länder"), QStringLiteral("&Städte"), QStringLiteral("&Gewässer"),
                                   QStringLiteral("Lan&dschaften"), QStringLiteral("&Inseln")};
    for (int k = 0; k < 5; ++k) {
        EbenenItem[k] = wahl(BeschriftungenMenu, nullptr, EbenenText[k], QKeySequence(), [this, k] {
            Ebenen[k] = EbenenItem[k]->isChecked();
            SetzeObjReiter(k + 1);
        });
        EbenenItem[k]->setChecked(Ebenen[k]);
    }
    BeschriftungenMenu->addSeparator();
    KaestchenrahmenItem = wahl(BeschriftungenMenu, nullptr, QStringLiteral("&Kästchenrahmen"), QKeySequence(), [this] {
        Kaestchenrahmen = KaestchenrahmenItem->isChecked();
        ZeichneLernkarte();
    });
    KaestchenrahmenItem->setChecked(true);

    OptionenMenu = menuBar()->addMenu(QStringLiteral("&Optionen"));
    ABOptionen1 =
        neu(OptionenMenu, QStringLiteral("&Arbeitsblatt-Optionen..."), QKeySequence(), [this] { ABOptBtnClick(); });
    Beschriftungsdatei1 = neu(OptionenMenu, QStringLiteral("Beschriftungsdatei ö&ffnen..."),
                              QKeySequence(Qt::CTRL | Qt::Key_F10), [this] { Beschriftungsdatei1Click(); });
    Bearbeitungsdialog1 = neu(OptionenMenu, QStringLiteral("&Bearbeitungsdialog einblenden"),
                              QKeySequence(Qt::CTRL | Qt::Key_F11), [this] { ZeigeEditor(); });

    HilfeMenu = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Inhalt1 = neu(HilfeMenu, QStringLiteral("&Inhalt"), QKeySequence(Qt::Key_F1),
                  [] { OeffneDokument(HilfeVerz + QStringLiteral("index.html")); });
    Homepage1 =
        neu(HilfeMenu, QStringLiteral("Zelvaro - &Homepage"), QKeySequence(), [] { OeffneDokument(kHomepage); });
    Info1 = neu(HilfeMenu, QStringLiteral("Inf&o..."), QKeySequence(), [] {
        if (InfoBox)
            InfoBox->exec();
    });

    ABToolBar = addToolBar(QStringLiteral("Arbeitsblatt"));
    ABToolBar->setObjectName(QStringLiteral("ABToolBar"));
    ABToolBar->setMovable(false);
    const struct {
        QAction* a;
        const char16_t* hinweis;
    } Knoepfe[] = {{Oeffnen1, u"Öffnen"},
                   {Speichern1, u"Speichern"},
                   {SpeichernUnter1, u"Speichern unter"},
                   {Drucken1, u"Drucken"},
                   {Exportieren1, u"Exportieren"},
                   {IndieZwischenablage1, u"In die Zwischenablage kopieren"}};
    for (const auto& k : Knoepfe) {
        QAction* t = ABToolBar->addAction(QString::fromUtf16(k.hinweis));
        t->setToolTip(QString::fromUtf16(k.hinweis));
        connect(t, &QAction::triggered, k.a, &QAction::trigger);
        connect(k.a, &QAction::enabledChanged, t, &QAction::setEnabled);
    }
    ABToolBar->addSeparator();
    ABAnsichtBtn = ABToolBar->addAction(QStringLiteral("Ganze Seite"));
    ABAnsichtBtn->setObjectName(QStringLiteral("ABAnsichtBtn"));
    ABAnsichtBtn->setToolTip(QStringLiteral("Ansicht Seitenbreite / Ganze Seite"));
    ABAnsichtBtn->setCheckable(true);
    connect(ABAnsichtBtn, &QAction::triggered, this, [this] { SetzeSeitenansicht(!ABGanzeSeite->isChecked()); });
}

void TForm1::ErzeugeInfoPan()
{
    InfoPan = new QWidget(centralWidget());
    InfoPan->setObjectName(QStringLiteral("InfoPan"));
    FaerbeFlaeche(InfoPan, kFarbeC1);
    auto knopf = [this](const QString& Text, const QString& Hinweis, auto Handler) {
        auto* b = new QPushButton(Text, InfoPan);
        b->setCheckable(true);
        b->setToolTip(Hinweis);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, Handler);
        return b;
    };
    KartenAuswBtn =
        knopf(QStringLiteral("Kartenauswahl"), QStringLiteral("Zur Kartenauswahl"), [this] { KartenAuswahl1Click(); });
    LernKartBtn =
        knopf(QStringLiteral("Abfrageobjekte bearbeiten"),
              QStringLiteral("Zur Kartenansicht um Beschriftungen zu bearbeiten"), [this] { Lernkarte1Click(); });
    ABBtn = knopf(QStringLiteral("Arbeitsblatt"), QStringLiteral("Zum Arbeitsblatt"), [this] { ABBtnClick(); });
    const QString Hinweise[4] = {QStringLiteral("Physisch/Relief-Standard"), QStringLiteral("Physisch/Relief-Hell"),
                                 QStringLiteral("Politisch-Farbig"), QStringLiteral("Politisch-Weiß")};
    for (int k = 0; k < 4; ++k) {
        auto* b = new QToolButton(InfoPan);
        b->setObjectName(QStringLiteral("KartTyp%1Pan").arg(QLatin1String(kKartTypen[k])));
        b->setText(QLatin1String(kKartTypen[k]));
        b->setToolTip(Hinweise[k]);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, k] { SetzeKartTyp(QLatin1String(kKartTypen[k])); });
        KartTypBtn[k] = b;
    }
    KartTypMarkPan = new QWidget(InfoPan);
    KartTypMarkPan->setObjectName(QStringLiteral("KartTypMarkPan"));
    FaerbeFlaeche(KartTypMarkPan, 0x0000FF);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

// The central area's size changes with the window and with the tool bar shown on page 5.
void TForm1::FormResize()
{
    if (WirdGeschlossen)
        return;
    const int W = centralWidget()->width(), H = centralWidget()->height();
    InfoPan->setGeometry(0, 0, W, 48);
    KartenAuswBtn->setGeometry(8, 8, 130, 32);
    LernKartBtn->setGeometry(144, 8, 190, 32);
    ABBtn->setGeometry(340, 8, 130, 32);
    const int links = 486, a = 40;
    for (int k = 0; k < 4; ++k)
        KartTypBtn[k]->setGeometry(links + k * a, 8, a + 1, 32);
    MarkiereKartTyp();
    Seiten->setGeometry(0, 48, W, std::max(0, H - 48));
    switch (Ansichtsmodus) {
    case kKartenauswahl:
        OrdneKartenauswahl();
        break;
    case kLernkarte:
        ZeigeLernkarte();
        break;
    case kArbeitsblatt:
        ZeigeArbeitsblatt(0);
        break;
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!SchliesseEditor()) {
        event->ignore();
        return;
    }
    SchreibeEinstellungen();
    WirdGeschlossen = true;
    event->accept();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F12 && event->modifiers() == Qt::AltModifier) {
        if (SchreibeObjektdatei(ObjDatei))
            ZeigeInfo(QStringLiteral("Datei ") + ObjDatei + QStringLiteral(" wurde geschrieben."));
        return;
    }
    if (event->modifiers() == Qt::AltModifier && Editor() && Editor()->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Left:
            AendereAusrichtung(-1, 0);
            return;
        case Qt::Key_Up:
            AendereAusrichtung(0, -1);
            return;
        case Qt::Key_Right:
            AendereAusrichtung(1, 0);
            return;
        case Qt::Key_Down:
            AendereAusrichtung(0, 1);
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void TForm1::FormActivate()
{
    if (!ErsteAktivierung)
        return;
    ErsteAktivierung = false;
    SetzeLernIntensitaet(LernIntensitaet);
    ab::FaerbeKnoepfe(this);
    if (TObjEditneuForm* e = Editor()) {
        e->OeffnenVerz = DatenVerz;
        e->SpeichernVerz = DatenVerz;
    }
    if (Ansichtsmodus == kKartenauswahl)
        ZeigeKartenauswahl();
}

void TForm1::ZeigeModus()
{
    const int seite = Ansichtsmodus == kKartenauswahl ? 0 : (Ansichtsmodus == kLernkarte ? 1 : 2);
    Seiten->setCurrentIndex(seite);
    KartenAuswBtn->setChecked(Ansichtsmodus == kKartenauswahl);
    LernKartBtn->setChecked(Ansichtsmodus == kLernkarte);
    ABBtn->setChecked(Ansichtsmodus == kArbeitsblatt);
    KartEditShape->hide();
    for (QToolButton* b : KartTypBtn)
        b->setVisible(Ansichtsmodus != kKartenauswahl);
    KartTypMarkPan->setVisible(Ansichtsmodus != kKartenauswahl);
    AktualisiereMenues();
}

void TForm1::AktualisiereMenues()
{
    const bool ab = Ansichtsmodus == kArbeitsblatt;
    const bool karte = Ansichtsmodus == kLernkarte || ab;
    AnsichtMenu->menuAction()->setVisible(ab);
    ABToolBar->setVisible(ab);
    Arbeitsblatt1->setEnabled(karte);
    Lernkarte1->setEnabled(karte);
    for (QAction* a : {Speichern1, SpeichernUnter1, Drucken1, Druckereinrichtung1, Exportieren1, IndieZwischenablage1})
        a->setEnabled(ab);
    Bearbeitungsdialog1->setEnabled(true);
    Beschriftungsdatei1->setEnabled(!(Editor() && Editor()->isVisible()));
    BeschriftungenMenu->menuAction()->setVisible(Ansichtsmodus == kLernkarte);
    KartendarstellungMenu->menuAction()->setVisible(karte);
    OptionenMenu->menuAction()->setVisible(karte);
    ABAnsichtBtn->setChecked(ABGanzeSeite->isChecked());
}

bool TForm1::ModusVerlassenErlaubt(bool MitKartenauswahl)
{
    if (Ansichtsmodus == kKartenauswahl && MitKartenauswahl) {
        ZeigeInfo(QStringLiteral("Wählen Sie unten zunächst eine Landkarte aus (per Mausklick auf die "
                                 "Kartenbezeichnung)."));
        return false;
    }
    return true;
}

void TForm1::SetzeTitel()
{
    const QString t = Fenstertitel(Ansichtsmodus, KartenName(Dokument.KartID), ArbeitsblattDatei);
    setWindowTitle(t);
}

void TForm1::MarkiereKartTyp()
{
    const int k = KartTypIndex(Dokument.KartTyp);
    const QRect rs = KartTypBtn[0]->geometry();
    KartTypMarkPan->setGeometry(rs.left() + k * (rs.width() - 1) + 1, rs.top() + 1, rs.width() - 2, 3);
    KartTypMarkPan->raise();
    KartTypItem[k]->setChecked(true);
    (Einst.Kontrast ? SchriftKontrastItem : SchriftNormalItem)->setChecked(true);
    for (int i = 0; i < 4; ++i) {
        KartTypBtn[i]->setCheckable(true);
        KartTypBtn[i]->setChecked(i == k);
    }
}

void TForm1::SetzeKartTyp(const QString& Typ)
{
    Dokument.KartTyp = Typ;
    Einst.KartTyp = Typ;
    SchreibeEinstellungen();
    MarkiereKartTyp();
    if (Ansichtsmodus == kLernkarte)
        ZeichneLernkarte();
    else if (Ansichtsmodus == kArbeitsblatt)
        ZeigeArbeitsblatt(1);
}

void TForm1::SetzeKontrast(bool Kontrast)
{
    Einst.Kontrast = Kontrast;
    SchreibeEinstellungen();
    MarkiereKartTyp();
    if (Ansichtsmodus == kLernkarte)
        ZeichneLernkarte();
    else if (Ansichtsmodus == kArbeitsblatt)
        ZeigeArbeitsblatt(1);
}

void TForm1::SchreibeEinstellungen()
{
    Einst.Intensitaet = LernIntensitaet;
    Einst.Thema = Dokument.Thema;
    Einst.Intens = Dokument.Intens;
    Einst.Aufgabe = Dokument.Aufgabe;
    Einst.Lsg = Dokument.Lsg;
    Einst.Komplett = Dokument.Komplett;
    Einst.KartTyp = Dokument.KartTyp;
    Einst.GanzeSeite = ABGanzeSeite->isChecked();
    Einst.AutoEdit = AutoEditBox->isChecked();
    Einst.KartenAuswahl = QLatin1String(kSheets[std::clamp(KartAuswahlControl->currentIndex(), 0, 2)]);
    ab::SchreibeEinstellungen(m_store, Einst, &m_geschrieben);
    m_geschrieben = Einst;
}

// ---- map choice

void TForm1::ErzeugeKartenauswahl()
{
    KartenAuswahlPan = new QWidget;
    KartenAuswahlPan->setObjectName(QStringLiteral("KartenAuswahlPan"));
    FaerbeFlaeche(KartenAuswahlPan, kFarbeC2);
    Seiten->addWidget(KartenAuswahlPan);
    AuswahlInfoLab = new QLabel(KartenAuswahlPan);
    AuswahlInfoLab->setObjectName(QStringLiteral("AuswahlInfoLab"));
    AuswahlInfoLab->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    AuswahlInfoLab->setWordWrap(true);
    TKartenauswahlStil Stil;
    Stil.Felder = {TColor(173 | (193 << 8) | (239 << 16)), TColor(197 | (217 << 8) | (255 << 16)),
                   TColor(226 | (236 << 8) | (255 << 16))};
    // The text's own dark backing keeps it legible wherever it falls on the artwork.
    Stil.LabelStil = QStringLiteral("color: rgb(207, 178, 182); background: rgb(14, 24, 46); padding: 4px;");
    Stil.LabelHoeheNachText = true;
    Stil.SeitenFaerben = true;
    Stil.Seitenfarbe = kFarbeC3;
    ErzeugeAuswahl(KartenAuswahlPan, KartenAuswahlPan, Stil, this);
    for (int s = 0; s < 3; ++s)
        if (Einst.KartenAuswahl == QLatin1String(kSheets[s]))
            KartAuswahlControl->setCurrentIndex(s);
    connect(KartAuswahlControl, &QTabWidget::currentChanged, this, [this] {
        if (!ErsteAktivierung)
            SchreibeEinstellungen();
    });
    connect(KartList1, &QListWidget::itemDoubleClicked, this, [this] { KartList1DblClick(); });
    KartList1->installEventFilter(this);
    KartWaehlenBtn = new QPushButton(QStringLiteral("Karte auswählen"), KartenAuswahlPan);
    connect(KartWaehlenBtn, &QPushButton::clicked, this, [this] { KartList1DblClick(); });
    ABOeffnenBtn = new QPushButton(QStringLiteral("Arbeitsblatt öffnen"), KartenAuswahlPan);
    ABOeffnenBtn->setObjectName(QStringLiteral("ABOeffnenBtn"));
    connect(ABOeffnenBtn, &QPushButton::clicked, this, [this] { Oeffnen1Click(); });
}

void TForm1::OrdneKartenauswahl()
{
    const int W = KartenAuswahlPan->width(), H = KartenAuswahlPan->height();
    AuswahlInfoLab->setGeometry(16, 6, std::max(0, W - 32), 40);
    const int liste = 240;
    KartAuswahlControl->setGeometry(12, 47, std::max(0, W - liste - 36), std::max(0, H - 87));
    KartList1->setGeometry(W - liste - 12, 47, liste, std::max(0, H - 87 - 80));
    KartWaehlenBtn->setGeometry(W - liste - 12, H - 40 - 72, liste, 32);
    ABOeffnenBtn->setGeometry(W - liste - 12, H - 40 - 34, liste, 32);
}

void TForm1::ZeigeKartenauswahl()
{
    KartAuswahlControl->hide();
    Ansichtsmodus = kKartenauswahl;
    ZeigeModus();
    setWindowTitle(kTitel);
    AuswahlInfoLab->setText(QStringLiteral("Sie befinden sich in der Kartenauswahl.\n") +
                            QStringLiteral("Wählen Sie eine Karte aus, zu der Sie ein Arbeitsblatt erstellen möchten "
                                           "oder öffnen Sie ein bestehendes Arbeitsblatt."));
    Dokument.Anzahl = 0;
    OrdneKartenauswahl();
    BaueUebersichten(DatenVerz);
    MarkiereKarteImUeberblick(-1);
    WaehleInListe(KartenName(Dokument.KartID));
    Zeige();
}

void TForm1::KartenFeldKlick(int Index)
{
    if (Index < 0 || Index >= KartAuswDaten.size())
        return;
    WaehleInListe(KartAuswDaten[Index].KartName);
    Dokument.KartID = KartAuswDaten[Index].KartID;
    ArbeitsblattDatei.clear();
    ZeigeArbeitsblatt(2);
}

void TForm1::KartList1DblClick()
{
    const int Index = GewaehlteKarte();
    if (Index < 0) {
        ZeigeInfo(QStringLiteral("Markieren Sie zunächst eine Landkarte in der Liste oder wählen Sie die gewünschte "
                                 "Karte direkt aus."));
        return;
    }
    KartenFeldKlick(Index);
}

void TForm1::KartenAuswahl1Click()
{
    if (AutoEditBox->isChecked() && !SchliesseEditor())
        return;
    ZeigeKartenauswahl();
}

void TForm1::ABBtnClick()
{
    if (!ModusVerlassenErlaubt(true))
        return;
    if (AutoEditBox->isChecked() && !SchliesseEditor())
        return;
    if (Ansichtsmodus == kLernkarte && Dokument.Anzahl > 0) {
        AktualisiereEintraege(Dokument, ObjDaten);
        ZeigeArbeitsblatt(1);
    } else {
        ZeigeArbeitsblatt(2);
    }
}

void TForm1::Lernkarte1Click()
{
    if (!ModusVerlassenErlaubt(true))
        return;
    if (Dokument.Thema != 5) {
        ObjReiter = Dokument.Thema + 1;
        Ebenen[ObjReiter - 1] = true;
        EbenenItem[ObjReiter - 1]->setChecked(true);
        LernIntensitaet = std::max(LernIntensitaet, Dokument.Intensitaet());
    }
    ZeigeLernkarte();
    if (AutoEditBox->isChecked())
        ZeigeEditor();
}

bool TForm1::SchliesseEditor()
{
    TObjEditneuForm* e = ObjEditneuForm;
    if (!e || !e->isVisible())
        return true;
    e->reject(); // the save question first; the window tells the host when it closed
    return !e->isVisible();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        FormResize();
        return false;
    }
    if (watched == KartList1 && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            KartList1DblClick();
            return true;
        }
    }
    if (watched == ABObjList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (ABObjList->currentRow() >= 0)
            ABObjListEntfClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zl::ab
