// Label files, the label table and the one-line label names.
#include "Hilfen.h"

#include "datastore/Objektdaten.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QFile>

using namespace zl;
using zl::testing::DatenTest;
using zl::testing::leseBytes;

namespace
{

class ObjektdatenTest : public DatenTest
{
  protected:
    QString datei(const char* name) const { return prog() + QLatin1String(name); }
};

QByteArray alsDatei(const QStringList& zeilen)
{
    QByteArray b;
    for (const QString& z : zeilen)
        b += toCp1252(z) + "\r\n";
    return b;
}

} // namespace

TEST(EntferneTrennzeichenTest, OneLineNames)
{
    const std::pair<const char16_t*, const char16_t*> faelle[] = {
        {u"Nord-|rhein", u"Nordrhein"},
        {u"Baden-|Württemberg", u"Baden-Württemberg"},
        {u"Golf von|Biskaya", u"Golf von Biskaya"},
        {u"Nord-|rhein-West-|falen", u"Nordrhein-Westfalen"},
        {u"Groß-|ärmel", u"Großärmel"}, // a German lower-case letter joins
        {u"Ost-|ß", u"Ost-ß"},          // "ß" has no capital: the hyphen stays
        {u"Kap-|", u"Kap-"},            // "-|" at the end loses only the "|"
        {u"Nord-|1", u"Nord-1"},
        {u"|Anfang", u"Anfang"}, // "|" in front becomes a blank, trimmed
        {u"a||b", u"a b"},
        {u"a | b", u"a b"},
        {u"  viele    Blanks  ", u"viele Blanks"},
        {u"-|x", u"x"},
        {u"", u""},
        {u"Tab\tbleibt", u"Tab\tbleibt"},
    };
    for (const auto& [ein, aus] : faelle)
        EXPECT_EQ(EntferneTrennzeichen(QString::fromUtf16(ein)), QString::fromUtf16(aus))
            << QString::fromUtf16(ein).toStdString();
}

TEST(EntferneTrennzeichenTest, ApostrophesAndAccents)
{
    EXPECT_EQ(EntferneApostrophe(QStringLiteral("Kap Hoorn''")), QStringLiteral("Kap Hoorn"));
    EXPECT_EQ(EntferneApostrophe(QStringLiteral("'s-Hertogenbosch'")), QStringLiteral("'s-Hertogenbosch"));
    EXPECT_EQ(EntferneApostrophe(QStringLiteral("''")), QString());
    EXPECT_EQ(EntferneAkzente(QStringLiteral("áàâãå ÁÀÂÃÅ éèêë ÉÈÊË íìîï ÍÌÎÏ óòôõ ÓÒÔÕ úùû ÚÙÛ ñ Ñ")),
              QStringLiteral("aaaaa AAAAA eeee EEEE iiii IIII oooo OOOO uuu UUU n N"));
    EXPECT_EQ(EntferneAkzente(QStringLiteral("Ärger über Öl, Straße, Façade, ü")),
              QStringLiteral("Ärger über Öl, Straße, Façade, ü"));
}

TEST(ObjTypTest, NamesAndCategories)
{
    struct Fall {
        const char* code;
        const char16_t* name;
        int gruppe;
    };
    const Fall faelle[] = {
        {"L", u"Land/Staat", 1},
        {"LX", u"Land/Staat", 1},
        {"lx", u"Land/Staat", -1},
        {"UG", u"Unterg. Gebiet", 1},
        {"K", u"Kontinent", 1},
        {"IS", u"Inselstaat", 1},
        {"H", u"Hauptstadt", 2},
        {"S", u"Stadt", 2},
        {"G", u"Gewässer", 3},
        {"GB", u"Landschaft", 4},
        {"B", u"Berg", 4},
        {"I", u"Insel", 5},
        {"KD", u"", 6},
        {"X", u"", -1},
        {"", u"", -1},
    };
    for (const Fall& f : faelle) {
        const QString code = QString::fromLatin1(f.code);
        EXPECT_EQ(ObjTypName(code), QString::fromUtf16(f.name)) << f.code;
        EXPECT_EQ(ObjGruppe(code), f.gruppe) << f.code;
    }
    EXPECT_TRUE(InObjGruppe(QStringLiteral("IS"), ObjGruppen[5]));
    EXPECT_TRUE(InObjGruppe(QStringLiteral("GB"), ObjGruppen[0]));
    EXPECT_FALSE(InObjGruppe(QStringLiteral("KD"), ObjGruppen[0]));
    EXPECT_FALSE(InObjGruppe(QStringLiteral("L~LX"), ObjGruppen[2]));
}

