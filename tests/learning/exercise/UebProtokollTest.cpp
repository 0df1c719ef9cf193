// Protocol lines, grade table, success rate and the grade scale.
#include "learning/exercise/zl_uebprotokoll.h"

#include <gtest/gtest.h>

using namespace zl;

TEST(UebProtokoll, LinesEndInCrLfAndStartWithABlank)
{
    QString p;
    SchreibeProtokoll(p, QStringLiteral("Zeile"));
    SchreibeProtokoll(p, {});
    EXPECT_EQ(p, QStringLiteral(" Zeile\r\n \r\n"));
    LoescheProtokoll(p);
    SchreibeProtokollLinie(p);
    const QByteArray b = ProtokollBytes(p);
    ASSERT_EQ(b.size(), 1 + 84 + 2);
    EXPECT_EQ(b[0], ' ');
    EXPECT_EQ(b.mid(1, 84), QByteArray(84, char(0x97)));
    EXPECT_EQ(b.right(2), QByteArrayLiteral("\r\n"));
}

TEST(UebProtokoll, Header)
{
    TProtokollKopf k;
    k.Datum = QDateTime(QDate(2026, 3, 1), QTime(9, 5, 7));
    k.KartenName = QStringLiteral("Europa");
    k.UebModus = 1;
    k.Seed = -12345;
    k.Intensitaet = 2;
    k.FragAnz = 20;
    k.ObjDateiName = QStringLiteral("zl_standard.zlk");
    k.Maske = QStringLiteral("00000000111111111100000");
    QString p;
    SchreibeProtokollKopf(p, k);
    const QString linie = QString(84, QChar(0x2014));
    const QString erwartet = QStringLiteral(" Übungsprotokoll\r\n"
                                            " Zelvaro - Terravio 4.0\r\n"
                                            " Datum ............ 01.03.2026 09:05:07\r\n"
                                            " Übung ............ Europa\r\n"
                                            " Typ .............. Topographie-Übung mit Auswahlaufgaben [-12345]\r\n"
                                            " Intensität ....... Aufbau mit 20 Fragen\r\n"
                                            " Beschriftungen ... zl_standard.zlk\r\n"
                                            " Fragetypen (+erlaubt, -ausgeschlossen)\r\n"
                                            " +S01 +S02 +S03 +S04 +S05 +S06 +S07 +S08 +S09 +S10 \r\n"
                                            " -E01 -E02 -E03 -E04 -E05 -E06 -E07 -E08 \r\n"
                                            " -Z01 -Z02 -Z03 -Z04 -Z05 \r\n"
                                            " \r\n ") +
                             linie + QStringLiteral("\r\n \r\n");
    EXPECT_EQ(p, erwartet);
}

TEST(UebProtokoll, QuestionAndAnswerLines)
{
    EXPECT_EQ(FrageZeile(7, 11, QStringLiteral("Wie heißt dieses Gewässer?")),
              QStringLiteral("07. Frage [S03]: Wie heißt dieses Gewässer?"));
    EXPECT_EQ(FrageZeile(6, 20, QStringLiteral("X")), QStringLiteral("06.-10. Frage [Z02]: X"));
    EXPECT_EQ(FrageZeile(12, 1, QStringLiteral("X")), QStringLiteral("12. Frage [E01]: X"));
    EXPECT_EQ(RichtigeAntwortZeile(3), QStringLiteral("Richtige Antwort: C"));
    EXPECT_EQ(GewaehlteAntwortZeile(5, false), QStringLiteral("Gewählte Antwort: E (falsch)"));
    EXPECT_EQ(GewaehlteAntwortZeile(1, true), QStringLiteral("Gewählte Antwort: A (richtig)"));
    EXPECT_EQ(RichtigeZuordnungZeile({3, 4, 1, 5, 2}), QStringLiteral("Richtige Antwort: 1-C 2-D 3-A 4-E 5-B "));
    EXPECT_EQ(GewaehlteZuordnungZeile({3, 4, 5, 1, 2}, 3),
              QStringLiteral("Gewählte Antwort: 1-C 2-D 3-E 4-A 5-B (3 richtig, 2 falsch)"));
}

TEST(Notentabelle, GradeFromRate)
{
    const struct {
        double quote;
        int note;
    } faelle[] = {{100, 1}, {85.0, 1}, {84.9, 2}, {70, 2}, {69.99, 3}, {55, 3}, {40, 4},
                  {39.9, 5}, {25, 5}, {24.9, 6}, {0, 6}, {-1, 6}};
    for (const auto& f : faelle)
        EXPECT_EQ(NoteAusQuote(f.quote), f.note) << f.quote;
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(Notenkurz(n).size(), 8) << n;
    EXPECT_EQ(Notenkurz(2), QStringLiteral("gut  (2)"));
    EXPECT_EQ(Notenname(6), QStringLiteral("ungenügend"));
    EXPECT_EQ(Notenfarbe(2), 0xBFFF00u);
    EXPECT_EQ(Notengrenze(0), 100);
    EXPECT_EQ(Notengrenze(5), 25);
}

TEST(Notentabelle, RateAndScale)
{
    EXPECT_EQ(Erfolgsquote(0, 0), 0.0f);
    EXPECT_EQ(QuoteText(Erfolgsquote(2, 1)), QStringLiteral("66.7"));
    EXPECT_EQ(QuoteText(Erfolgsquote(17, 3)), QStringLiteral("85.0"));
    EXPECT_EQ(NoteAusQuote(Erfolgsquote(17, 3)), 1);
    EXPECT_EQ(QuoteText(Erfolgsquote(1, 7)), QStringLiteral("12.5"));
    EXPECT_EQ(NotenskalaY(100, 200), 12);
    EXPECT_EQ(NotenskalaY(0, 200), 188);
    EXPECT_EQ(NotenskalaY(50, 201), 12 + 88); // 88.5 rounds to the even 88
}

TEST(UebProtokoll, Summary)
{
    TProtokollSchluss s;
    s.FragenGesamt = 10;
    s.AnzRichtig = 7;
    s.AnzFalsch = 3;
    s.DauerMs = 63400;
    s.TicksSeitStart = 63400;
    QString p;
    SchreibeProtokollSchluss(p, s);
    EXPECT_EQ(p, QStringLiteral(" Fragenanzahl ..... 10\r\n"
                                " Richtig .......... 7\r\n"
                                " Falsch ........... 3\r\n"
                                " Erfolgsquote ..... 70.0%\r\n"
                                " Bewertung ........ gut (Note 2)\r\n"
                                " Gesamtzeit ....... 1 Min. 3 Sek.\r\n"
                                " Zeit pro Frage ... Ø 6.3 Sek.\r\n"));
    s.DauerMs = 3725999;
    LoescheProtokoll(p);
    SchreibeProtokollSchluss(p, s);
    EXPECT_TRUE(p.contains(QStringLiteral(" Gesamtzeit ....... 1 Std. 2 Min. 5 Sek.\r\n")));
}
