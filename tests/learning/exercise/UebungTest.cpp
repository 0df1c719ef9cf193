// The engine: start, generation, evaluation, end, reproducibility and bad input.
#include "learning/exercise/zl_uebung.h"

#include "UebTestdaten.h"
#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace zl;

namespace {

class Uebung : public ::testing::Test {
protected:
    void SetUp() override
    {
        testdaten::Setze();
        seed_ = Zufall::RandSeed();
        alt_ = setMessageService(&rec_);
    }
    void TearDown() override
    {
        setMessageService(alt_);
        testdaten::Leere();
        Zufall::SetRandSeed(seed_);
        Zufall::SetUhr({});
    }

    // Starts kind 4 with the mask on map TK (or another region).
    bool Starte(TUebung& u, const QString& maske, std::int32_t seed, int gebiet = 10, bool du = true)
    {
        TUebOptionen o = testdaten::Optionen(maske);
        o.AnredeDu = du;
        return u.StarteUebung({testdaten::kKarte, gebiet, seed, 3}, o);
    }

    static QString Maske(std::initializer_list<int> typen)
    {
        QString m(23, u'0');
        for (int t : typen)
            m[t - 1] = u'1';
        return m;
    }

    // Every question of a run (answering slot 1), or of a failed start.
    QList<TFrage> Lauf(const QString& maske, int anzahl, std::int32_t seed, int gebiet = 10, bool du = true)
    {
        Uebungszustand z = testdaten::Zustand(4, anzahl);
        TUebung u(z, testdaten::FesteUhr());
        if (Starte(u, maske, seed, gebiet, du))
            testdaten::BeantworteAlle(u);
        return u.Fragen();
    }

    RecordingMessageService rec_;
    MessageService* alt_ = nullptr;
    std::int32_t seed_ = 0;
};

// What a question shows, for comparing runs.
QString Abdruck(const QList<TFrage>& fragen)
{
    QString s;
    for (const TFrage& f : fragen) {
        s += QString::number(f.FrageNr) + f.Code + f.FragText + f.BildPfad + QString::number(f.RichtigeAntwort);
        for (int i = 0; i < 5; ++i)
            s += u'|' + f.Antworten[std::size_t(i)] + QString::number(f.Zeiger[std::size_t(i)].Objekt) +
                 QString::number(f.ZuordnungZiel[std::size_t(i)]);
        s += u'\n';
    }
    return s;
}

// The replay of the shuffle into the five answer slots: for each slot the index
// of the answer drawn into it.
std::array<std::size_t, 5> ZieheAntwortPlaetze()
{
    std::array<std::size_t, 5> platz{};
    std::array<bool, 5> frei{true, true, true, true, true};
    for (std::size_t i = 0; i < 5; ++i) {
        int j;
        do
            j = Zufall::Random(5);
        while (!frei[std::size_t(j)]);
        frei[std::size_t(j)] = false;
        platz[i] = std::size_t(j);
    }
    return platz;
}

} // namespace

// The core promise: the same seed, tables and settings give the same questions
// and protocol bytes, whether run, repeated or pre-generated.
TEST_F(Uebung, FiftyQuestionsTwiceGiveTheSameBytes)
{
    auto lauf = [&](std::int32_t seed, QList<TFrage>& fragen) {
        Uebungszustand z = testdaten::Zustand(2, 50);
        TUebung u(z, testdaten::FesteUhr());
        EXPECT_TRUE(u.StarteUebung({testdaten::kKarte, 10, seed, 3}, testdaten::Optionen()));
        for (int n = 0; n < 60 && u.Laeuft(); ++n) {
            u.WerteAntwortAus(z.FrageNr % 5 + 1);
            u.Weiter();
        }
        EXPECT_TRUE(z.UebungBeendet);
        EXPECT_EQ(z.AnzRichtig + z.AnzFalsch, 50);
        fragen = u.Fragen();
        return ProtokollBytes(z.Uebungsprotokoll);
    };
    QList<TFrage> a, b, c;
    const QByteArray erst = lauf(4711, a);
    const QByteArray zweit = lauf(4711, b);
    EXPECT_EQ(erst, zweit);
    EXPECT_EQ(Abdruck(a), Abdruck(b));
    EXPECT_EQ(a.size(), 50);
    EXPECT_NE(erst, lauf(4712, c));

    // Many types and subjects occur, and no question shows the same text twice.
    std::set<QString> codes;
    for (const TFrage& f : a) {
        codes.insert(f.Code);
        if (f.Anzeige == FragAnzeige::Liste) {
            std::set<QString> knoepfe(f.Antworten.begin(), f.Antworten.end());
            EXPECT_EQ(knoepfe.size(), 5u) << f.FragText.toStdString();
        }
    }
    EXPECT_GE(codes.size(), 12u);

    // Pre-generated from the seed: the same questions, and the program's sequence is left alone.
    Zufall::SetRandSeed(99);
    const TVorausErzeugung v =
        ErzeugeFragenVoraus(testdaten::Zustand(2, 50), {testdaten::kKarte, 10, 4711, 3}, testdaten::Optionen(),
                            testdaten::FesteUhr());
    EXPECT_EQ(Zufall::RandSeed(), 99);
    ASSERT_TRUE(v.Ok);
    EXPECT_EQ(v.Seed, 4711);
    EXPECT_EQ(Abdruck(v.Fragen), Abdruck(a));
    EXPECT_EQ(v.Protokoll.count(QStringLiteral(" Richtige Antwort: ")), 50);
}

