#include "learning/mapview/zl_zustand.h"

#include "platform/MessageService.h"

#include <QSize>
#include <gtest/gtest.h>

#include <map>

using namespace zl;

namespace {

struct Stand {
    std::optional<bool> enabled, visible;
};

std::map<QString, Stand> zustaende(int m, bool T = false, TNetzFreigaben f = {}, bool editor = false)
{
    MenueEingaben e;
    e.m = m;
    e.T = T;
    e.Freigaben = f;
    e.ObjEditorSichtbar = editor;
    std::map<QString, Stand> out;
    for (const auto& z : MenueZustaende(e))
        out[z.Name] = {z.Enabled, z.Visible};
    return out;
}

} // namespace

// One row per item: enabled (E) or visible (V) in the views 1..4, for a pupil
// working alone. '1' on, '0' off.
TEST(MenueZustaende, EveryItemInEveryView)
{
    const struct {
        const char* name;
        char art;
        const char* views; // views 1..4
    } rows[] = {
        {"Lernkarte1", 'E', "0111"},          {"UebungStart1", 'E', "1111"},
        {"Uebungabbrechen1", 'E', "0010"},    {"LetzteUebung1", 'E', "1101"},
        {"NetzwerkUebInit", 'E', "1111"},     {"NetzwerkuebungProtokoll1", 'E', "1111"},
        {"Schiebepuzzle1", 'E', "0111"},      {"Suche1", 'E', "1101"},
        {"Datentabelle1", 'E', "1101"},       {"Drucken1", 'E', "0100"},
        {"Druckereinrichtung1", 'E', "0100"}, {"Exportieren1", 'E', "0100"},
        {"IndieZwischenablageEMF", 'E', "0100"}, {"IndieZwischenablageBMP", 'E', "0100"},
        {"Ansicht1", 'V', "0100"},            {"Kartendarstellung1", 'V', "0101"},
        {"Beschriftungen1", 'V', "0100"},     {"UebungsOptionen1", 'V', "0110"},
        {"Fragetypen1", 'E', "1101"},         {"UebKartDarst", 'E', "1111"},
        {"UebungenRueckmeld1", 'E', "1111"},  {"FragWeiter", 'E', "1111"},
        {"PuzzleOptionen1", 'V', "0101"},     {"Sound1", 'E', "1111"},
        {"Animationen1", 'E', "1111"},        {"Anrede1", 'E', "1111"},
        {"Kommunikationsverzeichnis1", 'E', "1111"}, {"KartenObjDateiOeffnen1", 'E', "1100"},
        {"BeschriftungEdit", 'E', "1100"},    {"LesezeichenDefinieren1", 'E', "0111"},
    };
    for (int m = 1; m <= 4; ++m) {
        const auto z = zustaende(m);
        for (const auto& r : rows) {
            const auto it = z.find(QString::fromLatin1(r.name));
            ASSERT_NE(it, z.end()) << r.name;
            const bool expected = r.views[m - 1] == '1';
            const auto& wert = r.art == 'E' ? it->second.enabled : it->second.visible;
            const auto& anderer = r.art == 'E' ? it->second.visible : it->second.enabled;
            ASSERT_TRUE(wert.has_value()) << r.name;
            EXPECT_EQ(*wert, expected) << r.name << " in view " << m;
            EXPECT_FALSE(anderer.has_value()) << r.name;
        }
        // Items the rules leave to the form are not named at all.
        for (const char* immer : {"KartenAuswahl1", "Netzwerkuebung1", "Beenden1", "Optionen1",
                                  "LesezeichenBearbeiten1", "Inhalt1", "Homepage1", "Info1"})
            EXPECT_EQ(z.count(QString::fromLatin1(immer)), 0u) << immer;
    }
}

