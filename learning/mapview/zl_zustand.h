#pragma once

// The main window's state as a plain object: the view mode, the current map, the
// learning-map fields, the exercise fields and the menu choices. The windows read
// and set it; the rules that depend on it only (menu states, the leave check,
// captions, keys) are free functions here, so tests drive them without windows.

#include "learning/mapview/zl_lernlisten.h"
#include "learning/mapview/zl_viewport.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace zl {

// Values of Ansichtsmodus. 0 only while a bookmark is being restored.
enum : int {
    kAnsichtWiederherstellen = 0,
    Kartenauswahl = 1,
    Lernkarte = 2,
    Uebung = 3,
    Schiebepuzzle = 4,
};

inline const QString kProgrammTitel = QStringLiteral("Zelvaro - Terravio 4.0");
inline const QString kStartTitel = QStringLiteral("ZL Terravio 4.0");

// The exercise fields of the main window; the exercise units fill them.
struct Uebungszustand {
    int UebModus = 1;       // 1..4
    int UebIntensitaet = 1; // 1..3
    int UebFragAnz = 10;
    QString UebKartID;
    int UebKartIndex = -1;
    int UebGebiet = -1;
    QString UebTypMaske;
    int AnzErlaubteFragTypen = 0;
    std::int32_t UebRandSeed = 0;
    int FragenGesamt = 0;
    int FrageNr = 0;
    int AnzRichtig = 0;
    int AnzFalsch = 0;
    QString AntwortFolge;
    bool UebungBeendet = false;
    bool Beantwortet = false;
    QString FragText;
    int RichtigeAntwort = 0;
    std::array<QString, 5> AntwortTexte;
    std::array<int, 5> KategorieAnzahl{};
    std::int64_t UebDauer = 0;
    QString Uebungsprotokoll;
};

// The start of an exercise: what the selection, a repeat, a bookmark or the class
// exercise hands the exercise screen.
struct TUebStart {
    QString KartID;          // exercise map
    int Gebiet = -1;         // its region code
    std::int32_t Seed = 0;   // 0: a fresh random start
    int Intensitaet = 1;     // 1..3
};

// The display type of the learning map and of the exercises ("RS", "RH", "PF", "PW").
inline QString KartTyp;
inline QString UebKartTyp;

// The checked items of the option menus, which the settings preset.
struct TMenueWahl {
    bool Sound = true;       // Sound1
    int Animation = 0;       // 0 Animation_ein, 1 Animation_aus, 2 Animation_Standbild
    bool AnredeDu = true;    // AnredeDu (else AnredeSie)
    int PuzzleTeile = 3;     // Puzzle3x3, Puzzle4x4, Puzzle5x5
    int PuzzleModus = 0;     // PuzzleMode0, PuzzleMode1
    bool KartHell = false;   // KartHell1 (else KartStd1)
    bool FragWeiterAuto = true; // FragWeiterAuto (else FragWeiterManuell)
    int RFLevelMarke = 2;    // UebRFLevel0..UebRFLevel2
};

// What the teacher's command lets a participant choose for themselves during a
// class exercise: the command's fields Sound (2), Animationen (3), Anrede (2),
// RFLevel (3) and AutoWeiter (2) mean "own choice".
struct TNetzFreigaben {
    int Sound = 0;
    int Animationen = 0;
    int Anrede = 0;
    int RFLevel = 0;
    int AutoWeiter = 0;
};

// The preset question-type masks of the exercise kinds 1..4 (index 0..3).
inline constexpr int kFragTypAnzahl = 23;
std::array<QString, 4> StandardFragTypMasken();

// The names of the overview pages ("WLTSheet", "EURSheet", "DEUSheet").
bool IstKartenAuswahlSeite(const QString& Name);