TEST_F(Uebung, RepeatWithTheSavedSeed)
{
    Uebungszustand z = testdaten::Zustand(1, 10);
    TUebung u(z, testdaten::FesteUhr());
    Zufall::SetUhr([] { return 5555u; });
    ASSERT_TRUE(u.StarteUebung({testdaten::kKarte, 10, 0, 2}, testdaten::Optionen()));
    EXPECT_EQ(z.UebRandSeed, 5555); // seed 0: a fresh start from the clock
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral("Auswahlaufgaben [5555]\r\n")));
    testdaten::BeantworteAlle(u, 2);
    const QString erst = z.Uebungsprotokoll;
    const QString fragen = Abdruck(u.Fragen());
    const int serie = u.Serie();

    Zufall::SetUhr([] { return 1u; });
    ASSERT_TRUE(u.StarteUebung({z.UebKartID, z.UebGebiet, z.UebRandSeed, z.UebIntensitaet}, testdaten::Optionen()));
    EXPECT_NE(u.Serie(), serie);
    testdaten::BeantworteAlle(u, 2);
    EXPECT_EQ(z.Uebungsprotokoll, erst);
    EXPECT_EQ(Abdruck(u.Fragen()), fragen);

    ASSERT_TRUE(u.Wiederhole(true));
    testdaten::BeantworteAlle(u, 2);
    EXPECT_EQ(z.Uebungsprotokoll, erst);
    ASSERT_TRUE(u.Wiederhole(false)); // new questions from the clock's seed
    EXPECT_EQ(z.UebRandSeed, 1);
    EXPECT_FALSE(fragen.startsWith(Abdruck(u.Fragen())));
}

// An independent replay of the draws for one object type: type draws, the
// subject, the generator, then the five slot draws.
TEST_F(Uebung, DrawOrderOfAnObjectQuestion)
{
    const QList<int> staedte = {8, 9, 10, 11, 12, 13, 14, 15}; // the eight cities of map TK
    for (std::int32_t seed : {1, 2, 333, -987654, 2147483647}) {
        Uebungszustand z = testdaten::Zustand(4, 5);
        TUebung u(z, testdaten::FesteUhr());
        ASSERT_TRUE(Starte(u, Maske({S02}), seed));

        Zufall::SetRandSeed(seed);
        while (Zufall::Random(23) + 1 != S02) {
        }
        std::array<int, 5> obj;
        obj[0] = staedte[Zufall::Random(8)];
        for (int k = 1; k <= 4; ++k) {
            bool neu;
            do {
                obj[std::size_t(k)] = staedte[Zufall::Random(8)];
                neu = true;
                for (int m = 0; m < k; ++m)
                    neu = neu && obj[std::size_t(m)] != obj[std::size_t(k)];
            } while (!neu);
        }
        const auto platz = ZieheAntwortPlaetze();
        for (int i = 0; i < 5; ++i) {
            const std::size_t j = platz[std::size_t(i)];
            EXPECT_EQ(u.Frage().Antworten[std::size_t(i)], Einzeilig(ObjDaten[obj[j]].Bez)) << seed;
            if (j == 0) {
                EXPECT_EQ(u.Frage().RichtigeAntwort, i + 1);
            }
        }
        EXPECT_EQ(u.Frage().Objekt, obj[0]);
        EXPECT_EQ(u.Frage().EinzelZeiger.Objekt, obj[0]);
        EXPECT_TRUE(u.Frage().EinzelZeiger.Zeichnen); // cities are drawn on the picture
        EXPECT_EQ(u.Frage().FragText, QStringLiteral("Wie heißt diese Stadt?"));
    }
}

