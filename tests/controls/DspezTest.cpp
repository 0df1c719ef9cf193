#include "controls/Dspez.h"

#include "platform/Canvas.h"
#include "platform/Tick.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include "GermanLocale.h"
#include "QtPrintTo.h"

#include <array>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace zl;
using zl_test::GermanLocale;


namespace {

QString s(const char* utf8) { return QString::fromUtf8(utf8); }


// ---- Texts

TEST(DspezText, ReplaceRemoveCountRepeat)
{
    EXPECT_EQ(ErsetzeZeichen(s("a~b~c"), u'~', u'|'), s("a|b|c"));
    EXPECT_EQ(ErsetzeZeichen(s("abc"), u'b', u'b'), s("abc"));
    EXPECT_EQ(ErsetzeZeichen(QString(), u'a', u'b'), QString());

    struct Case {
        const char* text;
        const char* alt;
        const char* neu;
        const char* expected;
    };
    const std::vector<Case> replace = {
        {"aba", "a", "aa", "aabaa"}, // a replacement is never scanned again
        {"aaa", "aa", "b", "ba"},
        {"Abc abc", "abc", "x", "Abc x"}, // case counts
        {"abc", "", "x", "abc"},
        {"abc", "d", "x", "abc"},
        {"", "a", "b", ""},
        {"a&b&&c", "&", "", "abc"},
    };
    for (const Case& c : replace)
        EXPECT_EQ(ErsetzeText(s(c.text), s(c.alt), s(c.neu)), s(c.expected)) << c.text << " " << c.alt;

    const std::vector<std::array<const char*, 3>> remove = {
        {"aabb", "ab", ""}, // a removal that brings a new occurrence together removes it too
        {"xaabbx", "ab", "xx"},
        {"aaabbb", "ab", ""},
        {"abcABC", "abc", "ABC"},
        {"abc", "", "abc"},
        {"Über & (Single Choice)", " (Single Choice)", "Über &"},
        {"abab", "abab", ""},
        {"aXbXc", "X", "abc"},
    };
    for (const auto& c : remove) {
        EXPECT_EQ(EntferneText(s(c[0]), s(c[1])), s(c[2])) << c[0];
        EXPECT_EQ(EntferneText2(s(c[0]), s(c[1])), s(c[2])) << c[0];
    }

    EXPECT_EQ(ZaehleZeichen(s("a~b~c~"), u'~'), 3);
    EXPECT_EQ(ZaehleZeichen(QString(), u'~'), 0);
    EXPECT_EQ(WiederholeText(s("ab"), 3), s("ababab"));
    EXPECT_EQ(WiederholeText(s("ab"), 0), QString());
    EXPECT_EQ(WiederholeText(s("ab"), -2), QString());
    EXPECT_EQ(WiederholeText2(s("-"), 4), s("----"));
}

TEST(DspezText, HoleFeldCutsFields)
{
    QString line = s("a~b~");
    EXPECT_EQ(HoleFeld(line, u'~'), s("a"));
    EXPECT_EQ(line, s("b~"));
    EXPECT_EQ(HoleFeld(line, u'~'), s("b"));
    EXPECT_EQ(line, QString());
    EXPECT_EQ(HoleFeld(line, u'~'), QString());
    EXPECT_EQ(line, QString());

    QString noSeparator = s("abc");
    EXPECT_EQ(HoleFeld(noSeparator, u'~'), QString());
    EXPECT_EQ(noSeparator, s("abc"));

    QString empty = s("~~x~");
    EXPECT_EQ(HoleFeld(empty, u'~'), QString());
    EXPECT_EQ(HoleFeld(empty, u'~'), QString());
    EXPECT_EQ(HoleFeld(empty, u'~'), s("x"));
    EXPECT_EQ(empty, QString());
}

TEST(DspezText, FuelleAufAndSperreText)
{
    struct Case {
        const char* text;
        int width;
        int mode;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"ab", 5, 0, "ab***"}, {"ab", 5, 1, "*ab**"}, {"ab", 5, 2, "***ab"},
        {"ab", 6, 1, "**ab**"}, {"", 3, 1, "***"}, {"abcdef", 3, 0, "abcdef"},
        {"abcdef", 3, 1, "abcdef"}, {"abcdef", 3, 2, "abcdef"}, {"abc", 3, 2, "abc"},
        {"ab", -1, 2, "ab"}, {"ab", 5, 3, "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FuelleAuf(s(c.text), u'*', c.width, c.mode), s(c.expected)) << c.text << " " << c.width << " " << c.mode;

    EXPECT_EQ(SperreText(s("abc"), 1), s("a b c"));
    EXPECT_EQ(SperreText(s("abc"), 3), s("a   b   c"));
    EXPECT_EQ(SperreText(s("abc"), 0), s("abc"));
    EXPECT_EQ(SperreText(s("a"), 2), s("a"));
    EXPECT_EQ(SperreText(QString(), 2), QString());
}

TEST(DspezText, WandleHexZahl)
{
    struct Case {
        const char* text;
        std::uint32_t value;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"0", 0},
        {"FF", 255},
        {"ff", 255},
        {"00FF00", 0x00FF00},
        {"A0b1C2", 0xA0B1C2},
        {"FFFFFFFF", 0xFFFFFFFF},
        {"100000000", 0}, // wraps modulo 2^32
        {"G", 0xFFFFFFFF}, // an unknown character counts as -1
        {"1G", 15},
        {"1 ", 15},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(WandleHexZahl(s(c.text))), c.value) << c.text;
}

// ---- Number and time texts

TEST(DspezNumber, FormatiereZahlRoundsHalfAwayFromZeroWhateverTheLocale)
{
    GermanLocale german;
    struct Case {
        long double value;
        int width;
        int decimals;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {2.5L, 0, 0, "3"},
        {-2.5L, 0, 0, "-3"},
        {3.5L, 0, 0, "4"},
        {0.5L, 0, 0, "1"},
        {1.5L, 0, 0, "2"},
        {2.4999L, 0, 0, "2"},
        {0.125L, 0, 2, "0.13"},
        {-0.125L, 0, 2, "-0.13"},
        {0.375L, 0, 2, "0.38"},
        {2.375L, 6, 2, "  2.38"},
        {0.285, 0, 2, "0.28"}, // the double lies below the half
        {1.005, 0, 2, "1.00"},
        {0.0L, 0, 0, "0"},
        {0.0L, 0, 3, "0.000"},
        {-0.0L, 0, 0, "0"},
        {-0.4L, 0, 0, "0"}, // no "-" in front of a zero
        {-0.004L, 0, 2, "0.00"},
        {-0.0051L, 0, 2, "-0.01"},
        {1234L, 0, 0, "1234"},
        {-1234L, 8, 1, " -1234.0"},
        {9.9951L, 0, 2, "10.00"},
        {99.5L, 0, 0, "100"},
        {123456789012.0L, 0, 0, "123456789012"},
        {1e20L, 0, 0, "100000000000000000000"},
        {12345.0L, 3, 0, "12345"}, // never cut
        {7.0L, 3, 0, "  7"},
        {std::numeric_limits<long double>::quiet_NaN(), 0, 1, "0.0"},
        {std::numeric_limits<long double>::infinity(), 0, 0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatiereZahl(c.value, c.width, c.decimals), s(c.expected)) << c.expected;
    EXPECT_EQ(FormatiereZahl(1e300L, 0, 0).size(), 301);
    EXPECT_EQ(FormatiereZahl(std::numeric_limits<long double>::max(), 0, 0).size(), 4933);
}

TEST(DspezNumber, GroupedTexts)
{
    GermanLocale german;
    struct Case {
        double value;
        int width;
        const char* expected;
    };
    const std::vector<Case> whole = {
        {999.5, 0, "1.000"},
        {999, 0, "999"},
        {-1234567, 12, "  -1.234.567"},
        {1234567, 0, "1.234.567"},
        {-1234, 0, "-1.234"},
        {123456, 0, "123.456"},
        {-123456, 0, "-123.456"},
        {1000, 0, "1.000"},
        {0, 3, "  0"},
        {-0.4, 0, "0"},
        {2.5, 0, "3"},
    };
    for (const Case& c : whole)
        EXPECT_EQ(FormatiereGanzzahl(c.value, c.width), s(c.expected)) << c.expected;

    struct DecCase {
        double value;
        int width;
        int decimals;
        const char* expected;
    };
    const std::vector<DecCase> dec = {
        {1234567.5, 0, 1, "1.234.567,5"},
        {999.96, 0, 1, "1.000,0"},
        {-1234.5, 0, 1, "-1.234,5"},
        {999.6, 0, 1, "999,6"},
        {1234.56, 0, 1, "1.234,6"},
        {1234.5, 0, 0, "1.235"},
        {0.25, 6, 2, "  0,25"},
        {-123.25, 0, 2, "-123,25"},
        {-999999.5, 0, 0, "-1.000.000"},
    };
    for (const DecCase& c : dec)
        EXPECT_EQ(FormatiereDezimal(c.value, c.width, c.decimals), s(c.expected)) << c.expected;
}

TEST(DspezTime, MinSekAndDauer)
{
    const std::vector<std::pair<double, const char*>> minSek = {
        {65, "01:05"}, {5.9, "00:05"}, {7265, "121:05"}, {59.99, "00:59"}, {3600, "60:00"},
        {0, "00:00"}, {-5, "00:00"}, {std::nan(""), "00:00"}, {600, "10:00"},
    };
    for (const auto& [sec, text] : minSek)
        EXPECT_EQ(FormatiereMinSek(sec), s(text)) << sec;

    const std::vector<std::pair<double, const char*>> dauer = {
        {5, "5 Sek."}, {125, "2 Min. 5 Sek."}, {3605, "1 Std. 0 Min. 5 Sek."}, {-3, "0 Sek."},
        {60, "1 Min. 0 Sek."}, {3600, "1 Std. 0 Min. 0 Sek."}, {59.9, "59 Sek."}, {0, "0 Sek."},
        {90061, "25 Std. 1 Min. 1 Sek."}, {std::nan(""), "0 Sek."},
    };
    for (const auto& [sec, text] : dauer)
        EXPECT_EQ(FormatiereDauer(sec), s(text)) << sec;
}

TEST(DspezNumber, LenientNumbers)
{
    GermanLocale german;
    struct Case {
        const char* text;
        std::int32_t whole;
        double real;
    };
    const std::vector<Case> cases = {
        {" 1 234 ", 1234, 1234},
        {"2.5", 2, 2.5},
        {"3.5", 4, 3.5},
        {"-2.5", -2, -2.5},
        {"1,5", 0, 0},
        {"", 0, 0},
        {"   ", 0, 0},
        {"abc", 0, 0},
        {"12abc", 0, 0},
        {"1e3", 1000, 1000},
        {"1.5E+2", 150, 150},
        {"+7", 7, 7},
        {".5", 0, 0.5},
        {"\t5", 0, 0}, // only blanks are removed
        {"5\t", 0, 0},
        {"0x10", 0, 0},
        {"- 4", -4, -4},
        {"2147483647", 2147483647, 2147483647.0},
        {"99999999999", 2147483647, 99999999999.0}, // held to the 32-bit range
        {"-99999999999", -2147483647 - 1, -99999999999.0},
        {"1E10", 2147483647, 1e10},
        {"2.5000000000000001", 3, 2.5}, // above the half in extended precision
        {"1E400", 2147483647, 0},       // a real too large for a double
        {"1E-400", 0, 0},
        {"1E", 0, 0},
        {"inf", 0, 0},
        {"-0", 0, -0.0},
        {"+-1", 0, 0},
        {"-", 0, 0},
        {"999999999999999", 2147483647, 999999999999999.0},
        {"9007199254740993", 2147483647, 9007199254740992.0}, // 2^53 + 1: the nearest double
        {"123456789012345678", 2147483647, 123456789012345678.0},
        {"-123456789012345678", -2147483647 - 1, -123456789012345678.0},
        {"1234567890123456789", 2147483647, 1234567890123456789.0},
        {"00000000000000000000000000000000000000000000000000000000000000000000000042", 42, 42},
        {"4                                                                         2", 42, 42},
    };
    for (const Case& c : cases) {
        // The text, a view into a longer one and its bytes give the same.
        const QString t = s(c.text);
        const QString laenger = QLatin1Char('x') + t + QLatin1Char('x');
        const QStringView teil = QStringView(laenger).sliced(1, t.size());
        const QByteArray bytes = t.toLatin1();
        for (const std::int32_t whole :
             {WandleInGanzzahl(t), WandleInGanzzahl(teil), WandleInGanzzahl(bytes.cbegin(), bytes.cend())})
            EXPECT_EQ(whole, c.whole) << c.text;
        for (const double real : {WandleInZahl(t), WandleInZahl(teil), WandleInZahl(bytes.cbegin(), bytes.cend())}) {
            EXPECT_EQ(real, c.real) << c.text;
            EXPECT_EQ(std::signbit(real), std::signbit(c.real)) << c.text;
        }
    }
    EXPECT_EQ(WandleInZahl(s("ä1")), 0.0);
    const char bytes[] = "\xE4"
                         "1"; // "ä1" in Windows-1252
    EXPECT_EQ(WandleInZahl(bytes, bytes + 2), 0.0);
    EXPECT_EQ(WandleInGanzzahl(bytes, bytes + 2), 0);
}

// ---- Arithmetic

TEST(DspezArithmetic, SmallFunctions)
{
    EXPECT_EQ(Minimum(3, -4), -4);
    EXPECT_EQ(Maximum(3, -4), 3);
    EXPECT_EQ(MinimumF(1.5, 2.5), 1.5);
    EXPECT_EQ(MaximumF(1.5, 2.5), 2.5);
    EXPECT_TRUE(std::signbit(MinimumF(0.0, -0.0))); // on equality the second argument
    EXPECT_FALSE(std::signbit(MaximumF(-0.0, 0.0)));
    EXPECT_EQ(Vorzeichen(3.2), 1);
    EXPECT_EQ(Vorzeichen(0.0), 0);
    EXPECT_EQ(Vorzeichen(-1e-300), -1);
    EXPECT_EQ(WaehleWert(true, 1, 2), 1);
    EXPECT_EQ(WaehleWert(false, 1, 2), 2);

    struct R {
        int Left, Top, Right, Bottom;
    } r{};
    SetzeRechteck(r, 1, 2, 3, 4);
    EXPECT_EQ(r.Left, 1);
    EXPECT_EQ(r.Top, 2);
    EXPECT_EQ(r.Right, 3);
    EXPECT_EQ(r.Bottom, 4);
}

TEST(DspezArithmetic, Powers)
{
    struct Case {
        double base, exponent, expected;
    };
    const std::vector<Case> cases = {
        {2.3, 2, 5.29}, {-2, 3, -8}, {-2, 0.5, 0}, {0, 0, 1}, {0, -1, 0}, {0, 2, 0},
        {-2, 2, 4}, {-2, -3, -0.125}, {2, -2, 0.25}, {4, 0.5, 2}, {10, 3, 1000}, {5, 0, 1},
        {-3, 0, 1}, {10, -3, 0.001}, {2.3, 4, 27.9841},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Potenz(c.base, c.exponent), c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)))
            << c.base << "^" << c.exponent;
    for (int k = 0; k <= 15; ++k)
        EXPECT_EQ(Potenz(10, k), std::pow(10.0, k)) << k; // exact where the result can be