TEST(MenueZustaende, ParticipantKeepsOnlyWhatTheTeacherLeavesOpen)
{
    auto gesperrt = [](const std::map<QString, Stand>& z, const char* n) {
        return !*z.at(QString::fromLatin1(n)).enabled;
    };
    const auto teilnehmer = zustaende(Uebung, true);
    for (const char* n : {"UebKartDarst", "UebungenRueckmeld1", "FragWeiter", "Sound1", "Animationen1", "Anrede1",
                          "Kommunikationsverzeichnis1"})
        EXPECT_TRUE(gesperrt(teilnehmer, n)) << n;

    TNetzFreigaben frei{2, 3, 2, 3, 2};
    const auto freigegeben = zustaende(Uebung, true, frei);
    for (const char* n : {"UebungenRueckmeld1", "FragWeiter", "Sound1", "Animationen1", "Anrede1"})
        EXPECT_FALSE(gesperrt(freigegeben, n)) << n;
    // The exercise map style stays the teacher's in any case.
    EXPECT_TRUE(gesperrt(freigegeben, "UebKartDarst"));

    // Values that are not "own choice" keep the lock.
    const auto halb = zustaende(Uebung, true, TNetzFreigaben{1, 2, 1, 2, 1});
    for (const char* n : {"UebungenRueckmeld1", "FragWeiter", "Sound1", "Animationen1", "Anrede1"})
        EXPECT_TRUE(gesperrt(halb, n)) << n;

    // Outside the exercise a participant only loses the communication folder.
    const auto lernkarte = zustaende(Lernkarte, true);
    EXPECT_TRUE(gesperrt(lernkarte, "Kommunikationsverzeichnis1"));
    EXPECT_FALSE(gesperrt(lernkarte, "Sound1"));
}

TEST(MenueZustaende, LabelFileNeedsTheEditorClosed)
{
    EXPECT_FALSE(*zustaende(Lernkarte, false, {}, true).at(QStringLiteral("KartenObjDateiOeffnen1")).enabled);
    EXPECT_TRUE(*zustaende(Kartenauswahl, false, {}, false).at(QStringLiteral("KartenObjDateiOeffnen1")).enabled);
}

TEST(ModusVerlassen, AsksOnlyWhereWorkWouldBeLost)
{
    const struct {
        int m;
        std::initializer_list<int> modi;
        bool du;
        int falsche;
        MsgButton antwort;
        bool erlaubt;
        const char* text; // nullptr: no box
    } faelle[] = {
        {Kartenauswahl, {1, 3, 4}, true, 0, mbOK, false,
         "Wähle unten zunächst eine Landkarte aus (per Mausklick auf die Kartenbezeichnung) und wähle dann 'Übungen'."},
        {Kartenauswahl, {1, 3, 4}, false, 0, mbOK, false,
         "Wählen Sie unten zunächst eine Landkarte aus (per Mausklick auf die Kartenbezeichnung) und wählen Sie dann "
         "'Übungen'."},
        {Kartenauswahl, {3, 4}, true, 0, mbOK, true, nullptr},
        {Lernkarte, {1, 3, 4}, true, 0, mbOK, true, nullptr},
        {Uebung, {3, 4}, true, 0, mbNo, false,
         "Achtung: Die aktuelle Übung ist noch nicht beendet!\r\nWillst du die Übung wirklich abbrechen?"},
        {Uebung, {1, 3, 4}, false, 0, mbYes, true,
         "Achtung: Die aktuelle Übung ist noch nicht beendet!\r\nWollen Sie die Übung wirklich abbrechen?"},
        {Schiebepuzzle, {3, 4}, true, 3, mbNo, false,
         "Achtung: Das aktuelle Schiebpuzzle ist noch nicht gelöst!\r\nWillst du das Schiebepuzzle wirklich "
         "abbrechen?"},
        {Schiebepuzzle, {3, 4}, false, 1, mbYes, true,
         "Achtung: Das aktuelle Schiebpuzzle ist noch nicht gelöst!\r\nWollen Sie das Schiebepuzzle wirklich "
         "abbrechen?"},
        {Schiebepuzzle, {3, 4}, true, 0, mbNo, true, nullptr}, // solved: no question
        {Uebung, {1}, true, 0, mbNo, true, nullptr},
        {kAnsichtWiederherstellen, {1, 3, 4}, true, 0, mbNo, true, nullptr},
    };
    for (const auto& f : faelle) {
        ScopedMessageRecorder rec;
        rec.answerNext(f.antwort);
        EXPECT_EQ(ModusVerlassenErlaubt(f.m, ModusMenge(f.modi), f.du, f.falsche), f.erlaubt) << f.m;
        if (!f.text) {
            EXPECT_TRUE(rec.entries().isEmpty()) << f.m;
            continue;
        }
        ASSERT_EQ(rec.entries().size(), 1) << f.m;
        EXPECT_EQ(rec.entries()[0].text, QString::fromUtf8(f.text));
        if (f.m == Kartenauswahl) {
            EXPECT_EQ(rec.entries()[0].kind, MsgKind::Information);
            EXPECT_EQ(rec.entries()[0].buttons, MsgButtons{mbOK});
        } else {
            EXPECT_EQ(rec.entries()[0].buttons, (MsgButtons{mbYes, mbNo}));
        }
    }
}

