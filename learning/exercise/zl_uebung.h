#pragma once

// The exercise engine: starts an exercise in the main window's Uebungszustand,
// generates its questions from the program's one random generator, evaluates
// the answers, keeps the counts and the protocol and gives the grade. No
// widgets: a window shows Frage(), forwards the user's answer and calls Weiter().
//
// Reproducibility: the same seed, tables (LaenderDaten, ObjDaten, KartenDaten)
// and options give the same questions, button order and protocol bytes (with
// the same clock), whether run, repeated, restored or pre-generated.

#include "learning/exercise/zl_uebantworten.h"
#include "learning/exercise/zl_uebprotokoll.h"
#include "learning/exercise/zl_uebtypen.h"
#include "learning/mapview/zl_zustand.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace zl {

// The clock of an exercise: tick count (start tick, clock, time per question)
// and the date of the protocol header. Empty functions use TickCount() and the
// current local time; tests set both for byte-identical protocols.
struct TUebUhr {
    std::function<std::uint32_t()> Tick;
    std::function<QDateTime()> Jetzt;
};

// What the start needs beside the state.
struct TUebOptionen {
    std::array<QString, 4> FragTypMasken = StandardFragTypMasken(); // UebTypMaske := entry UebModus
    bool AnredeDu = true;
    QString UebKartTyp = QStringLiteral("RS"); // display type of the question pictures
    bool Lehrer = false;     // teacher of a class exercise: all questions at once, with the answer key
    bool Teilnehmer = false; // participant of a class exercise (caption)
    QString TeilnehmerName;
    QString ObjDateiName;    // the header's label file; empty: the file name of ObjDatei
    // Called before seeding (a participant starts the generator afresh and draws
    // its result-file letters here).
    std::function<void()> VorDemSeeden;
    bool MeldungenZeigen = true; // false: failures are only returned (pre-generation)
};

// How a question is shown.
enum class FragAnzeige {
    Liste,    // five text buttons beside the question picture (types 2..13)
    Flaggen,  // five flag pictures, three above two, no question picture (type 1)
    Zeigen,   // five lettered pointers on the map, the buttons show letter marks (types 14..18)
    Zuordnen, // five names to drag onto five pointers (types 19..23)
};

// A place on the question picture (fractions 0..1 of the whole map).
struct TZeiger {
    int Objekt = -1; // index into ObjDaten, -1: no pointer
    double Px = 0;
    double Py = 0;
    bool Zeichnen = false; // the object is drawn onto the picture too
};

// One generated question, everything a window needs to show it.
struct TFrage {
    int FrageNr = 0; // its first number (an assignment occupies FrageNr..FrageNr+4)
    int Typ = 0;     // 1..23
    QString Code;    // "E01".."Z05"
    QString FragText;
    FragAnzeige Anzeige = FragAnzeige::Liste;
    QString BildPfad;   // question picture: map at resolution "5" or a flag; empty for type 1
    QString BildKartID; // map the picture shows (pointer positions are on it); empty for a flag
    // Per button i (index i-1):
    std::array<QString, 5> Knopftexte;  // caption: the answer (types 2..13), empty (1, 14..18),
                                        // five blanks + name i in slot order (19..23)
    std::array<QString, 5> Antworten;   // the answer behind the button in one-line form: flag file
                                        // (1), answer (2..13), object at pointer i (14..18), name i (19..23)
    std::array<QString, 5> Flaggen;     // type 1: path of the flag picture of button i
    std::array<QString, 5> AntwortTexte; // as Uebungszustand::AntwortTexte
    std::array<TZeiger, 5> Zeiger;      // pointers A..E (types 14..23)
    TZeiger EinzelZeiger;               // the single pointer (types 3..6 when found, 9..13)
    int RichtigeAntwort = 0;            // 1..5, single choice
    std::array<int, 5> ZuordnungZiel{}; // 19..23: the right target letter 1..5 of name i (button Tag)
    int Land = -1;                      // subject country (types 1..8)
    int Objekt = -1;                    // subject object (9..23; 3..6: the label found for the picture)
};

// The placement of an assignment question's five names on its five targets.
class TZuordnung {
public:
    TZuordnung() { Zuruecksetzen(); }
    // Every name unplaced.
    void Zuruecksetzen();
    // Places name 1..5 on target 1..5; a name already on that target becomes
    // unplaced. Nothing for values outside 1..5. True when all five are placed.
    bool OrdneZu(int Name, int Ziel);
    // The target of name 1..5, or -Name while unplaced.
    int Ziel(int Name) const { return Ziele_[std::size_t(Name - 1)]; }
    const std::array<int, 5>& Ziele() const { return Ziele_; }
    int ZaehleZugeordnete() const;

private:
    std::array<int, 5> Ziele_{};
};

// The outcome of one answer.
struct TAuswertung {
    bool Ausgewertet = false; // false: ignored (already answered, or fewer than five names placed)
    bool Zuordnung = false;
    int Antwort = 0;          // chosen slot (single choice)
    bool Richtig = false;     // single choice right, or all five names right
    int AnzRichtig = 0;       // names on their right target (assignment)
    std::array<bool, 5> NameRichtig{};
    QString Rueckmeldung;     // the feedback text ("Richtig!", "Falsch, das war: ...", ...)
    std::uint32_t RueckmeldungFarbe = 0; // 0xRRGGBB
    bool LetzteFrage = false; // Weiter() will end the exercise
};

enum class WeiterErgebnis {
    NaechsteFrage, // a new question waits (Frage())
    Ende,          // the exercise ended: summary written, Ergebnis() holds the grade
    Fehler,        // no question could be generated: the exercise was ended with the message
};