// The same replay for two country types: the subject redrawn while outside the
// region, the wrong answers (names, or rungs of the number ladder), the slots.
TEST_F(Uebung, DrawOrderOfCountryQuestions)
{
    const int zeilen = int(LaenderDaten.size());
    auto imGebiet = [](int r) { return LaenderDaten[r].Gebiet == 10; };
    for (int typ : {E02, E05}) {
        for (std::int32_t seed : {5, 6, 1000, -42}) {
            Uebungszustand z = testdaten::Zustand(4, 5);
            TUebung u(z, testdaten::FesteUhr());
            ASSERT_TRUE(Starte(u, Maske({typ}), seed));

            Zufall::SetRandSeed(seed);
            while (Zufall::Random(23) + 1 != typ) {
            }
            int land;
            do
                land = Zufall::Random(zeilen);
            while (!imGebiet(land));
            std::array<QString, 5> a;
            if (typ == E02) {
                a[0] = LaenderDaten[land].Name;
                for (int k = 1; k <= 4; ++k) {
                    bool neu;
                    do {
                        const int r = Zufall::Random(zeilen);
                        a[std::size_t(k)] = LaenderDaten[r].Name;
                        neu = LandImGebiet(LaenderDaten[r], 10);
                        for (int m = 0; m < k; ++m)
                            neu = neu && a[std::size_t(m)] != a[std::size_t(k)];
                    } while (!neu);
                }
            } else {
                const auto L = ZahlenLeiter(LaenderDaten[land].Einwohner);
                a[0] = FormatiereGanzzahl(L[4], 0);
                int s = Zufall::Random(5);
                while (std::nearbyint(L[std::size_t(s)]) == std::nearbyint(L[std::size_t(s + 1)]))
                    ++s;
                for (int k = 1; k <= 4; ++k) {
                    bool neu;
                    do {
                        a[std::size_t(k)] = FormatiereGanzzahl(L[std::size_t(s + Zufall::Random(5))], 0);
                        neu = true;
                        for (int m = 0; m < k; ++m)
                            neu = neu && a[std::size_t(m)] != a[std::size_t(k)];
                    } while (!neu);
                }
            }
            const auto platz = ZieheAntwortPlaetze();
            for (std::size_t i = 0; i < 5; ++i)
                EXPECT_EQ(u.Frage().Antworten[i], a[platz[i]]) << typ << " " << seed;
            EXPECT_EQ(u.Frage().Land, land);
        }
    }
}

TEST_F(Uebung, SingleChoiceAnswers)
{
    Uebungszustand z = testdaten::Zustand(4, 3);
    TUebung u(z, testdaten::FesteUhr());
    ASSERT_TRUE(Starte(u, Maske({S06}), 17, 10, false));
    const TFrage f = u.Frage();
    EXPECT_EQ(f.Anzeige, FragAnzeige::Zeigen);
    EXPECT_TRUE(f.FragText.startsWith(QStringLiteral("Zeigen Sie: ")));
    for (int i = 0; i < 5; ++i) {
        EXPECT_GE(f.Zeiger[std::size_t(i)].Objekt, 0);
        EXPECT_EQ(f.AntwortTexte[std::size_t(i)], f.Antworten[std::size_t(i)]);
        EXPECT_TRUE(f.Knopftexte[std::size_t(i)].isEmpty());
    }
    EXPECT_EQ(f.FragText.mid(12), f.Antworten[std::size_t(f.RichtigeAntwort - 1)]);

    EXPECT_FALSE(u.WerteAntwortAus(0).Ausgewertet);
    EXPECT_FALSE(u.WerteAntwortAus(6).Ausgewertet);
    TZuordnung zu;
    EXPECT_FALSE(u.WerteZuordnungAus(zu).Ausgewertet);
    const int falsch = f.RichtigeAntwort % 5 + 1;
    const TAuswertung a = u.WerteAntwortAus(falsch);
    ASSERT_TRUE(a.Ausgewertet);
    EXPECT_FALSE(a.Richtig);
    EXPECT_EQ(a.Rueckmeldung, QStringLiteral("Falsch, das war: ") + f.Antworten[std::size_t(falsch - 1)]);
    EXPECT_EQ(a.RueckmeldungFarbe, 0xFF5B64u);
    EXPECT_FALSE(u.WerteAntwortAus(f.RichtigeAntwort).Ausgewertet); // answered already
    EXPECT_EQ(z.AnzFalsch, 1);
    EXPECT_EQ(z.AntwortFolge, QStringLiteral("-"));
    const QString block = QStringLiteral(" Richtige Antwort: ") + AntwortBuchstabe(f.RichtigeAntwort) +
                          QStringLiteral("\r\n Gewählte Antwort: ") + AntwortBuchstabe(falsch) +
                          QStringLiteral(" (falsch)\r\n \r\n ");
    EXPECT_TRUE(z.Uebungsprotokoll.contains(block));
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" 01. Frage [S06]: Zeigen Sie: ")));

    ASSERT_EQ(u.Weiter(), WeiterErgebnis::NaechsteFrage);
    EXPECT_EQ(z.FrageNr, 2);
    const TAuswertung r = u.WerteAntwortAus(u.Frage().RichtigeAntwort);
    EXPECT_TRUE(r.Richtig);
    EXPECT_EQ(r.Rueckmeldung, QStringLiteral("Richtig!"));
    EXPECT_EQ(u.Status(0).Quote, QStringLiteral("?"));
    EXPECT_EQ(u.Status(1).Quote, QStringLiteral("50.0 %"));
    EXPECT_EQ(u.Status(2).FragNr, QStringLiteral("2 / 3"));
    ASSERT_EQ(u.Weiter(), WeiterErgebnis::NaechsteFrage);
    const TAuswertung l = u.WerteAntwortAus(u.Frage().RichtigeAntwort);
    EXPECT_TRUE(l.LetzteFrage);
    ASSERT_EQ(u.Weiter(), WeiterErgebnis::Ende);
    EXPECT_EQ(z.FrageNr, 3);
    EXPECT_EQ(u.Status(2).FragNr, QStringLiteral("Ende"));
    EXPECT_EQ(u.Ergebnis().Note, 3); // 66.7 %
    EXPECT_EQ(u.Ergebnis().Bewertung, QStringLiteral("befriedigend (3)"));
    EXPECT_TRUE(z.Uebungsprotokoll.endsWith(QStringLiteral(" Erfolgsquote ..... 66.7%\r\n"
                                                           " Bewertung ........ befriedigend (Note 3)\r\n"
                                                           " Gesamtzeit ....... 0 Sek.\r\n"
                                                           " Zeit pro Frage ... Ø 0.0 Sek.\r\n")));
}