    struct IntCase {
        double base;
        std::int32_t exponent;
        double expected;
    };
    const std::vector<IntCase> ints = {
        {2, 10, 1024}, {0, 0, 1}, {0, -3, 0}, {2, -2, 0.25}, {-2, 3, -8}, {-2, -3, -0.125},
        {1.5, 2, 2.25}, {7, 0, 1}, {-1, std::numeric_limits<std::int32_t>::min(), 1},
        {-1, std::numeric_limits<std::int32_t>::max(), -1}, {1, std::numeric_limits<std::int32_t>::min(), 1},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(GanzPotenz(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
    EXPECT_EQ(GanzPotenz(2, std::numeric_limits<std::int32_t>::max()), std::numeric_limits<double>::infinity());
    EXPECT_EQ(GanzPotenz(-2, std::numeric_limits<std::int32_t>::max()), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(GanzPotenz(2, std::numeric_limits<std::int32_t>::min()), 0.0);
}

TEST(DspezArithmetic, RoundingAndLogarithm)
{
    EXPECT_EQ(Abrunden(2.7L), 2.0L);
    EXPECT_EQ(Abrunden(-2.3L), -3.0L);
    EXPECT_EQ(Abrunden(-2.0L), -2.0L);
    EXPECT_EQ(Abrunden(5.0L), 5.0L);

    struct Case {
        double value, step, expected;
    };
    const std::vector<Case> cases = {
        {1234, 100, 1200}, {1250, 100, 1300}, {1249.9, 100, 1200}, {2.5, 1, 3}, {-2.5, 1, -2},
        {-2.6, 1, -3}, {0.149, 0.1, 0.1}, {57, 1, 57}, {1e25, 1, 1e25}, {-1e25, 10, -1e25},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RundeAufSchritt(c.value, c.step), c.expected, 1e-9) << c.value << " " << c.step;

    // Exact at powers of ten, so two-digit rounding steps are right at 10^3, 10^6, 10^9.
    for (int k = 0; k <= 15; ++k)
        EXPECT_EQ(std::trunc(Logarithmus10(std::pow(10.0, k))), k) << k;
    EXPECT_EQ(Logarithmus10(0), 0);
    EXPECT_EQ(Logarithmus10(-5), 0);
    EXPECT_NEAR(Logarithmus10(2), 0.30103, 1e-5);
}

TEST(DspezArithmetic, TauscheSpeicherSwapsAnySize)
{
    std::int32_t a = 1, b = 2;
    TauscheSpeicher(&a, &b, sizeof a);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);

    std::vector<unsigned char> x(1000, 0xAA), y(1000, 0x55);
    TauscheSpeicher(x.data(), y.data(), x.size()); // beyond 256 bytes without overflow
    EXPECT_EQ(x, std::vector<unsigned char>(1000, 0x55));
    EXPECT_EQ(y, std::vector<unsigned char>(1000, 0xAA));

    TauscheSpeicher(&a, &a, sizeof a);
    EXPECT_EQ(a, 2);
}

// ---- Colours

TEST(DspezColour, MischeFarben)
{
    struct Case {
        std::int32_t c1, c2;
        double t;
        std::int32_t expected;
    };
    const std::vector<Case> cases = {
        {0x000000, 0xFFFFFF, 0.5, 0x808080}, // 127.5 rounds to the even 128
        {0x000000, 0xFFFFFF, 0.1, 0x1A1A1A}, // 25.5 rounds to 26
        {0x123456, 0xABCDEF, 0.0, 0x123456},
        {0x123456, 0xABCDEF, 1.0, 0xABCDEF},
        {0x000001, 0x000002, 0.5, 0x000002}, // 1.5 to 2
        {0x000003, 0x000002, 0.5, 0x000002}, // 2.5 to 2
        {0x0000FF, 0xFF0000, 0.25, 0x4000BF},
        {0x7F000000, 0x00000000, 0.0, 0x000000}, // the high byte is dropped
        {0x000000, 0x0000FF, 2.0, 0x0000FE},     // low 8 bits of 510
    };
    for (const Case& c : cases)
        EXPECT_EQ(MischeFarben(c.c1, c.c2, c.t), c.expected) << std::hex << c.c1 << " " << c.c2 << " " << c.t;

    // A system colour is mixed by its red, green and blue, not by its index bytes.
    const std::int32_t face = ColorToRGB(clBtnFace);
    EXPECT_EQ(MischeFarben(clBtnFace, clWhite, 0.1), MischeFarben(face, clWhite, 0.1));
    EXPECT_EQ(MischeFarben(clBtnFace, clWhite, 0.0), face);
}

// ---- Waiting

TEST(DspezWait, WarteHandlesEventsMeanwhile)
{
    int fired = 0;
    QTimer::singleShot(5, [&] { ++fired; });
    const std::uint32_t start = TickCount();
    Warte(40);
    const std::uint32_t elapsed = TickCount() - start;
    EXPECT_GE(elapsed, 40u);
    EXPECT_LT(elapsed, 1000u);
    EXPECT_EQ(fired, 1);

    QTimer::singleShot(0, [&] { ++fired; });
    Warte(0); // events are handled at least once
    EXPECT_EQ(fired, 2);

    QTimer::singleShot(0, [&] { ++fired; });
    WarteBisTick(TickCount() - 100); // a target already past ends after one round
    EXPECT_EQ(fired, 3);

    const std::uint32_t t0 = TickCount();
    WarteBisTick(t0 + 30);
    EXPECT_GE(TickCount() - t0, 30u);
}

TEST(DspezWait, WarteOhneNachrichtenHandlesNoEvents)
{
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    const std::uint32_t start = TickCount();
    WarteOhneNachrichten(30);
    EXPECT_GE(TickCount() - start, 30u);
    EXPECT_EQ(fired, 0);

    const std::uint32_t t0 = TickCount();
    WarteBisTickOhneNachrichten(t0 + 20);
    EXPECT_GE(TickCount() - t0, 20u);
    WarteBisTickOhneNachrichten(t0); // already past
    EXPECT_EQ(fired, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
}

// ---- System

TEST(DspezSystem, FoldersFilesAndName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("Leer"));
    QFile f(dir.filePath(QStringLiteral("datei.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("12345");
    f.close();

    EXPECT_TRUE(VerzeichnisExistiert(dir.path()));
    EXPECT_TRUE(VerzeichnisExistiert(dir.filePath(QStringLiteral("Leer")))); // empty folders too
    EXPECT_TRUE(VerzeichnisExistiert(dir.filePath(QStringLiteral("Leer")) + QLatin1Char('\\')));
    EXPECT_TRUE(VerzeichnisExistiert(dir.filePath(QStringLiteral("Leer")) + QLatin1Char('/')));
    EXPECT_TRUE(VerzeichnisExistiert(dir.filePath(QStringLiteral("leer")))); // found without case
    EXPECT_TRUE(VerzeichnisExistiert(QStringLiteral("/")));
    EXPECT_FALSE(VerzeichnisExistiert(dir.filePath(QStringLiteral("datei.txt"))));
    EXPECT_FALSE(VerzeichnisExistiert(dir.filePath(QStringLiteral("fehlt"))));
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(VerzeichnisExistiert(QStringLiteral("Leer"))); // relative to the current folder
    EXPECT_FALSE(VerzeichnisExistiert(QStringLiteral("fehlt")));
    QDir::setCurrent(cwd);

    EXPECT_EQ(ErmittleDateiGroesse(dir.filePath(QStringLiteral("datei.txt"))), 5);
    EXPECT_EQ(ErmittleDateiGroesse(dir.filePath(QStringLiteral("fehlt.txt"))), -1);
    EXPECT_EQ(ErmittleDateiGroesse(dir.filePath(QStringLiteral("Leer"))), -1);

    EXPECT_EQ(HoleComputername(), QSysInfo::machineHostName());
}

} // namespace