struct HauptfensterZustand {
    int Ansichtsmodus = Kartenauswahl;
    bool ErsteAktivierung = true;
    bool WirdGeschlossen = false;
    QString AktKartID = QStringLiteral("DEU");
    int LernIntensitaet = 2; // 1..3
    int ObjReiter = 0;       // 1..5; 0 until the learning map is first shown
    TLernlisten Lernlisten;
    TViewport Viewport; // ZoomStufe, ZoomFaktor, ScrollAnkerX/Y, Ausschnitt
    int Kartenschrift = 0;   // 0 contrast, 1 normal
    int FontFakIndex = 1;    // 0..2
    int UebRFLevel = 2;      // 0..2 (a stored larger number is kept and acts as 2)
    bool NetzTeilnehmer = false;
    QStringList TeilnehmerListe;
    Uebungszustand Uebung;
    std::array<QString, 4> FragTypMasken = StandardFragTypMasken();
    TMenueWahl Wahl;
    TNetzFreigaben Freigaben;
    QString KartenAuswahlSeite = QStringLiteral("EURSheet"); // overview page shown first
    TKategoriefarben Kategoriefarben{};
};

// A set of view modes, as ModusVerlassenErlaubt takes it.
class ModusMenge {
public:
    ModusMenge(std::initializer_list<int> modi)
    {
        for (int m : modi)
            if (m >= 0 && m < 8)
                bits_ |= 1u << m;
    }
    bool enthaelt(int m) const { return m >= 0 && m < 8 && (bits_ & (1u << m)); }

private:
    unsigned bits_ = 0;
};

// The state one menu item gets from AktualisiereMenues; an empty optional leaves
// the item as it is.
struct MenuePunktZustand {
    QString Name;
    std::optional<bool> Enabled;
    std::optional<bool> Visible;
};

struct MenueEingaben {
    int m = Kartenauswahl;       // Ansichtsmodus
    bool T = false;              // NetzTeilnehmer
    TNetzFreigaben Freigaben;    // the command's own-choice fields
    bool ObjEditorSichtbar = false; // the label editor window is visible
};

// The enabled and visible states of every menu item the rules name.
QList<MenuePunktZustand> MenueZustaende(const MenueEingaben& e);

// The leave check: shows the Part's box when the current view may not be left
// without asking, and returns whether it may be left. AnzahlFalscheTeile is the
// puzzle's count of tiles off their home cells.
bool ModusVerlassenErlaubt(int Ansichtsmodus, ModusMenge Modi, bool AnredeDu, int AnzahlFalscheTeile);

// Texts of the leave check (Du or Sie form).
QString HinweisKarteWaehlen(bool AnredeDu);
QString FrageUebungAbbrechen(bool AnredeDu);
QString FragePuzzleAbbrechen(bool AnredeDu);

// Captions of the main window.
QString TitelLernkarte(const QString& KartenName);
QString TitelPuzzle(const QString& KartenName);
// Teilnehmer empty: not a participant.
QString TitelUebung(const QString& KartenName, const QString& UebModusName, const QString& IntensitaetName,
                    int UebFragAnz, const QString& Teilnehmer = {});

// Minimum size of the main window for a screen of the given size.
QSize MindestFenstergroesse(int BildschirmBreite, int BildschirmHoehe);

// What a key pressed on the main window does; the modifier state must match exactly.
enum class FormTaste {
    Keine,
    SchreibeObjektdatei, // Alt+F12
    Standardgeometrie,   // Shift+Ctrl+G
    Viewport,            // a zoom or scroll command (Ctrl)
    AusrichtungLinks,    // Alt+arrows while the label editor is visible
    AusrichtungOben,
    AusrichtungRechts,
    AusrichtungUnten,
};
struct FormTastenAktion {
    FormTaste Aktion = FormTaste::Keine;
    TViewportBefehl Befehl = TViewportBefehl::Standardgroesse; // for Viewport
    bool Verbraucht = false; // the key is cleared (the Ctrl keys of the table, the placement keys)
};
FormTastenAktion FormTasteAuswerten(int Taste, Qt::KeyboardModifiers Modifiers, bool ObjEditorSichtbar);

} // namespace zl
