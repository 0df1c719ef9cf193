#pragma once

// Foliavo's main window: the map choice (1), the label view (2, "Abfrageobjekte bearbeiten")
// and the worksheet page (5) with its preview. The worksheet itself, its page, file, presets
// and settings are the headless core's; this window shows them and forwards input.

#include "learning/mapview/widgets/zl_kartenauswahl.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/zl_objedit.h"
#include "platform/Metafile.h"
#include "worksheet/ab_arbeitsblatt.h"
#include "worksheet/ab_beschriftung.h"
#include "worksheet/ab_einstellungen.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace zl
{
class SettingsStore;
class THoverPanel;
class TImage32;
class TRahmenForm;
} // namespace zl

namespace zl::ab
{

class TObjHinzuForm;
class TVoreinstForm;
class TDruckForm;

// The view modes.
enum : int { kKartenauswahl = 1, kLernkarte = 2, kArbeitsblatt = 5 };

// The program's panel colours c1 (frames, right-hand panels), c2 (page backgrounds) and c3 (the
// overview tabs and inner dialog panels), $00BBGGRR.
inline constexpr int kFarbeC1 = 96 | (108 << 8) | (142 << 16);
inline constexpr int kFarbeC2 = 230 | (234 << 8) | (240 << 16);
inline constexpr int kFarbeC3 = 201 | (205 << 8) | (214 << 16);

inline const QString kTitel = QStringLiteral("Zelvaro - Terrafolio 4.0");
inline const QString kStartTitel = QStringLiteral("ZL Terrafolio 4.0");

// Every TBitBtn2 of the form, from the last to the first, gets the colour 181, 185, 208; the
// cursor stays as it is.
void FaerbeKnoepfe(QWidget* Form);

// The caption of pages 2 and 5: title, map name and the worksheet file's name.
QString Fenstertitel(int Ansichtsmodus, const QString& KartenName, const QString& ArbeitsblattDatei);

class TForm1 : public QMainWindow, public TObjEditHost, public TKartenauswahl
{
  public:
    // The settings key must outlive the window.
    explicit TForm1(SettingsStore& Store, QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- state
    int Ansichtsmodus = kKartenauswahl;
    int LernIntensitaet = 2;
    int ObjReiter = 1;
    TRect KartenAusschnitt{0, 0, 10000, 10000}; // the label view's section
    int AktObjekt = -1;
    ArbeitsblattDataTyp Dokument; // the current worksheet; Dokument.KartID is AktKartID
    TABEinstellungen Einst;
    TMetafilePtr Seitenmetafile;
    bool ErsteAktivierung = true;
    bool WirdGeschlossen = false;
    QString GewarntesBild; // the missing picture warned about last (one warning per picture)
    std::array<bool, kEbenen> Ebenen{true, false, false, false, false};
    bool Kaestchenrahmen = true;

    // File names: the dialogs by default; tests put their answers here (empty: cancelled).
    std::function<QString(const TDateiAuswahl&)> Dateiwahl;

    // ---- frame
    void FormActivate();
    void FormResize();
    void ZeigeModus();
    void AktualisiereMenues();
    bool ModusVerlassenErlaubt(bool MitKartenauswahl);
    void SetzeTitel();
    void SetzeKartTyp(const QString& Typ);
    // The label style of the hidden items "Schrift-&Kontrast" and "Schrift-&Normal".
    void SetzeKontrast(bool Kontrast);
    void MarkiereKartTyp();

    // ---- map choice
    void ZeigeKartenauswahl();
    void KartenFeldKlick(int Index) override;
    void KartList1DblClick();
    void KartenAuswahl1Click();
    void ABBtnClick();
    void Lernkarte1Click();

    // ---- worksheet page
    void ZeigeArbeitsblatt(int Art);
    void ZeichneArbeitsblatt();
    void ABGenerierenBtnClick();
    void ABMischenBtnClick();
    void ABObjListEntfClick();
    void ABObjListHinzuClick();
    void ZeigeEintragsliste();
    void ZeigeIntensitaetsAnzahlen();
    void SetzeSeitenansicht(bool GanzeSeite);
    void ABOptBtnClick();

    // ---- label view
    void ZeigeLernkarte();
    void ZeichneLernkarte();
    void SetzeLernIntensitaet(int Stufe);
    void SetzeObjReiter(int Reiter);
    void FuelleLernlisten();
    // The pointer arrow on label i of the current map (hidden for any other).
    void PositioniereZeiger(int i);
    // Label i's point in the map panel's coordinates.
    QPoint KartenPunkt(int i) const;

    // ---- files and output
    void Oeffnen1Click();
    bool OeffneArbeitsblattDatei(const QString& Pfad);
    void Speichern1Click();
    void SpeichernUnter1Click();
    bool SpeichereArbeitsblatt(const QString& Pfad);
    void Drucken1Click();
    void Druckereinrichtung1Click();
    void Exportieren1Click();
    // Exports the page to the file by its extension; false (with the message) when refused or failed.
    bool ExportiereNach(const QString& Pfad);
    void IndieZwischenablage1Click();
    void Beschriftungsdatei1Click();
    void ZeigeEditor();
    // Closes a visible label editor (asking to save); false when it stays open.
    bool SchliesseEditor();

    // ---- TObjEditHost
    QList<ObjDataTyp>& Objekte() override;
    QString Objektdatei() const override;
    void SetzeObjektdatei(const QString& Datei) override;
    QStringList KartenEintraege() const override;
    QString AktKartID() const override { return Dokument.KartID; }
    TRect Ausschnitt() const override { return KartenAusschnitt; }
    void ZeigeAufKarte(int i) override;
    void ZeigeKarteNeu() override;
    void BaueAnsichtNeu() override;
    int GewaehltesObjekt() const override;
    void AktualisiereListen(bool MitIntensitaet) override;
    void WaehleObjekt(int i) override;
    void ObjektGeaendert(int i) override;
    void AendereAusrichtung(int dx, int dy) override;
    void EditorGeschlossen() override;

    // ---- controls (object names as the fields)
    QWidget* InfoPan;
    QPushButton *KartenAuswBtn, *LernKartBtn, *ABBtn;
    std::array<QToolButton*, 4> KartTypBtn{};
    QWidget* KartTypMarkPan;
    QStackedWidget* Seiten;
    QWidget *KartenAuswahlPan, *LernPan, *ABBasisPan;
    // map choice (the overviews and the list are TKartenauswahl's)
    QLabel* AuswahlInfoLab;
    QPushButton *KartWaehlenBtn, *ABOeffnenBtn;
    // label view
    QWidget* LernKartPan;
    QLabel* LernKartPicImg;
    QWidget* KartEditShape;
    QWidget* LernPfeilImg;
    QWidget* LernObjPan;
    std::array<QPushButton*, 3> IntensBtn{};
    std::array<QPushButton*, 5> ReiterBtn{};
    QListWidget* LernListe;
    QPushButton* ObjEditBtn;
    QCheckBox* AutoEditBox;
    // worksheet page
    QScrollArea* ABScrollBox;
    QWidget* ABPan;
    TImage32* ABImg;
    QWidget* ABRePan;
    QComboBox *ABThemaCombo, *ABIntensCombo, *ABAufgabeCombo;
    QListWidget* ABObjList;
    QPushButton *ABGenerierenBtn, *ABMischenBtn, *ABObjListEntf, *ABObjListHinzu, *ABOptBtn;
    QCheckBox *ABLsgBox, *ABKomplettBox;
    QToolBar* ABToolBar;
    QAction* ABAnsichtBtn;
    // menus
    QMenu *NavigationMenu, *ArbeitsblattMenu, *AnsichtMenu, *KartendarstellungMenu, *BeschriftungenMenu, *OptionenMenu,
        *HilfeMenu;
    QAction *Kartenauswahl1, *Arbeitsblatt1, *Lernkarte1, *Beenden1;
    QAction *Oeffnen1, *Speichern1, *SpeichernUnter1, *Drucken1, *Druckereinrichtung1, *Exportieren1,
        *IndieZwischenablage1;
    QAction *ABSeitenbreite, *ABGanzeSeite;
    std::array<QAction*, 4> KartTypItem{};
    QAction *SchriftKontrastItem = nullptr, *SchriftNormalItem = nullptr; // hidden

    std::array<QAction*, 3> IntensItem{};
    std::array<QAction*, 5> EbenenItem{};
    QAction* KaestchenrahmenItem;
    QAction *ABOptionen1, *Beschriftungsdatei1, *Bearbeitungsdialog1;
    QAction *Inhalt1, *Homepage1, *Info1;

    TObjHinzuForm* ObjHinzuForm = nullptr; // not owned
    TVoreinstForm* VoreinstForm = nullptr;
    TDruckForm* DruckForm = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ErzeugeMenues();
    void ErzeugeInfoPan();
    void ErzeugeKartenauswahl();
    void ErzeugeLernkarte();
    void ErzeugeArbeitsblattSeite();
    void OrdneKartenauswahl();
    void OrdneLernkarte();
    void OrdneArbeitsblatt();
    // Writes the settings that changed since the last write.
    void SchreibeEinstellungen();
    void ZeigeVorschau();
    QString frageDatei(const TDateiAuswahl& a);
    TObjEditneuForm* Editor() const;

    SettingsStore& m_store;
    TABEinstellungen m_geschrieben; // the settings as the key holds them
    QImage m_lernBild;              // the label view's picture with its labels
    int m_ziehY = 0, m_ziehPos = 0;
    bool m_ziehen = false;
    bool m_fuelleSteuerung = false; // combos are being filled by the program
    QLabel* m_aufgabeLab = nullptr;
};

} // namespace zl::ab