TEST_F(Uebung, FlagQuestions)
{
    const QList<TFrage> fragen = Lauf(Maske({E01}), 10, 8);
    ASSERT_EQ(fragen.size(), 10);
    for (const TFrage& f : fragen) {
        EXPECT_EQ(f.Anzeige, FragAnzeige::Flaggen);
        EXPECT_TRUE(f.BildPfad.isEmpty());
        const QString land = f.AntwortTexte[std::size_t(f.RichtigeAntwort - 1)];
        EXPECT_EQ(f.FragText, QStringLiteral("Welches ist die Flagge von ") + land + u'?');
        std::set<QString> flaggen;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(f.Flaggen[std::size_t(i)], FlaggenVerz + f.Antworten[std::size_t(i)]);
            flaggen.insert(f.Antworten[std::size_t(i)].toLower());
        }
        EXPECT_EQ(flaggen.size(), 5u);
        EXPECT_FALSE(flaggen.count(QStringLiteral("luxemb.jpg")) && flaggen.count(QStringLiteral("niederla.jpg")));
    }
}

TEST_F(Uebung, AssignmentBlocks)
{
    // Five questions of kind 3: one block, numbers 1 to 5.
    Uebungszustand z = testdaten::Zustand(3, 5);
    TUebung u(z, testdaten::FesteUhr());
    ASSERT_TRUE(u.StarteUebung({testdaten::kKarte, 10, 21, 3}, testdaten::Optionen()));
    const TFrage f = u.Frage();
    ASSERT_TRUE(IstZuordnungsFrage(f.Typ));
    EXPECT_EQ(f.Anzeige, FragAnzeige::Zuordnen);
    EXPECT_EQ(f.Antworten[0], Einzeilig(ObjDaten[f.Objekt].Bez)); // name 1 is the asked object
    EXPECT_TRUE(f.FragText.startsWith(QStringLiteral("Ordne Namen und Positionen einander zu! (")));
    std::set<int> ziele(f.ZuordnungZiel.begin(), f.ZuordnungZiel.end());
    EXPECT_EQ(ziele, (std::set<int>{1, 2, 3, 4, 5}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Knopftexte[std::size_t(i)], QStringLiteral("     ") + f.Antworten[std::size_t(i)]);
        // Pointer letter of name i marks name i's object.
        const int ziel = f.ZuordnungZiel[std::size_t(i)];
        EXPECT_EQ(Einzeilig(ObjDaten[f.Zeiger[std::size_t(ziel - 1)].Objekt].Bez), f.Antworten[std::size_t(i)]);
    }
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" 01.-05. Frage [Z0")));
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral("  1) ") + f.Antworten[0] + QStringLiteral("\r\n")));

    // Three right, names 4 and 5 swapped.
    TZuordnung zu;
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(zu.OrdneZu(i, f.ZuordnungZiel[std::size_t(i < 4 ? i - 1 : 4)]));
    EXPECT_FALSE(u.WerteZuordnungAus(zu).Ausgewertet); // four placed: not yet
    EXPECT_TRUE(zu.OrdneZu(5, f.ZuordnungZiel[3]));
    EXPECT_FALSE(u.WerteAntwortAus(1).Ausgewertet);
    const TAuswertung a = u.WerteZuordnungAus(zu);
    ASSERT_TRUE(a.Ausgewertet);
    EXPECT_EQ(a.AnzRichtig, 3);
    EXPECT_EQ(a.Rueckmeldung, QStringLiteral("3 richtig, 2 falsch!"));
    EXPECT_EQ(a.RueckmeldungFarbe, 0xFFFF00u);
    EXPECT_EQ(z.AntwortFolge, QStringLiteral("+++--"));
    EXPECT_EQ(z.AnzRichtig, 3);
    EXPECT_EQ(z.AnzFalsch, 2);
    EXPECT_TRUE(a.LetzteFrage);
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral("(3 richtig, 2 falsch)\r\n \r\n ")));
    EXPECT_EQ(u.Weiter(), WeiterErgebnis::Ende);
    EXPECT_EQ(z.FrageNr, 5);

    // Ten questions: blocks at 1 and 6. Two assignment types and one other over
    // seven questions: the one other type must follow itself at question 7,
    // which the history refuses until it has shrunk away; the exercise still ends.
    QList<TFrage> q = Lauf(Maske({Z01, Z02, Z03, Z04, Z05}), 10, 5);
    ASSERT_EQ(q.size(), 2);
    EXPECT_EQ(q[1].FrageNr, 6);
    q = Lauf(Maske({Z01, Z02, S01}), 7, 5);
    EXPECT_TRUE(rec_.entries().isEmpty());
    ASSERT_FALSE(q.isEmpty());
    int nr = 1;
    for (const TFrage& f2 : q) {
        EXPECT_EQ(f2.FrageNr, nr);
        if (IstZuordnungsFrage(f2.Typ)) {
            EXPECT_LE(f2.FrageNr + 4, 7);
        }
        nr += FragenProFrage(f2.Typ);
    }
    EXPECT_EQ(nr, 8);
}

