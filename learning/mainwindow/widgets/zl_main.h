#pragma once

// Kartivo's main window: the frame with its menus, the four views' panels, the
// view switch, the menu rules, the leave check, the keys and the clock timer.
// What each view shows is built by the units of the views through the hook
// methods at the end of the class.

#include "controls/HoverPanel.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_zustand.h"
#include "learning/tools/zl_schieb.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace zl {

class TKartenauswahlSeite;
class TLernkarteAnsicht;
class TKartivoObjEdit;
class TPuzzleAnsicht;
class TLesezeichenMenue;
class TUebungsAnsicht;
struct NetzStartDaten;

class TForm1 : public QMainWindow, public TAnsichtHost {
public:
    // Settings: the key read in FormCreate and written on every change (not owned).
    explicit TForm1(Einstellungen& Settings, QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- State ------------------------------------------------------------
    HauptfensterZustand Zustand;
    std::unique_ptr<TSchiebepuzzle> Puzzle;
    Einstellungen& Settings;

    // ---- Menus (object names are the item names) --------------------------
    QMenu* Datei1;
    QAction *KartenAuswahl1, *Lernkarte1, *UebungStart1, *Uebungabbrechen1, *LetzteUebung1, *Netzwerkuebung1,
        *NetzwerkUebInit, *NetzwerkuebungProtokoll1, *Schiebepuzzle1, *Suche1, *Datentabelle1, *Drucken1,
        *Druckereinrichtung1, *Exportieren1, *IndieZwischenablageEMF, *IndieZwischenablageBMP, *Beenden1;
    QMenu* Ansicht1;           // zoom and scroll items
    QMenu* Kartendarstellung1; // display type, label style, font size
    QMenu* Beschriftungen1;    // intensity, label layers
    QMenu* UebungsOptionen1;
    QAction *Fragetypen1, *UebKartDarst;
    QMenu* UebungenRueckmeld1;
    QAction *UebRFLevel0, *UebRFLevel1, *UebRFLevel2;
    QMenu* FragWeiter;
    QAction *FragWeiterManuell, *FragWeiterAuto;
    QMenu* PuzzleOptionen1;
    QAction *Puzzle3x3, *Puzzle4x4, *Puzzle5x5, *PuzzleMode0, *PuzzleMode1;
    QMenu* Optionen1;
    QAction* Sound1;
    QMenu* Animationen1;
    QAction *Animation_ein, *Animation_aus, *Animation_Standbild;
    QMenu* Anrede1;
    QAction *AnredeDu, *AnredeSie;
    QAction *Kommunikationsverzeichnis1, *KartenObjDateiOeffnen1, *BeschriftungEdit;
    QMenu* LesezeichenMenu1;
    QAction *LesezeichenDefinieren1, *LesezeichenBearbeiten1;
    QMenu* Hilfe1;
    QAction *Inhalt1, *Homepage1, *Info1;

    // ---- Panels of the views ------------------------------------------------
    QWidget* Hauptflaeche;     // the client area
    QWidget* KartenAuswahlPan; // view 1: the map selection page
    QWidget* LernPan;          // views 2 to 4: the map area
    QWidget* LernKartPan;      // the map picture of view 2
    QWidget* LernObjPan;       // view 2: learning lists and tabs
    QWidget* InfoPan;          // status strip of view 2
    QWidget* UebenPan;         // view 3
    QWidget* UebStatusPan;
    QWidget* SchiebBasisPan;   // view 4
    QWidget* PuzzStatusPan;
    // View buttons.
    THoverPanel *KartenAuswBtn, *LernKartBtn, *UebungenBtn, *NetzUebTeilnehmenBtn, *NetzUebTeilnehmenBtn1,
        *SchiebePuzzleBtn, *DatentabelleBtn1, *DatentabelleBtn2, *SuchBtn2;
    // Display-type buttons of view 2 and their mark.
    THoverPanel *KartTypRSPan, *KartTypRHPan, *KartTypPFPan, *KartTypPWPan;
    QWidget* KartTypMarkPan;
    TImage* ZLTextImg1;    // logo
    QWidget* KartEditShape; // the label editor's mark
    // Status-bar backgrounds: 2..4 show the picture of 1.
    TImage *StatBackImg1, *StatBackImg2, *StatBackImg3, *StatBackImg4;
    QTimer* ZeitTimer; // 100 ms, exercise and puzzle clocks
    // Start folders of the label-file dialogs.
    QString ZLKOpenDlg1Verz, ZLKSaveDlg1Verz;

    // The units of views 1 and 2 (children of the window).
    TKartenauswahlSeite* KartenauswahlSeite = nullptr;
    TLernkarteAnsicht* LernkarteAnsicht = nullptr;
    // The label editor's host (zl_main_objedit.cpp).
    TKartivoObjEdit* ObjEdit = nullptr;
    // The puzzle view and the bookmarks (children of the window).
    TPuzzleAnsicht* PuzzleAnsicht = nullptr;
    TLesezeichenMenue* LesezeichenMenue = nullptr;
    TUebungsAnsicht* UebungsAnsicht = nullptr; // view 3 (zl_main_uebung.cpp)

    // ---- Event handlers -----------------------------------------------------
    void FormCreate();
    void FormActivate(); // does its work once, at the first activation
    void FormResize();
    void FormKeyDown(QKeyEvent* Key); // accepts the event when it consumes the key

    // Shows the panels and view buttons of Ansichtsmodus, then AktualisiereMenues.
    void ZeigeModus() override;
    void AktualisiereMenues();
    // Asks before the current view is left; see zl_zustand.h.
    bool ModusVerlassenErlaubt(ModusMenge Modi) override;
    // Sets the window caption and the application title.
    void SetzeTitel(const QString& Titel) override;

    void KartenAuswahl1Click();
    void Lernkarte1Click();
    void Beenden1Click();
    // On quitting: every timer stops and every window leaves the screen at once, before the
    // windows are taken down.
    void RaeumeBeimBeenden();
    void AnredeDuClick();
    void AnredeSieClick();
    void Animation_einClick();
    void Animation_ausClick();
    void Animation_StandbildClick();
    void Sound1Click();
    void UebRFLevelClick(int Level); // UebRFLevel0Click .. UebRFLevel2Click
    void FragWeiterClick(bool Auto); // FragWeiterAutoClick, FragWeiterManuellClick
    void PuzzleTeileClick(int n);    // Puzzle3x3Click .. Puzzle5x5Click
    void PuzzleModeClick(int Modus); // PuzzleMode0Click, PuzzleMode1Click
    void ZeitTimerTimer();
    void Inhalt1Click();
    void Homepage1Click();
    void Info1Click();

    // The label editor window is visible.
    bool ObjEditorSichtbar() const override;
    // Check marks of the option menus from Zustand.Wahl.
    void ZeigeMenueWahl() override;

    // ---- Hooks filled by the units of the views -------------------------------
    // Creates the controls of the views inside the panels above (before FormCreate).
    void ErzeugeAnsichten();
    // Creates the exercise view and the puzzle view and connects their menu items.
    void ErzeugeUebungsAnsicht();
    void ErzeugePuzzleAnsicht();
    // The exercise keys in view 3; true when the key was used.
    bool UebungTaste(QKeyEvent* Key);
    // Enters view 1 and lays out the map selection page.
    void ZeigeKartenauswahl(bool NeuAufbau);
    // Enters view 2 and shows the learning map of AktKartID.
    void ZeigeLernkarte() override;
    // Sets the zoom level and redraws the learning map.
    void SetzeZoom(int Stufe) override;
    // Shows the learning intensity on the tabs.
    void SetzeIntensitaet(int Intensitaet) override;
    // Menu marks of display type, label style and font size.
    void AktualisiereKartendarstellung() override;
    // The hint label of the map selection after a change of the form of address.
    void AktualisiereAuswahlInfo();
    // Lays out the exercise screen and the puzzle screen.
    void OrdneUebungsFlaeche();
    void OrdnePuzzleFlaeche();
    // The exercise clock and the puzzle clock.
    void ZeigeUebungsZeit();
    void ZeigePuzzleZeit();
    // The bookmark entries of the bookmark menu; the stored bookmark value.
    void BaueLesezeichenMenue();
    QString LesezeichenText() const;
    void LeseLesezeichen(const QString& Text);
    // Moves the selected label's placement (label editor).
    void AendereAusrichtung(int dx, int dy);
    // The label editor: its host and menu items, and the selection shown in it.
    void ErzeugeObjEdit();
    void BeschriftungEditClick();
    void KartenObjDateiOeffnen1Click();
    void ZeigeObjektImEditor(int i);
    // Reads the current label file again and lays out the view anew; false when it
    // could not be read (the table is then kept).
    bool LadeObjektdateiNeu();
    // Deletes the class exercise's command file from the communication folder.
    void LoescheNetzDatei() override;
    // The class exercise's menu items and the participant's join (zl_main_netz.cpp).
    void VerbindeNetzwerk();
    void Kommunikationsverzeichnis1Click();
    void NetzUebungTeilnehmen() override;
    bool StarteTeilnehmerUebung(const NetzStartDaten& d);
    // All four feedback videos exist.
    bool VideosVorhanden() const;

    // ---- Search and country table (zl_main_suche.cpp) -------------------------
    void VerbindeSuche();
    void Suche1Click();
    void Datentabelle1Click();
    // An empty term asks through the search dialog; a given one searches at once
    // without a map filter.
    void FuehreSucheAus(QString Begriff, bool NurGanzWort, bool NurGanzStr) override;
    void FuegeSuchErgebnisHinzu(int Index);
    void SetzeSuchKnoepfe(bool Gedrueckt) override;
    // Shows the label of a hit on the learning map (asking first when an exercise
    // or a puzzle would be left).
    void ZeigeSuchtreffer(int Index) override;
    void VersteckeLernPfeil() override;

    // ---- Printing the map (zl_main_ausgabe.cpp) -------------------------------
    void Drucken1Click();
    void Druckereinrichtung1Click();

    // ---- The rest of the host of the subsystems' windows ----------------------
    HauptfensterZustand& Fensterzustand() override { return Zustand; }
    void SchreibeEinstellung(const QString& Name) override;
    QWidget* Hauptfenster() override { return this; }
    void SetzeDatentabelleKnoepfe(bool Gedrueckt) override;
    void WaehleKommunikationsverzeichnis() override;
    bool DruckeKarte(QPrinter& Drucker, const QRect& Box, const QRectF& Flaeche) override;
    bool Gewaehlt(TOptionsPunkt Punkt) const override;
    void Waehle(TOptionsPunkt Punkt) override;
    std::array<bool, 5> Ebenen() const override;
    void SetzeEbenen(const std::array<bool, 5>& Ebenen) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* Optionspunkt(TOptionsPunkt Punkt) const;
    void ErzeugeMenues();
    void ErzeugePanels();
    void FaerbeSteuerelemente();
    void OrdneRahmen();
    const QKeyEvent* letzteTaste_ = nullptr;
    QPointer<QWidget> letzterEmpfaenger_;
};

// The one main window of the run.
inline TForm1* Form1 = nullptr;
// The program's title as the shell shows it (the main window's caption).
inline QString AnwendungsTitel;

} // namespace zl