TEST(ObjektZeileTest, FieldsOfOneLine)
{
    ObjDataTyp o = ObjektAusZeile(QStringLiteral("DEU~H~5234~3120~Berlin~1~-1~1~"));
    EXPECT_EQ(o.KartID, QStringLiteral("DEU"));
    EXPECT_EQ(o.ObjTyp, QStringLiteral("H"));
    EXPECT_EQ(o.Px, 5234 / 10000.0);
    EXPECT_EQ(o.Py, 3120 / 10000.0);
    EXPECT_EQ(o.Bez, QStringLiteral("Berlin"));
    EXPECT_EQ(o.dx, 1);
    EXPECT_EQ(o.dy, -1);
    EXPECT_EQ(o.Intens, 1);
    EXPECT_EQ(ObjektZeile(o), QStringLiteral("DEU~H~5234~3120~Berlin~1~-1~1~"));

    o = ObjektAusZeile(QStringLiteral("ABCDEFGHIJ~LANGERTYP~1234.5~5000.0~Text~300~-3~0~"));
    EXPECT_EQ(o.KartID, QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(o.ObjTyp, QStringLiteral("LANGERTY"));
    EXPECT_EQ(o.Px, 0.12345);
    EXPECT_EQ(o.Py, 0.5);
    EXPECT_EQ(o.dx, 44); // low byte of 300
    EXPECT_EQ(o.dy, -3);
    EXPECT_EQ(ObjektZeile(o), QStringLiteral("ABCDEFGH~LANGERTY~1235~5000~Text~44~-3~0~"));

    // Too few fields: empty texts, zero numbers; no line end inside.
    o = ObjektAusZeile(QStringLiteral("DEU~S"));
    EXPECT_EQ(o.ObjTyp, QStringLiteral("S"));
    EXPECT_TRUE(o.Bez.isEmpty());
    EXPECT_EQ(o.Px, 0.0);
    EXPECT_EQ(o.Intens, 0);
    o = ObjektAusZeile(QStringLiteral("DEU~S~ 1 000 ~x~Text~200~-200~ 2 ~"));
    EXPECT_EQ(o.Px, 0.1); // blanks are removed before converting
    EXPECT_EQ(o.Py, 0.0);
    EXPECT_EQ(o.dx, -56);
    EXPECT_EQ(o.dy, 56);
    EXPECT_EQ(o.Intens, 2);
}

TEST_F(ObjektdatenTest, FileReadAndWrittenAgainIsByteIdentical)
{
    QStringList zeilen = fixtures::labelLines();
    zeilen << QStringLiteral("DEU~L~0~10000~Land mit|Umbruch-|und-|Trennung~-3~-3~0~")
           << QStringLiteral("DEU~LX~9999~1~Côte d'Ivoire''~3~3~3~") << QStringLiteral("DEU~S~1~9999~~-1~0~2~")
           << QStringLiteral("DEU~G~-5~12000~Außerhalb~0~-2~1~");
    const QByteArray original = alsDatei(zeilen);
    ASSERT_TRUE(fixtures::writeBytes(datei("a.zlk"), original));

    ScopedMessageRecorder boxes;
    ASSERT_TRUE(LeseObjektdatei(datei("a.zlk")));
    EXPECT_EQ(ObjDaten.size(), zeilen.size() - 1);
    ASSERT_TRUE(SchreibeObjektdatei(datei("b.zlk")));
    EXPECT_EQ(leseBytes(datei("b.zlk")), original);
    EXPECT_TRUE(boxes.texts().isEmpty());

    // Every type code of the fixture is there.
    QSet<QString> typen;
    for (const ObjDataTyp& o : ObjDaten)
        typen.insert(o.ObjTyp);
    for (const char* c : {"L", "LX", "UG", "K", "IS", "H", "S", "G", "GB", "B", "I", "KD"})
        EXPECT_TRUE(typen.contains(QString::fromLatin1(c))) << c;
}

TEST_F(ObjektdatenTest, ReaderSkipsHeaderAndEmptyLinesAndReplacesTheTable)
{
    ASSERT_TRUE(
        fixtures::writeBytes(datei("a.zlk"), "irgendein Kopf\r\nDEU~S~1~2~A~0~0~1~\r\n\r\n \r\nDEU~S~3~4~B~0~0~1~"));
    ObjDaten = {ObjDataTyp{}, ObjDataTyp{}, ObjDataTyp{}};
    ASSERT_TRUE(LeseObjektdatei(datei("a.zlk")));
    ASSERT_EQ(ObjDaten.size(), 3); // a line of one blank is a label
    EXPECT_EQ(ObjDaten[0].Bez, QStringLiteral("A"));
    EXPECT_EQ(ObjDaten[1].KartID, QStringLiteral(" "));
    EXPECT_EQ(ObjDaten[2].Bez, QStringLiteral("B"));

    ScopedMessageRecorder boxes;
    EXPECT_FALSE(LeseObjektdatei(datei("fehlt.zlk")));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Datei-Lesefehler! (2)")});
    EXPECT_EQ(ObjDaten.size(), 3); // kept
}

TEST_F(ObjektdatenTest, EmptyTableWritesTheHeaderAlone)
{
    ObjDaten.clear();
    ASSERT_TRUE(SchreibeObjektdatei(datei("leer.zlk")));
    EXPECT_EQ(leseBytes(datei("leer.zlk")), QByteArray("KartID~ObjTyp~Px~Py~Bez~dx~dy~Intens~\r\n"));
}

TEST_F(ObjektdatenTest, EmptyTableAsksBeforeItReplacesLabels)
{
    // The labels of a Linux-edited file (LF only) count: they are read, so saving asks.
    const QByteArray alt("KartID~ObjTyp~Px~Py~Bez~dx~dy~Intens~\nDEU~S~1~2~A~0~0~1~\n");
    ASSERT_TRUE(fixtures::writeBytes(datei("a.zlk"), alt));
    ObjDaten.clear();
    {
        ScopedMessageRecorder boxes;
        boxes.answerNext(mbNo);
        EXPECT_FALSE(SchreibeObjektdatei(datei("a.zlk")));
        ASSERT_EQ(boxes.entries().size(), 1);
        EXPECT_EQ(boxes.entries()[0].kind, MsgKind::Bestaetigung);
        EXPECT_EQ(leseBytes(datei("a.zlk")), alt);
    }
    {
        ScopedMessageRecorder boxes;
        boxes.answerNext(mbYes);
        EXPECT_TRUE(SchreibeObjektdatei(datei("a.zlk")));
        EXPECT_EQ(leseBytes(datei("a.zlk")), QByteArray("KartID~ObjTyp~Px~Py~Bez~dx~dy~Intens~\r\n"));
    }
    {
        // A file with the header alone is replaced without a question.
        ScopedMessageRecorder boxes;
        EXPECT_TRUE(SchreibeObjektdatei(datei("a.zlk")));
        EXPECT_TRUE(boxes.entries().isEmpty());
    }
}

TEST_F(ObjektdatenTest, TextsThatWouldBreakTheFileAreRefusedAndTheFileIsUntouched)
{
    const QByteArray alt("alter Inhalt\r\n");
    const char16_t* schlecht[] = {u"a~b", u"a\rb", u"a\nb", u"Ctrl\x1AZ", u"\u0141\u00F3d\u017A"};
    for (const char16_t* bez : schlecht) {
        ASSERT_TRUE(fixtures::writeBytes(datei("a.zlk"), alt));
        ObjDataTyp gut;
        gut.KartID = QStringLiteral("DEU");
        gut.ObjTyp = QStringLiteral("S");
        gut.Bez = QStringLiteral("Gut");
        ObjDataTyp boese = gut;
        boese.Bez = QString::fromUtf16(bez);
        ObjDaten = {gut, boese};
        ScopedMessageRecorder boxes;
        EXPECT_FALSE(SchreibeObjektdatei(datei("a.zlk")));
        ASSERT_EQ(boxes.texts().size(), 2);
        EXPECT_EQ(boxes.texts()[0], ObjektSchreibfehler(boese));
        EXPECT_EQ(boxes.texts()[1], QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden."));
        EXPECT_EQ(leseBytes(datei("a.zlk")), alt);
    }
    ObjDataTyp id;
    id.KartID = QStringLiteral("D~E");
    EXPECT_FALSE(ObjektSchreibfehler(id).isEmpty());
}

TEST_F(ObjektdatenTest, FailedWriteShowsTwoBoxesAndKeepsTheOldFile)
{
    ObjDaten = {ObjektAusZeile(QStringLiteral("DEU~S~1~2~A~0~0~1~"))};
    {
        ScopedMessageRecorder boxes;
        EXPECT_FALSE(SchreibeObjektdatei(datei("fehlt/a.zlk")));
        EXPECT_EQ(boxes.texts(),
                  (QStringList{QStringLiteral("Datei-Schreibfehler! (3)"),
                               QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden.")}));
    }
    // A file that someone is reading cannot be replaced.
    const QByteArray alt("alter Inhalt\r\n");
    ASSERT_TRUE(fixtures::writeBytes(datei("a.zlk"), alt));
    ReadFile leser;
    ASSERT_EQ(leser.open(datei("a.zlk")), 0);
    ScopedMessageRecorder boxes;
    EXPECT_FALSE(SchreibeObjektdatei(datei("a.zlk")));
    EXPECT_EQ(boxes.texts(),
              (QStringList{QStringLiteral("Datei-Schreibfehler! (32)"),
                           QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden.")}));
    leser.close();
    EXPECT_EQ(leseBytes(datei("a.zlk")), alt);
}

TEST_F(ObjektdatenTest, LookupsByName)
{
    KartenDaten = {{QStringLiteral("EUR"), QStringLiteral("Europa"), 1},
                   {QStringLiteral("DEU"), QStringLiteral("Deutschland"), 1},
                   {QStringLiteral("DBY"), QStringLiteral("Bayern"), 1}};
    ObjDaten.clear();
    for (const QString& z : fixtures::labelLines().mid(1))
        ObjDaten.append(ObjektAusZeile(z));
    auto index = [](const char* karte, int nr) {
        int n = 0;
        for (qsizetype i = 0; i < ObjDaten.size(); ++i)
            if (ObjDaten[i].KartID == QLatin1String(karte) && n++ == nr)
                return int(i);
        return -1;
    };

    const QString laender = ObjGruppen[1];
    EXPECT_EQ(SucheObjektAufKarte(QStringLiteral("DEU"), QStringLiteral("baden-württemberg"), laender),
              index("DEU", 2));
    EXPECT_EQ(SucheObjektAufKarte(QStringLiteral("DEU"), QStringLiteral("NORDRHEIN-WESTFALEN"), laender),
              index("DEU", 1));
    EXPECT_EQ(SucheObjektAufKarte(QStringLiteral("deu"), QStringLiteral("Bayern"), laender), -1);       // map id exact
    EXPECT_EQ(SucheObjektAufKarte(QStringLiteral("DEU"), QStringLiteral("Bayern"), ObjGruppen[2]), -1); // type set
    EXPECT_EQ(SucheObjektAufKarte(QStringLiteral("EUR"), QStringLiteral("golf von biskaya"), ObjGruppen[3]),
              index("EUR", 8));

    QString karte;
    // Found on the given map.
    EXPECT_EQ(SucheObjekt(QStringLiteral("DEU"), QStringLiteral("Berlin"), ObjGruppen[2], karte), index("DEU", 3));
    EXPECT_EQ(karte, QStringLiteral("DEU"));
    // Found on another map of the list, in list order.
    EXPECT_EQ(SucheObjekt(QStringLiteral("DBY"), QStringLiteral("Paris"), ObjGruppen[2], karte), index("EUR", 5));
    EXPECT_EQ(karte, QStringLiteral("EUR"));
    EXPECT_EQ(SucheObjekt(QStringLiteral("EUR"), QStringLiteral("Nürnberg"), ObjGruppen[0], karte), index("DBY", 1));
    EXPECT_EQ(karte, QStringLiteral("DBY"));
    // Nowhere.
    EXPECT_EQ(SucheObjekt(QStringLiteral("DBY"), QStringLiteral("Atlantis"), ObjGruppen[0], karte), -1);
    EXPECT_EQ(karte, QStringLiteral("DBY"));
}