// The listener (the class exercise sends a participant's state on it) hears each start,
// each evaluated answer and the end exactly once, in order, with the state already
// showing the change; ignored answers and a failed start tell no answer.
TEST_F(Uebung, ListenerHearsEveryChangeOnceInOrder)
{
    Uebungszustand z = testdaten::Zustand(4, 7);
    TUebung u(z, testdaten::FesteUhr());
    QStringList gehoert;
    u.BeiAenderung = [&](TUebAenderung a) {
        const char* n = a == TUebAenderung::Gestartet ? "start" : a == TUebAenderung::Beantwortet ? "antwort" : "ende";
        gehoert << QLatin1String(n) + u' ' + z.AntwortFolge + (z.UebungBeendet ? QStringLiteral(" beendet") : QString());
    };
    ASSERT_TRUE(Starte(u, Maske({S01, Z02}), 13));
    QStringList erwartet{QStringLiteral("start ")};
    QString folge;
    for (int n = 0; n < 20 && u.Laeuft(); ++n) {
        if (IstZuordnungsFrage(u.Frage().Typ)) {
            TZuordnung zu;
            for (int i = 1; i <= 4; ++i)
                zu.OrdneZu(i, u.Frage().ZuordnungZiel[std::size_t(i - 1)]);
            EXPECT_FALSE(u.WerteZuordnungAus(zu).Ausgewertet); // four placed: not evaluated
            zu.OrdneZu(5, u.Frage().ZuordnungZiel[4]);
            ASSERT_TRUE(u.WerteZuordnungAus(zu).Ausgewertet);
            EXPECT_FALSE(u.WerteZuordnungAus(zu).Ausgewertet); // once only
            folge += QStringLiteral("+++++");
        } else {
            const int richtig = u.Frage().RichtigeAntwort;
            ASSERT_TRUE(u.WerteAntwortAus(richtig % 5 + 1).Ausgewertet);
            EXPECT_FALSE(u.WerteAntwortAus(richtig).Ausgewertet); // answered already
            folge += u'-';
        }
        erwartet << QStringLiteral("antwort ") + folge;
        u.Weiter();
    }
    erwartet << QStringLiteral("ende ") + folge + QStringLiteral(" beendet");
    EXPECT_EQ(gehoert, erwartet);
    EXPECT_EQ(folge.size(), 7);

    // A start that asks nothing ends at once; ending a running exercise tells it once.
    gehoert.clear();
    EXPECT_FALSE(Starte(u, QStringLiteral("abc"), 13));
    EXPECT_EQ(gehoert, QStringList{QStringLiteral("ende  beendet")});
    gehoert.clear();
    ASSERT_TRUE(Starte(u, Maske({S01}), 13));
    u.BeendeUebung();
    u.BeendeUebung();
    EXPECT_EQ(gehoert, (QStringList{QStringLiteral("start "), QStringLiteral("ende  beendet")}));
}