// The status line.
struct TUebStatus {
    QString Richtig; // "?" at level 0
    QString Falsch;
    QString Quote;   // "66.7 %" or "?"
    QString Zeit;    // "mm:ss"
    QString FragNr;  // "3 / 10", "Ende" after the end
};

// What changed in an exercise, as the engine tells its listener.
enum class TUebAenderung {
    Gestartet,   // a start generated its first question (the teacher: all of them)
    Beantwortet, // an answer was evaluated: a single choice or a whole assignment block
    Beendet,     // the exercise ended: after its last question, by BeendeUebung or failed
};

struct TUebErgebnis {
    float Quote = 0;
    int Note = 6;
    QString Bewertung; // "gut (2)"
    QString Notenkurz; // "gut  (2)"
    std::uint32_t Farbe = 0; // band colour 0xRRGGBB
};

class TUebung {
public:
    explicit TUebung(Uebungszustand& Zustand, TUebUhr Uhr = {});

    // Called after every change, once per change and in order, when the state already
    // shows it (may be empty).
    std::function<void(TUebAenderung)> BeiAenderung;

    // StarteUebung: fills the state from the arguments (UebModus, UebFragAnz
    // are the state's), seeds the generator (UebRandSeed), writes the header,
    // counts the categories, clears the history and generates the first
    // question (the teacher: all questions with the answer key). False when no
    // question could be generated; the exercise is then ended (UebungBeendet)
    // and, with MeldungenZeigen, the message was shown.
    bool StarteUebung(const TUebStart& Start, const TUebOptionen& Optionen);

    // The result window's repeat: the last map, region and intensity with the
    // last options; the last seed when GleicheFragen, else a fresh start.
    bool Wiederhole(bool GleicheFragen);

    // Generates the question FrageNr (the teacher: all from FrageNr on). False
    // after the failure message; the exercise is then ended.
    bool ErzeugeFrage();

    // The current question (the teacher: the last one generated).
    const TFrage& Frage() const { return Frage_; }
    // The teacher's questions in order (also filled for a single question run).
    const QList<TFrage>& Fragen() const { return Fragen_; }

    // Single choice: slot 1..5. Counts, AntwortFolge, protocol lines.
    TAuswertung WerteAntwortAus(int Antwort);
    // Assignment: the placement; evaluates only when all five names are placed.
    TAuswertung WerteZuordnungAus(const TZuordnung& Zuordnung);

    // After an answer: advances FrageNr (by 5 after an assignment) and asks the
    // next question or ends the exercise. Before the answer nothing happens (the
    // same question waits: NaechsteFrage).
    WeiterErgebnis Weiter();
    // Ends the exercise now (summary, grade), as after the last question.
    void BeendeUebung();

    bool Laeuft() const { return Laeuft_; }
    // Changes with every start, so a caller can tell after a wait that a new exercise began.
    int Serie() const { return Serie_; }

    // Status line at the feedback level 0..2; updates UebDauer from the clock.
    TUebStatus Status(int Level);
    // UebDauer := tick - start tick (0 while negative); returns it.
    std::int64_t AktualisiereDauer();
    TUebErgebnis Ergebnis() const;
    // Start date and time (the header's and the participant result's).
    const QDateTime& StartZeit() const { return StartZeit_; }
    // Tick count now - start tick (which lies 500 ms after the start); may be negative.
    std::int64_t MsSeitStart() const;
    // The main window's caption during the exercise.
    QString Titel() const;
    // The failure message of generation.
    static QString FehlerMeldung();

    Uebungszustand& Zustand() { return Z_; }
    const Uebungszustand& Zustand() const { return Z_; }
    const Fragenhistorie& Historie() const { return Historie_; }
    const TUebIndex& Index() const { return Index_; }
    const TUebOptionen& Optionen() const { return Optionen_; }

private:
    bool ErzeugeEineFrage();
    void Scheitern();
    void Melde(TUebAenderung A) const;
    std::uint32_t Tick() const;

    Uebungszustand& Z_;
    TUebUhr Uhr_;
    TUebOptionen Optionen_;
    TUebIndex Index_;
    Fragenhistorie Historie_;
    TFrage Frage_;
    QList<TFrage> Fragen_;
    QDateTime StartZeit_;
    std::uint32_t StartTick_ = 0;
    bool Laeuft_ = false;
    bool Gescheitert_ = false;
    int Serie_ = 0;
    QString KartenName_;
    QHash<QString, QString> Bildpfade_; // map id -> question picture, looked up once per exercise
};

// Checks a start as the start check does, without starting: the message to show
// (no exercise-map entry, intensity out of range, no allowed question type), or
// empty when the exercise can start.
QString PruefeUebungsstart(const Uebungszustand& Zustand, const TUebOptionen& Optionen, int Gebiet);
// The message for no allowed question type.
QString KeinFragTypMeldung();
// The seed of the network options' text (WandleInGanzzahl: blanks dropped, held to
// the 32-bit range; 0, empty or no number: a fresh random start).
std::int32_t SeedAusText(const QString& Text);

// Pre-generates every question of an exercise from its seed (answer key of a
// class exercise or a bookmark) without touching the program's generator: its
// seed is restored afterwards. Vorlage gives UebModus, UebFragAnz, UebKartIndex.
struct TVorausErzeugung {
    bool Ok = false;
    std::int32_t Seed = 0;
    QList<TFrage> Fragen;
    QString Protokoll; // header, questions and answer keys
};
TVorausErzeugung ErzeugeFragenVoraus(const Uebungszustand& Vorlage, const TUebStart& Start,
                                     TUebOptionen Optionen, TUebUhr Uhr = {});

} // namespace zl