TEST(FormTaste, ModifiersMustMatchExactly)
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    const Qt::KeyboardModifiers kp = Qt::KeypadModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        bool editor;
        FormTaste aktion;
        bool verbraucht;
    } faelle[] = {
        {Qt::Key_F12, alt, false, FormTaste::SchreibeObjektdatei, false},
        {Qt::Key_F12, alt | ctrl, false, FormTaste::Keine, false},
        {Qt::Key_G, ctrl | Qt::ShiftModifier, false, FormTaste::Standardgeometrie, true},
        {Qt::Key_G, ctrl, false, FormTaste::Keine, false},
        {Qt::Key_Plus, ctrl | kp, false, FormTaste::Viewport, true},
        {Qt::Key_Plus, ctrl, false, FormTaste::Keine, false}, // not the keypad
        {Qt::Key_Left, ctrl, false, FormTaste::Viewport, true},
        {Qt::Key_Left, ctrl | alt, false, FormTaste::Keine, false},
        {Qt::Key_Left, alt, true, FormTaste::AusrichtungLinks, true},
        {Qt::Key_Down, alt, true, FormTaste::AusrichtungUnten, true},
        {Qt::Key_Left, alt, false, FormTaste::Keine, false}, // editor hidden
        {Qt::Key_Left, alt | Qt::ShiftModifier, true, FormTaste::Keine, false},
    };
    for (const auto& f : faelle) {
        const auto a = FormTasteAuswerten(f.key, f.mods, f.editor);
        EXPECT_EQ(a.Aktion, f.aktion) << f.key << " " << int(f.mods);
        EXPECT_EQ(a.Verbraucht, f.verbraucht) << f.key;
    }
    EXPECT_EQ(FormTasteAuswerten(Qt::Key_Plus, ctrl | kp, false).Befehl, TViewportBefehl::ZoomRein);
}

TEST(Hauptfenster, MinimumSizeAndCaptions)
{
    EXPECT_EQ(MindestFenstergroesse(640, 480), QSize(624, 420));
    EXPECT_EQ(MindestFenstergroesse(1920, 1080), QSize(784, 540));
    EXPECT_EQ(TitelLernkarte(QStringLiteral("Bayern")), QStringLiteral("Zelvaro - Terravio 4.0 - Karte: Bayern"));
    EXPECT_EQ(TitelPuzzle(QStringLiteral("Europa")), QStringLiteral("Zelvaro - Terravio 4.0 - Puzzle: Europa"));
    EXPECT_EQ(TitelUebung(QStringLiteral("Europa"), QStringLiteral("Standard"), QStringLiteral("Basis"), 10),
              QStringLiteral("Zelvaro - Terravio 4.0 - Übung: Europa - Standard - Basis (10)"));
    EXPECT_EQ(TitelUebung(QStringLiteral("Europa"), QStringLiteral("Standard"), QStringLiteral("Basis"), 10,
                          QStringLiteral("Anna")),
              QStringLiteral("Zelvaro - Terravio 4.0 - Übung: Europa - Standard - Basis (10) - Teilnehmer: Anna"));
}

TEST(Hauptfenster, InitialState)
{
    const HauptfensterZustand z;
    EXPECT_EQ(z.Ansichtsmodus, 1);
    EXPECT_TRUE(z.ErsteAktivierung);
    EXPECT_FALSE(z.WirdGeschlossen);
    EXPECT_EQ(z.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(z.LernIntensitaet, 2);
    EXPECT_EQ(z.Viewport.ZoomStufe, 0);
    EXPECT_EQ(z.Viewport.ZoomFaktor, 1.0);
    EXPECT_EQ(z.Viewport.Ausschnitt.Right, 10000);
    EXPECT_EQ(z.UebRFLevel, 2);
    EXPECT_FALSE(z.NetzTeilnehmer);
    EXPECT_EQ(z.FragTypMasken[3], QString(23, u'1'));
}