TEST_F(Uebung, PlacementModel)
{
    TZuordnung z;
    EXPECT_EQ(z.Ziel(3), -3);
    z.OrdneZu(1, 2);
    z.OrdneZu(3, 2); // takes target 2 from name 1
    EXPECT_EQ(z.Ziel(1), -1);
    EXPECT_EQ(z.Ziel(3), 2);
    z.OrdneZu(3, 4); // moves
    EXPECT_EQ(z.ZaehleZugeordnete(), 1);
    EXPECT_FALSE(z.OrdneZu(0, 1));
    EXPECT_FALSE(z.OrdneZu(1, 6));
    EXPECT_EQ(z.ZaehleZugeordnete(), 1);
}

TEST_F(Uebung, TeacherAnswerKey)
{
    Uebungszustand z = testdaten::Zustand(4, 7);
    TUebung u(z, testdaten::FesteUhr());
    TUebOptionen o = testdaten::Optionen(Maske({S01, S02, Z02}));
    o.Lehrer = true;
    ASSERT_TRUE(u.StarteUebung({testdaten::kKarte, 10, 31, 3}, o));
    int nummern = 0;
    for (const TFrage& f : u.Fragen()) {
        nummern += FragenProFrage(f.Typ);
        QString key;
        if (IstZuordnungsFrage(f.Typ))
            key = RichtigeZuordnungZeile(f.ZuordnungZiel);
        else
            key = RichtigeAntwortZeile(f.RichtigeAntwort);
        EXPECT_TRUE(z.Uebungsprotokoll.contains(u' ' + key + QStringLiteral("\r\n \r\n ") + QString(84, QChar(0x2014))));
    }
    EXPECT_EQ(nummern, 7);
    EXPECT_FALSE(z.Uebungsprotokoll.contains(QStringLiteral("Gewählte Antwort")));
}

