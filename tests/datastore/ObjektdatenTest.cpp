// Label files, the label table and the one-line label names.
#include "Hilfen.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"
#include "datastore/Objektdaten.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QFile>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

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

// The reading and writing rules of a label line spelled out plainly, field by field
// with HoleFeld and the general number conversion: the reader and the writer must
// give exactly what these give, on any line.
namespace plain
{

QByteArray ohneBlanks(const QString& feld)
{
    QByteArray b;
    for (const QChar c : feld)
        if (c != u' ')
            b += c.unicode() < 0x80 ? char(c.unicode()) : char(0x7F);
    return b;
}

double zahl(const QString& feld)
{
    const QByteArray b = ohneBlanks(feld);
    double v = 0;
    return LiesDezimalzahl(b.cbegin(), b.cend(), v) ? v : 0;
}

std::int32_t ganzzahl(const QString& feld)
{
    const QByteArray b = ohneBlanks(feld);
    long double v = 0;
    if (!LiesDezimalzahl(b.cbegin(), b.cend(), v))
        return 0;
    v = std::nearbyint(v);
    if (v >= 2147483647.0L)
        return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0L)
        return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(v);
}

std::int8_t byte(std::int32_t v)
{
    return std::int8_t(std::uint8_t(std::uint32_t(v) & 0xFF));
}

ObjDataTyp objekt(const QString& zeile)
{
    QString rest = zeile + u'~';
    ObjDataTyp o;
    o.KartID = HoleFeld(rest, u'~').left(8);
    o.ObjTyp = HoleFeld(rest, u'~').left(8);
    o.Px = zahl(HoleFeld(rest, u'~')) / 10000.0;
    o.Py = zahl(HoleFeld(rest, u'~')) / 10000.0;
    o.Bez = HoleFeld(rest, u'~');
    o.dx = byte(ganzzahl(HoleFeld(rest, u'~')));
    o.dy = byte(ganzzahl(HoleFeld(rest, u'~')));
    o.Intens = ganzzahl(HoleFeld(rest, u'~'));
    return o;
}

QString position(double anteil)
{
    return FormatiereZahl(static_cast<long double>(anteil) * 10000.0L, 0, 0);
}

QString zeile(const ObjDataTyp& o)
{
    return o.KartID.left(8) + u'~' + o.ObjTyp.left(8) + u'~' + position(o.Px) + u'~' + position(o.Py) + u'~' + o.Bez +
           u'~' + QString::number(o.dx) + u'~' + QString::number(o.dy) + u'~' + QString::number(o.Intens) + u'~';
}

// Every field, null texts and the bits of the positions included.
QString beschreibe(const ObjDataTyp& o)
{
    auto t = [](const QString& s) { return s.isNull() ? QStringLiteral("<null>") : u'[' + s + u']'; };
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(t(o.KartID), t(o.ObjTyp))
        .arg(std::bit_cast<std::uint64_t>(o.Px), 0, 16)
        .arg(std::bit_cast<std::uint64_t>(o.Py), 0, 16)
        .arg(t(o.Bez))
        .arg(o.dx)
        .arg(o.dy)
        .arg(o.Intens);
}

// The labels of a file as the plain rules read it: every line after the first that
// is not empty.
QList<ObjDataTyp> datei(const QString& pfad)
{
    QList<ObjDataTyp> t;
    TextFileIO f;
    f.Assign(pfad);
    if (!f.Reset())
        return t;
    if (!f.Eof())
        f.ReadLine();
    while (!f.Eof()) {
        const QString z = f.ReadLine();
        if (!z.isEmpty())
            t.append(objekt(z));
    }
    f.Close();
    return t;
}

} // namespace plain

