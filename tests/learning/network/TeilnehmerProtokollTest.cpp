#include "learning/network/zl_teilnehmerprotokoll.h"

#include <gtest/gtest.h>

using namespace zl;

namespace {

Teilnehmerergebnis Ergebnis(const QString& key, const QString& id, const QString& folge)
{
    Teilnehmerergebnis e;
    e.Schluessel = key;
    e.UebungsID = id;
    e.Rechner = QStringLiteral("PC07");
    e.Name = QStringLiteral("Anna");
    e.Start = TagesZahl(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
    e.AntwortFolge = folge;
    e.FrageNr = static_cast<int>(folge.size());
    e.Richtig = static_cast<int>(folge.count(u'+'));
    e.Falsch = static_cast<int>(folge.count(u'-'));
    e.Quote = e.FrageNr ? 100.0 * e.Richtig / e.FrageNr : 0;
    e.Millisekunden = 75500;
    e.NoteKurz = QStringLiteral("  2     ");
    return e;
}

} // namespace

TEST(TeilnehmerProtokoll, KopfMitNeunZeilen)
{
    const QStringList k = TeilnehmerProtokollKopfZeilen(QDateTime(QDate(2026, 12, 10), QTime(9, 0, 0)),
                                                        QStringLiteral("Deutschland"),
                                                        QStringLiteral("&Topographie-Übung mit Auswahlaufgaben (Single Choice)"),
                                                        QStringLiteral("4711"), 3, 10);
    ASSERT_EQ(k.size(), kKopfZeilen);
    EXPECT_EQ(k[2], QStringLiteral(" Datum ......... 10.12.2026 09:00:00"));
    EXPECT_EQ(k[4], QStringLiteral(" Typ ........... Topographie-Übung mit Auswahlaufgaben [4711]"));
    EXPECT_EQ(k[5], QStringLiteral(" Intensität .... Experte mit 10 Fragen"));
    EXPECT_EQ(k[8], u' ' + QString(19 + 85, QChar(0x2014)));
    EXPECT_EQ(TeilnehmerProtokollKopfZeilen({}, {}, {}, {}, 1, 40)[8].size(), 1 + 40 + 85);
}

TEST(TeilnehmerProtokoll, ZeileMitFestenBreiten)
{
    const Teilnehmerergebnis e = Ergebnis(QStringLiteral("K"), QStringLiteral("ID"), QStringLiteral("++-+"));
    EXPECT_EQ(ProtokollZeile(e, 10),
              QStringLiteral("PC07            Anna            09:05:07  01:15     4    3    1    75.0%    2       "
                             "++-+......"));
    Teilnehmerergebnis lang = e;
    lang.Name = QStringLiteral("Maximilian-Alexander");
    lang.Quote = 66.65;
    const QString z = ProtokollZeile(lang, 2);
    EXPECT_TRUE(z.startsWith(QStringLiteral("PC07            Maximilian-Alex 09:05:07")));
    EXPECT_TRUE(z.contains(QStringLiteral("    66.7%  ")));
    EXPECT_TRUE(z.endsWith(QStringLiteral("++-+"))); // no dots when longer than the count
}

TEST(TeilnehmerProtokoll, EineZeileJeTeilnehmerErsetztAnOrtUndStelle)
{
    TeilnehmerProtokoll p;
    p.NeuerKopf(QStringList(9, QStringLiteral("k")), QStringLiteral("ID"), 5);
    EXPECT_TRUE(p.Aktualisiere(Ergebnis(QStringLiteral("A"), QStringLiteral("ID"), {})));
    EXPECT_TRUE(p.Aktualisiere(Ergebnis(QStringLiteral("B"), QStringLiteral("ID"), QStringLiteral("+"))));
    EXPECT_TRUE(p.Aktualisiere(Ergebnis(QStringLiteral("A"), QStringLiteral("ID"), QStringLiteral("++"))));
    EXPECT_FALSE(p.Aktualisiere(Ergebnis(QStringLiteral("A"), QStringLiteral("ID"), QStringLiteral("++"))));
    EXPECT_TRUE(p.Aktualisiere(Ergebnis(QStringLiteral("C"), QStringLiteral("ALT"), {})));
    EXPECT_EQ(p.TeilnehmerListe(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    const QStringList z = p.Zeilen();
    ASSERT_EQ(z.size(), 12);
    EXPECT_TRUE(z[9].startsWith(QStringLiteral(" PC07")));
    EXPECT_TRUE(z[9].endsWith(QStringLiteral("++...")));
    EXPECT_TRUE(z[10].endsWith(QStringLiteral("+....")));
    EXPECT_TRUE(z[11].endsWith(QStringLiteral("..... [andere Übung]")));
    p.NeuerKopf(QStringList(9, QString()), QStringLiteral("NEU"), 5);
    EXPECT_EQ(p.Zeilen().size(), 9);
}