TEST_F(Uebung, QuestionTexts)
{
    // A city state is called name (Land) and never asked for its capital.
    for (const TFrage& f : Lauf(Maske({E03, E04, E05}), 40, 12)) {
        EXPECT_FALSE(f.Typ != E05 && f.FragText.contains(QStringLiteral("Monaco"))) << f.FragText.toStdString();
        if (f.Typ == E05 && f.FragText.contains(QStringLiteral("Monaco"))) {
            EXPECT_EQ(f.FragText, QStringLiteral("Wieviele Einwohner hat Monaco (Land) ungefähr?"));
        }
        if (f.Typ == E03) { // the pointer at the country where the map has its label
            EXPECT_EQ(f.EinzelZeiger.Objekt >= 0, !f.FragText.contains(QStringLiteral("Ungarn")) &&
                                                      !f.FragText.contains(QStringLiteral("Russland")) &&
                                                      !f.FragText.contains(QStringLiteral("Türkei")));
        }
    }
    // No density question for a thinly peopled country or a tiny crowded one.
    testdaten::Land(QStringLiteral("Mikro"), 10, 1e6, 500, QStringLiteral("M"), QString());
    testdaten::Land(QStringLiteral("Leer"), 10, 1000, 4000, QStringLiteral("L"), QString());
    testdaten::Land(QStringLiteral("Klein"), 10, 5e5, 999, QStringLiteral("K"), QString()); // density 500
    std::set<QString> gefragt;
    for (const TFrage& f : Lauf(Maske({E06}), 50, 4)) {
        EXPECT_TRUE(f.FragText.startsWith(QStringLiteral("Wie hoch ist die Bevölkerungsdichte von ")));
        EXPECT_TRUE(f.Antworten[0].endsWith(QStringLiteral(" Einw./km²")));
        gefragt.insert(LaenderDaten[f.Land].Name);
    }
    EXPECT_FALSE(gefragt.count(QStringLiteral("Mikro")));
    EXPECT_FALSE(gefragt.count(QStringLiteral("Leer")));
    EXPECT_TRUE(gefragt.count(QStringLiteral("Klein")));
    // The continent question about Turkey and Russia says "hauptsächlich".
    bool gesehen = false;
    for (const TFrage& f : Lauf(Maske({E08}), 40, 3, 0)) {
        QString land = f.FragText.mid(28);
        land.remove(QStringLiteral(" hauptsächlich"));
        land.chop(1);
        if (land == QStringLiteral("Türkei") || land == QStringLiteral("Russland")) {
            EXPECT_TRUE(f.FragText.endsWith(QStringLiteral(" hauptsächlich?"))) << f.FragText.toStdString();
            gesehen = true;
        }
        EXPECT_EQ(f.Antworten[std::size_t(f.RichtigeAntwort - 1)],
                  land == QStringLiteral("Ägypten") || land == QStringLiteral("Kenia") ? QStringLiteral("Afrika")
                  : land == QStringLiteral("Japan")                                     ? QStringLiteral("Asien")
                                                                                        : QStringLiteral("Europa"));
    }
    EXPECT_TRUE(gesehen);
    // The outlier question on an Asian map: Turkey or Russia as the answer gives "zum Großteil".
    for (int i = 0; i < 5; ++i)
        testdaten::Land(QStringLiteral("Asien%1").arg(i), 30, 1e6, 1e4, QStringLiteral("H%1").arg(i), QString());
    gesehen = false;
    for (const TFrage& f : Lauf(Maske({E07}), 50, 9, 30)) {
        const QString richtig = f.Antworten[std::size_t(f.RichtigeAntwort - 1)];
        const bool gross = richtig == QStringLiteral("Türkei") || richtig == QStringLiteral("Russland");
        gesehen = gesehen || gross;
        EXPECT_EQ(f.FragText, QStringLiteral("Welches Land oder Gebiet gehört") +
                                  (gross ? QStringLiteral(" zum Großteil") : QString()) +
                                  QStringLiteral(" nicht zu Testkarte?"));
    }
    EXPECT_TRUE(gesehen);
    // The capital question on a map of US states.
    for (const char* s : {"Texas", "Ohio", "Utah", "Iowa", "Idaho"})
        testdaten::Land(QString::fromLatin1(s), 41, 1e6, 1e5, QString::fromLatin1(s) + QStringLiteral("-Stadt"),
                        QString());
    const QList<TFrage> us = Lauf(Maske({E04}), 3, 1, 41);
    ASSERT_EQ(us.size(), 3);
    EXPECT_TRUE(us[0].FragText.startsWith(QStringLiteral("Von welchem Bundesstaat ist "))) << us[0].FragText.toStdString();
    // Informal and formal assignment texts.
    EXPECT_EQ(Lauf(Maske({Z03}), 5, 1, 10, false)[0].FragText,
              QStringLiteral("Ordnen Sie Namen und Positionen einander zu! (Gewässer)"));
    EXPECT_EQ(Lauf(Maske({S01}), 1, 1, 11)[0].FragText, QStringLiteral("Wie heißt dieses Bundesland oder Gebiet?"));
}

TEST_F(Uebung, ClockAndStatus)
{
    std::uint32_t tick = 0xFFFFF000u; // the tick count wraps during the exercise
    TUebUhr uhr = testdaten::FesteUhr();
    uhr.Tick = [&] { return tick; };
    Uebungszustand z = testdaten::Zustand(1, 10);
    TUebung u(z, uhr);
    ASSERT_TRUE(u.StarteUebung({testdaten::kKarte, 10, 3, 1}, testdaten::Optionen()));
    EXPECT_EQ(u.StartZeit(), QDateTime(QDate(2026, 3, 1), QTime(9, 30, 0)));
    tick += 300;
    EXPECT_EQ(u.MsSeitStart(), -200);
    EXPECT_EQ(u.Status(2).Zeit, QStringLiteral("00:00")); // the first half second
    EXPECT_EQ(z.UebDauer, 0);
    tick = 0x1000u;
    EXPECT_EQ(u.AktualisiereDauer(), 0x2000 - 500);
    EXPECT_EQ(u.Status(2).Zeit, QStringLiteral("00:07"));
    tick = 0xFFFFF000u + 500u + 63400u;
    for (int n = 0; n < 10; ++n) {
        u.WerteAntwortAus(1);
        u.Weiter();
    }
    EXPECT_TRUE(z.UebungBeendet);
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" Zeit pro Frage ... Ø 6.3 Sek.\r\n")));
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" Gesamtzeit ....... 1 Min. 3 Sek.\r\n")));
}