// Lines that a damaged or hand-edited file may hold: missing and extra fields, ids
// that are too long, numbers of every lenient form, characters beyond ASCII.
const char16_t* const kSchwierigeZeilen[] = {
    u"DEU~H~5234~3120~Berlin~1~-1~1~",
    u"nur Text",
    u" ",
    u"~",
    u"DEU~S",
    u"DEU~S~",
    u"DEU~S~1~2~A~0~0~1",
    u"~~~~~~~~",
    u"~~~~~~~~~~~~~~",
    u"DEU~S~1~2~A~0~0~1~zu~viele~Felder~",
    u"ABCDEFGHIJ~LANGERTYP~1234.5~5000.0~Text~300~-3~0~",
    u"ABCDEFGH~LANGERTY~1~1~Text~1~1~1~",
    u"DEU~S~ 1 000 ~x~Text~200~-200~ 2 ~",
    u"DEU~S~-0~+0~Null~-0~+0~-0~",
    u"DEU~S~+12~--1~Vorzeichen~+~-~+-1~",
    u"DEU~S~1e3~1E-2~Exponent~1e2~2E+0~1E~",
    u"DEU~S~.5~5.~Punkt~.~2.5~3.5~",
    u"DEU~S~-2.5~0.49999~Halb~-2.5~-3.5~2.5000000000000001~",
    u"DEU~S~1,5~0x10~Fremd~inf~nan~1,5~",
    u"DEU~S~1e400~1e-400~Grenzen~1e400~-1e400~1e-400~",
    u"DEU~S~999999999999999~9999999999999999~Stellen~2147483647~2147483648~-2147483649~",
    u"DEU~S~123456789012345678~1234567890123456789~Lang~123456789012345678~-999999999999999999~"
    u"00000000000000000000000000000000000000000000000000000000000000000000000000001~",
    u"DEU~S~1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0~"
    u"                                                                        7~Blanks~ 1~ - 2~3 ~",
    u"DEU~S~\t5~5\t~Tab~\t1~1\t~ \t ~",
    u"DEU~S~1~2~Zeilen\numbruch~0~0~1~",
    u"\u00C4\u00D6\u00DC\u20AC\u0081\u008D\u008F\u0090\u009D\u0178~\u00C4~\u00E41~1\u00E4~"
    u"\u00C4rger \u20AC|Ma\u00DF-|stab~\u20AC~1~\u0081~",
    u"dEu~s~1~2~klein~0~0~1~",
    u"DEU~KD~5000~5000~1|00A0FF|0.2~0~0~0~",
    u"DEU~L ~1~2~Typ mit Blank~0~0~1~",
    u"DEU~ L~1~2~Typ mit Blank~0~0~1~",
    u"DEU~LXX~1~2~Langer Typ~0~0~1~",
    u"K1~GB~9999~1~Nord-|rhein~3~3~3~",
    u"K2~S~1~9999~~-1~0~2~",
};