// Bad input ends in the failure message or the start check's message, never a hang.
TEST_F(Uebung, NothingToAskEndsWithTheMessage)
{
    const struct {
        const char* fall;
        std::function<void()> daten;
        QString maske;
        int gebiet;
    } faelle[] = {
        {"empty tables", [] { testdaten::Leere(); }, QString(23, u'1'), 10},
        {"no country rows", [] { LaenderDaten.clear(); }, Maske({E01, E02, E03, E05, E06, E07}), 10},
        {"region with four rows", [] {
             for (int i = 0; i < 4; ++i)
                 testdaten::Land(QStringLiteral("L%1").arg(i), 71, 1e6, 1e4, QStringLiteral("H%1").arg(i),
                                 QStringLiteral("f%1.jpg").arg(i));
         }, Maske({E02, E03, E04}), 71},
        {"region without rows", [] {}, Maske({E03}), 14},
        {"apostrophe-only labels", [] {
             ObjDaten.clear();
             for (int k = 0; k < 6; ++k)
                 testdaten::Objekt(QStringLiteral("G"), k % 2 ? QStringLiteral("''") : QString(), 0.1 * k, 0.1 * k);
         }, Maske({S03, S08, Z03}), 10},
        {"fewer than five objects", [] {
             ObjDaten.clear();
             for (int k = 0; k < 4; ++k)
                 testdaten::Objekt(QStringLiteral("B"), QStringLiteral("B%1").arg(k), 0.2 * k, 0.1);
         }, Maske({S04, S09, Z04}), 10},
        {"no flags", [] {
             for (auto& l : LaenderDaten)
                 l.Flagge.clear();
         }, Maske({E01, E02}), 10},
        {"junk mask", [] {}, QStringLiteral("abc"), 10},
        {"empty capitals", [] {
             for (auto& l : LaenderDaten)
                 l.Hauptstadt = QStringLiteral("'");
         }, Maske({E03, E04}), 10},
    };
    for (const auto& f : faelle) {
        testdaten::Setze();
        f.daten();
        rec_ = RecordingMessageService{};
        Uebungszustand z = testdaten::Zustand(4, 10);
        TUebung u(z, testdaten::FesteUhr());
        EXPECT_FALSE(Starte(u, f.maske, 77, f.gebiet)) << f.fall;
        ASSERT_EQ(rec_.entries().size(), 1) << f.fall;
        EXPECT_EQ(rec_.entries()[0].text, TUebung::FehlerMeldung());
        EXPECT_EQ(rec_.entries()[0].kind, MsgKind::Information);
        EXPECT_TRUE(z.UebungBeendet);
        EXPECT_FALSE(u.Laeuft());
        EXPECT_EQ(u.Weiter(), WeiterErgebnis::Fehler);
    }
}

TEST_F(Uebung, StartCheckAndOutOfRangeSettings)
{
    Uebungszustand z = testdaten::Zustand(4, 10);
    EXPECT_TRUE(PruefeUebungsstart(z, testdaten::Optionen(), 10).isEmpty());
    EXPECT_EQ(PruefeUebungsstart(z, testdaten::Optionen(QStringLiteral("1")), 13), KeinFragTypMeldung());
    EXPECT_EQ(PruefeUebungsstart(z, testdaten::Optionen(QString()), 10), KeinFragTypMeldung());
    z.UebKartIndex = -1;
    EXPECT_FALSE(PruefeUebungsstart(z, testdaten::Optionen(), 10).isEmpty());
    z.UebKartIndex = 5;
    EXPECT_FALSE(PruefeUebungsstart(z, testdaten::Optionen(), 10).isEmpty());

    const struct {
        const char* text;
        std::int32_t seed;
    } seeds[] = {{"", 0}, {"0", 0}, {"abc", 0}, {" 12 34 ", 1234}, {"-5", -5},
                 {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"1e3", 1000}};
    for (const auto& f : seeds)
        EXPECT_EQ(SeedAusText(QString::fromLatin1(f.text)), f.seed) << f.text;

    // Out of range: intensity 1, ten questions, kind 1.
    z = testdaten::Zustand(9, 0);
    TUebung u(z, testdaten::FesteUhr());
    ASSERT_TRUE(u.StarteUebung({testdaten::kKarte, 10, 5, 7}, testdaten::Optionen()));
    EXPECT_EQ(z.UebIntensitaet, 1);
    EXPECT_EQ(z.FragenGesamt, 10);
    EXPECT_EQ(z.UebModus, 1);
    EXPECT_EQ(z.UebTypMaske, QStringLiteral("00000000111111111100000"));
    EXPECT_EQ(u.Titel(), QStringLiteral("Zelvaro - Terravio 4.0 - Übung: Testkarte - Standard - Basis (10)"));
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" Intensität ....... Basis mit 10 Fragen\r\n")));
    EXPECT_TRUE(z.Uebungsprotokoll.contains(QStringLiteral(" Beschriftungen ... zl_standard.zlk\r\n")));
    // Only intensity-1 labels are asked, never intensity 0 or the dots.
    EXPECT_EQ(z.KategorieAnzahl, (std::array<int, 5>{8, 8, 6, 6, 6}));
}