QString zeileAus(const char16_t* z)
{
    return QString::fromUtf16(z);
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

TEST(ObjektZeileTest, DamagedLinesReadAndWriteAsThePlainRulesSay)
{
    for (const char16_t* z : kSchwierigeZeilen) {
        const QString zeile = zeileAus(z);
        const ObjDataTyp soll = plain::objekt(zeile);
        const ObjDataTyp ist = ObjektAusZeile(zeile);
        EXPECT_EQ(plain::beschreibe(ist), plain::beschreibe(soll)) << zeile.toStdString();
        EXPECT_EQ(ObjektZeile(ist), plain::zeile(soll)) << zeile.toStdString();
    }
    // A text beyond Windows-1252 (only a caller's text can hold one) is cut the same way.
    const QString fremd = QStringLiteral("\u0141\u00F3d\u017A~\u4E2D~\uFF15~1~\u4E2D\u6587~\uFF11~1~1~");
    EXPECT_EQ(plain::beschreibe(ObjektAusZeile(fremd)), plain::beschreibe(plain::objekt(fremd)));
}

TEST(ObjektZeileTest, PositionsAndNumbersAreWrittenAsThePlainRulesSay)
{
    ObjDataTyp o;
    o.KartID = QStringLiteral("DEU");
    o.ObjTyp = QStringLiteral("S");
    o.Bez = QStringLiteral("Ort");
    auto pruefe = [&](double px, double py) {
        o.Px = px;
        o.Py = py;
        ASSERT_EQ(ObjektZeile(o), plain::zeile(o)) << px << " " << py;
    };
    // Every position a file can hold, the halves between them and their neighbours.
    for (int k = -20000; k <= 20000; ++k) {
        const double p = k / 10000.0;
        pruefe(p, (k + 0.5) / 10000.0);
        pruefe(std::nextafter(p, 1e9), std::nextafter(p, -1e9));
        pruefe(std::nextafter((k + 0.5) / 10000.0, 1e9), std::nextafter((k + 0.5) / 10000.0, -1e9));
    }
    const double besondere[] = {0.0,
                                -0.0,
                                0.00005,
                                -0.00005,
                                0.00015,
                                0.12345,
                                1e-300,
                                4.9e-324,
                                9.2e14,
                                9.2233720368547e14,
                                9.2233720368547e14 + 0.5,
                                1e15,
                                -1e15,
                                1e16,
                                1e300,
                                -1e300,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
    for (const double a : besondere)
        for (const double b : besondere)
            pruefe(a, b);
    // Any bit pattern at all.
    std::mt19937_64 zufall(4711);
    for (int i = 0; i < 20000; ++i)
        pruefe(std::bit_cast<double>(zufall()), double(std::int64_t(zufall() % 2000000001) - 1000000000) / 10000.0);

    for (const std::int32_t i : {0, 1, -1, 127, -128, 2147483647, -2147483647 - 1}) {
        o.dx = std::int8_t(i);
        o.dy = std::int8_t(-o.dx);
        o.Intens = i;
        EXPECT_EQ(ObjektZeile(o), plain::zeile(o)) << i;
    }
}

TEST_F(ObjektdatenTest, FileLinesOfAnyFormReadAsThePlainRulesSay)
{
    // The table above, then random lines of the characters that matter to the fields.
    QStringList zeilen{kObjDateiKopf};
    for (const char16_t* z : kSchwierigeZeilen)
        zeilen << zeileAus(z);
    const QString zeichen = QStringLiteral("0123456789+-.eE ~~~~|xK\t\n\u00C4\u20AC\u0081\u00FF");
    std::mt19937 zufall(2026);
    for (int i = 0; i < 20000; ++i) {
        QString z;
        const int n = int(zufall() % 48);
        for (int k = 0; k < n; ++k)
            z += zeichen[qsizetype(zufall() % std::uint32_t(zeichen.size()))];
        zeilen << z;
    }
    ASSERT_TRUE(fixtures::writeBytes(datei("a.zlk"), alsDatei(zeilen)));

    const QList<ObjDataTyp> soll = plain::datei(datei("a.zlk"));
    ASSERT_GT(soll.size(), 19000);
    ScopedMessageRecorder boxes;
    QList<ObjDataTyp> ist;
    ASSERT_TRUE(LeseObjektdatei(datei("a.zlk"), ist));
    ASSERT_EQ(ist.size(), soll.size());
    for (qsizetype i = 0; i < ist.size(); ++i)
        ASSERT_EQ(plain::beschreibe(ist[i]), plain::beschreibe(soll[i])) << "label " << i;
    EXPECT_TRUE(boxes.texts().isEmpty());

    // Written back, each label gives the plain rules' line.
    ist.removeIf([](const ObjDataTyp& o) { return !ObjektSchreibfehler(o).isEmpty(); });
    ASSERT_TRUE(SchreibeObjektdatei(datei("b.zlk"), ist));
    QStringList geschrieben{kObjDateiKopf};
    for (const ObjDataTyp& o : ist)
        geschrieben << plain::zeile(o);
    EXPECT_EQ(leseBytes(datei("b.zlk")), alsDatei(geschrieben));
}

TEST_F(ObjektdatenTest, BundledLabelFilesReadAsThePlainRulesSayAndWriteBackByteForByte)
{
    for (const char* pfad : {"/data/Kartivo/ZL-Daten/zl_standard.zlk", "/data/Foliavo/AB-Daten/zl_standard.zlk"}) {
        const QString original = QStringLiteral(ZL_QUELL_DIR) + QString::fromLatin1(pfad);
        const QList<ObjDataTyp> soll = plain::datei(original);
        ASSERT_GT(soll.size(), 1000) << pfad;
        ScopedMessageRecorder boxes;
        QList<ObjDataTyp> ist;
        ASSERT_TRUE(LeseObjektdatei(original, ist)) << pfad;
        ASSERT_EQ(ist.size(), soll.size()) << pfad;
        for (qsizetype i = 0; i < ist.size(); ++i)
            ASSERT_EQ(plain::beschreibe(ist[i]), plain::beschreibe(soll[i])) << pfad << " label " << i;
        ASSERT_TRUE(SchreibeObjektdatei(datei("kopie.zlk"), ist)) << pfad;
        EXPECT_EQ(leseBytes(datei("kopie.zlk")), leseBytes(original)) << pfad;
        EXPECT_TRUE(boxes.texts().isEmpty()) << pfad;
    }
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
