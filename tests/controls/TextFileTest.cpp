#include "controls/TextFile.h"

#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "GermanLocale.h"
#include "QtPrintTo.h"

#include <clocale>
#include <cmath>
#include <csignal>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace zl;
using zl_test::GermanLocale;


namespace {


std::string decimalPoint() { return std::localeconv()->decimal_point; }

class TextFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("t.txt")) const { return dir_.filePath(name); }

    void writeBytes(const QByteArray& bytes, const QString& name = QStringLiteral("t.txt")) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readBytes(const QString& name = QStringLiteral("t.txt")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Opens the file for reading, failing the test when that does not work.
    void open(TextFileIO& f, const QByteArray& bytes)
    {
        writeBytes(bytes);
        f.Assign(path());
        ASSERT_TRUE(f.Reset());
    }

    QTemporaryDir dir_;
    ScopedMessageRecorder boxes_;
};

// ---- Line ends, Ctrl-Z and the code page

struct LineCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

TEST_F(TextFileTest, LineEndsCtrlZAndCodePage)
{
    const std::vector<LineCase> cases = {
        {"crlf", "a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"lf only: a file without any cr", "a\nb\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"lf only, empty line kept", "a\n\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"lone lf stays in the text beside a cr", "a\nb\r\nc", {QStringLiteral("a\nb"), QStringLiteral("c")}},
        {"lf only up to ctrl-z, cr after it", QByteArray("a\nb\x1a\r\n"), {QStringLiteral("a"), QStringLiteral("b")}},
        {"cr alone ends a line", "a\rb", {QStringLiteral("a"), QStringLiteral("b")}},
        {"last line without end", "x\r\nlast", {QStringLiteral("x"), QStringLiteral("last")}},
        {"crlf crlf gives one empty line", "a\r\n\r\n", {QStringLiteral("a"), QString()}},
        {"cr cr lf", "a\r\r\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"ctrl-z ends the file", QByteArray("a\r\nb\x1a" "c\r\nd\r\n"), {QStringLiteral("a"), QStringLiteral("b")}},
        {"ctrl-z at the start", QByteArray("\x1a" "abc"), {}},
        {"empty file", "", {}},
        {"one empty line", "\r\n", {QString()}},
        {"windows-1252", QByteArray("\xe4\xf6\xfc\xdf \x80 \x81 \x9d"),
         {QString::fromUtf8("äöüß € \u0081 \u009d")}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextFileIO f;
        open(f, c.bytes);
        QStringList got;
        while (!f.Eof())
            got << f.ReadLine();
        EXPECT_EQ(got, c.lines);
        EXPECT_EQ(f.ReadLine(), QString()); // at the end: the empty text
        EXPECT_TRUE(f.Eof());
        f.Close();

        // The same lines as bytes.
        open(f, c.bytes);
        QStringList bytes;
        while (!f.Eof())
            bytes << fromCp1252(f.ReadLineBytes().toByteArray());
        EXPECT_EQ(bytes, c.lines);
        EXPECT_TRUE(f.ReadLineBytes().isEmpty());
        f.Close();
    }
}

TEST_F(TextFileTest, LongLinesHaveNoLimit)
{
    const QByteArray longLine(100000, 'x');
    TextFileIO f;
    open(f, longLine + "\r\nend");
    EXPECT_EQ(f.ReadLine().size(), 100000);
    EXPECT_EQ(f.ReadLine(), QStringLiteral("end"));
}

// ---- Whole numbers

TEST_F(TextFileTest, ReadIntTakesOneTokenAndSkipsTheLine)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        std::vector<std::int32_t> values;
    };
    const std::vector<Case> cases = {
        {"blanks, number, word", "  42 Wort 13\r\n7\r\n", {42, 7}},
        {"empty line skipped", "\r\n7\r\n", {7}},
        {"blank lines and tabs skipped", " \r\n\t\r\n  \t8\r\n", {8}},
        {"signs", "-5\r\n+6\r\n", {-5, 6}},
        {"32-bit limits", "2147483647\r\n-2147483648\r\n", {2147483647, -2147483647 - 1}},
        {"lf inside the line ends the token", "12\n34\r\n5\r\n", {12, 5}},
        {"last line without end", "99", {99}},
        {"stops at ctrl-z", QByteArray("3\r\n\x1a" "4\r\n"), {3}},
        {"leading zeros", "0000000000000000000000000000012\r\n", {12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextFileIO f;
        open(f, c.bytes);
        for (std::int32_t v : c.values)
            EXPECT_EQ(f.ReadInt(), v);
        EXPECT_TRUE(f.Eof());
        EXPECT_EQ(f.ReadInt(), 0); // the end of the file: 0 without error
        f.Close();
    }
}

TEST_F(TextFileTest, ReadIntRaisesError106ForBadOrOutOfRangeTokens)
{
    const std::vector<QByteArray> bad = {
        "4x2", "-", "+", "2147483648", "-2147483649", "4294967296", "0x10", "$1F", "1.5", "1e3",
        QByteArray(32, '9'),
    };
    for (const QByteArray& token : bad) {
        SCOPED_TRACE(token.constData());
        TextFileIO f;
        open(f, token + " rest\r\n5\r\n");
        try {
            f.ReadInt();
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.code(), 106);
            EXPECT_EQ(e.message(), QStringLiteral("Ungültige numerische Eingabe"));
        }
        EXPECT_EQ(f.ReadInt(), 5); // the bad line was passed
    }
}

TEST_F(TextFileTest, ReadBool)
{
    TextFileIO f;
    open(f, "-1\r\n0\r\n1\r\n");
    EXPECT_TRUE(f.ReadBool());
    EXPECT_FALSE(f.ReadBool());
    EXPECT_TRUE(f.ReadBool());
    EXPECT_FALSE(f.ReadBool()); // end of the file
}

// ---- Reals

TEST_F(TextFileTest, ReadFloatIsLocaleFree)
{
    GermanLocale german;
    if (!german.ok())
        GTEST_SKIP() << "no German locale could be made";
    ASSERT_EQ(decimalPoint(), ",");

    struct Case {
        QByteArray line;
        double value;
    };
    const std::vector<Case> good = {
        {"2.5", 2.5}, {"  -1.5E3  ", -1500.0}, {"1e-7", 1e-7}, {"+4", 4.0}, {".5", 0.5}, {"5.", 5.0},
        {"0.1", 0.1}, {"1E-400", 0.0}, {"1.7976931348623157E308", 1.7976931348623157e308},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.line.constData());
        TextFileIO f;
        open(f, c.line + "\r\n");
        EXPECT_EQ(f.ReadFloat(), c.value);
        EXPECT_EQ(decimalPoint(), ",");
    }

    const std::vector<QByteArray> bad = {"2,5", "", "1.2.3", "inf", "nan", "1E", "1e+", "- 1", "1 000",
                                         "0x10", "1E400", "\t1"};
    for (const QByteArray& line : bad) {
        SCOPED_TRACE(line.constData());
        TextFileIO f;
        open(f, line + "\r\nnext\r\n");
        try {
            f.ReadFloat();
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(QString::fromLatin1(line)));
        }
        EXPECT_EQ(decimalPoint(), ",");
        EXPECT_EQ(f.ReadLine(), QStringLiteral("next"));
    }
}

TEST_F(TextFileTest, LineFloatGeneralFormat)
{
    GermanLocale german; // the decimal point is "." under every locale
    struct Case {
        double value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.1, "0.1"},
        {100.0, "100"},
        {1e20, "1E20"},
        {1.5e-7, "1.5E-7"},
        {0.0, "0"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {1e15, "1E15"},
        {999999999999999.0, "999999999999999"},
        {123456789012345678.0, "1.23456789012346E17"},
        {0.00001, "0.00001"},
        {0.000015, "0.000015"},
        {0.0000099, "9.9E-6"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {123456.789, "123456.789"},
        {-1e-300, "-1E-300"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
        {std::numeric_limits<double>::infinity(), "0"},
        {-std::numeric_limits<double>::infinity(), "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextFileIO::LineFloat(c.value), QString::fromLatin1(c.text) + QStringLiteral("\r\n"));
    }
    EXPECT_EQ(TextFileIO::LineInt(-5), QStringLiteral("-5\r\n"));
    EXPECT_EQ(TextFileIO::LineInt(2147483647), QStringLiteral("2147483647\r\n"));
    EXPECT_EQ(TextFileIO::LineStr(QStringLiteral("a\nb")), QStringLiteral("a\nb\r\n"));
    EXPECT_EQ(TextFileIO::LineStr(QStringLiteral("a\rb\x1a" "c")), QStringLiteral("a b c\r\n"));
}

// Label positions k / 10000 written with LineFloat read back as the same number.
TEST_F(TextFileTest, LabelPositionsRoundTrip)
{
    TextFileIO f;
    f.Assign(path());
    ASSERT_TRUE(f.Rewrite());
    for (int k = 0; k <= 10000; ++k)
        f.WriteLine(TextFileIO::LineFloat(k / 10000.0).chopped(2));
    f.WriteLine(TextFileIO::LineFloat(-1234.5678e-9).chopped(2));
    f.Close();
    ASSERT_TRUE(f.Reset());
    for (int k = 0; k <= 10000; ++k)
        ASSERT_EQ(f.ReadFloat(), k / 10000.0) << k;
    EXPECT_EQ(f.ReadFloat(), -1234.5678e-9);
}

// ---- Writing

TEST_F(TextFileTest, WriteLineEndsLinesWithCrLfAndKeepsValuesOnTheirLine)
{
    TextFileIO f;
    f.Assign(path());
    ASSERT_TRUE(f.Rewrite());
    EXPECT_EQ(f.Fehlercode, 0);
    f.WriteLine(QStringLiteral("DEU~S~1234~"));
    f.WriteLine(QString());
    f.WriteLine(QStringLiteral("a\rb\x1a" "c")); // CR and Ctrl-Z become blanks
    f.WriteLine(QStringLiteral("x\ny"));         // a lone LF is kept
    f.WriteLine(QString::fromUtf8("äß€Ω\U0001F600"));
    f.Close();
    EXPECT_EQ(readBytes(), QByteArray("DEU~S~1234~\r\n\r\na b c\r\nx\ny\r\n\xe4\xdf\x80??\r\n"));

    ASSERT_TRUE(f.Reset());
    EXPECT_EQ(f.ReadLine(), QStringLiteral("DEU~S~1234~"));
    EXPECT_EQ(f.ReadLine(), QString());
    EXPECT_EQ(f.ReadLine(), QStringLiteral("a b c"));
    EXPECT_EQ(f.ReadLine(), QStringLiteral("x\ny"));
    EXPECT_EQ(f.ReadLine(), QString::fromUtf8("äß€??"));
    EXPECT_TRUE(f.Eof());
}

TEST_F(TextFileTest, RewriteEmptiesAnExistingFileAndNothingShowsUntilClose)
{
    writeBytes("old content\r\n");
    TextFileIO f;
    f.Assign(path());
    ASSERT_TRUE(f.Rewrite());
    f.WriteLine(QStringLiteral("new"));
    EXPECT_EQ(readBytes(), QByteArray("old content\r\n")); // written only when complete
    f.Close();
    EXPECT_EQ(readBytes(), QByteArray("new\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.txt")});
}

TEST_F(TextFileTest, DestructorClosesOrKeepsTheOldFileWhileAnExceptionPasses)
{
    {
        TextFileIO f;
        f.Assign(path());
        ASSERT_TRUE(f.Rewrite());
        f.WriteLine(QStringLiteral("kept"));
    } // no Close: the destructor stores the file
    EXPECT_EQ(readBytes(), QByteArray("kept\r\n"));

    try {
        TextFileIO f;
        f.Assign(path());
        ASSERT_TRUE(f.Rewrite());
        f.WriteLine(QStringLiteral("half"));
        throw std::runtime_error("writer failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(readBytes(), QByteArray("kept\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.txt")});

    {
        TextFileIO f;
        open(f, "x\r\n");
    } // a reader's lock is released
    TextFileIO w;
    w.Assign(path());
    EXPECT_TRUE(w.Rewrite());
    w.Close();
    EXPECT_TRUE(boxes_.texts().isEmpty());
}

// A write that fails when the file is stored raises and leaves the old file as it was.
TEST_F(TextFileTest, FailedCommitRaisesAndKeepsTheOldFile)
{
    const QByteArray old("old line 1\r\nold line 2\r\n");
    writeBytes(old);
    TextFileIO f;
    f.Assign(path());
    ASSERT_TRUE(f.Rewrite());
    for (int i = 0; i < 2000; ++i)
        f.WriteLine(QStringLiteral("DEU~S~1234~5678~Name~1~-1~2~"));

    // A file size limit makes the write of the temporary file fail, even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int code = 0;
    try {
        f.Close();
    } catch (const EInOutError& e) {
        code = e.code();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_NE(code, 0);
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(readBytes(), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.txt")});
}

// ---- Header line

TEST_F(TextFileTest, HeaderLine)
{
    const QString header = QStringLiteral("Zelvaro-Kartenbeschriftung 4.0");
    TextFileIO f;
    f.Assign(path());
    f.Kopfzeile = header;
    ASSERT_TRUE(f.Rewrite());
    f.WriteLine(QStringLiteral("body"));
    f.Close();
    EXPECT_EQ(readBytes(), QByteArray("Zelvaro-Kartenbeschriftung 4.0\r\nbody\r\n"));

    ASSERT_TRUE(f.Reset()); // Kopfzeile still set
    EXPECT_EQ(f.ReadLine(), QStringLiteral("body"));
    f.Close();

    f.Assign(path()); // clears Kopfzeile
    EXPECT_TRUE(f.Kopfzeile.isEmpty());
    ASSERT_TRUE(f.Reset());
    EXPECT_EQ(f.ReadLine(), header);
    f.Close();

    writeBytes("Zelvaro-kartenbeschriftung 4.0\r\nbody\r\n"); // one letter's case differs
    f.Kopfzeile = header;
    EXPECT_FALSE(f.Reset());
    EXPECT_EQ(boxes_.texts(), QStringList{QStringLiteral("Falsches Dateiformat!")});
    EXPECT_EQ(boxes_.entries().first().kind, MsgKind::Fehler);
    EXPECT_EQ(f.Fehlercode, 0);
    EXPECT_TRUE(f.isOpen()); // the file stays open until Close
    TextFileIO writer;
    writer.Assign(path());
    boxes_.clear();
    EXPECT_FALSE(writer.Rewrite());
    EXPECT_EQ(writer.Fehlercode, 32);
    f.Close();
    EXPECT_TRUE(writer.Rewrite());
    writer.Close();

    writeBytes("");
    f.Kopfzeile = header;
    boxes_.clear();
    EXPECT_FALSE(f.Reset()); // an empty file has no header either
    EXPECT_EQ(boxes_.texts(), QStringList{QStringLiteral("Falsches Dateiformat!")});
}

// ---- Open errors and sharing

TEST_F(TextFileTest, OpenErrorsShowTheCodeAndReturnFalse)
{
    writeBytes("readonly\r\n", QStringLiteral("ro.txt"));
    QFile::setPermissions(path(QStringLiteral("ro.txt")), QFile::ReadOwner | QFile::ReadGroup);
    QDir(dir_.path()).mkdir(QStringLiteral("folder"));

    struct Case {
        const char* name;
        bool write;
        QString file;
        int code;
    };
    const std::vector<Case> cases = {
        {"missing file", false, path(QStringLiteral("missing.txt")), 2},
        {"missing folder", false, path(QStringLiteral("nofolder/x.txt")), 3},
        {"folder", false, path(QStringLiteral("folder")), 5},
        {"write read-only file", true, path(QStringLiteral("ro.txt")), 5},
        {"write in missing folder", true, path(QStringLiteral("nofolder/x.txt")), 3},
        {"write onto a folder", true, path(QStringLiteral("folder")), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes_.clear();
        TextFileIO f;
        f.Assign(c.file);
        EXPECT_FALSE(c.write ? f.Rewrite() : f.Reset());
        EXPECT_EQ(f.Fehlercode, c.code);
        EXPECT_FALSE(f.isOpen());
        ASSERT_EQ(boxes_.entries().size(), 1);
        const auto& box = boxes_.entries().first();
        EXPECT_EQ(box.text, (c.write ? QStringLiteral("Datei-Schreibfehler! (%1)") : QStringLiteral("Datei-Lesefehler! (%1)"))
                                .arg(c.code));
        EXPECT_EQ(box.kind, MsgKind::Fehler);
        EXPECT_EQ(box.buttons, MsgButtons{mbOK});
    }
    EXPECT_EQ(readBytes(QStringLiteral("ro.txt")), QByteArray("readonly\r\n"));
}

TEST_F(TextFileTest, ManyReadersOrOneWriter)
{
    const QByteArray old("shared\r\n");
    writeBytes(old);
    TextFileIO r1, r2, w;
    r1.Assign(path());
    r2.Assign(path());
    w.Assign(path());

    ASSERT_TRUE(r1.Reset());
    ASSERT_TRUE(r2.Reset()); // readers share
    EXPECT_FALSE(w.Rewrite());
    EXPECT_EQ(w.Fehlercode, 32);
    EXPECT_EQ(boxes_.texts().last(), QStringLiteral("Datei-Schreibfehler! (32)"));
    EXPECT_EQ(readBytes(), old); // the refused write left the file byte for byte
    EXPECT_EQ(r1.ReadLine(), QStringLiteral("shared"));
    r1.Close();
    EXPECT_FALSE(w.Rewrite()); // r2 still reads
    r2.Close();

    ASSERT_TRUE(w.Rewrite());
    EXPECT_FALSE(r1.Reset());
    EXPECT_EQ(r1.Fehlercode, 32);
    EXPECT_EQ(boxes_.texts().last(), QStringLiteral("Datei-Lesefehler! (32)"));
    TextFileIO w2;
    w2.Assign(path());
    EXPECT_FALSE(w2.Rewrite());
    EXPECT_EQ(w2.Fehlercode, 32);
    w.WriteLine(QStringLiteral("new"));
    w.Close();
    EXPECT_TRUE(r1.Reset());
    EXPECT_EQ(r1.Fehlercode, 0);
    EXPECT_EQ(r1.ReadLine(), QStringLiteral("new"));
}

TEST_F(TextFileTest, FileNamesAreFoundWithoutCase)
{
    writeBytes("x\r\n", QStringLiteral("ZL_STANDARD.ZLK"));
    TextFileIO f;
    f.Assign(path(QStringLiteral("zl_standard.zlk")));
    ASSERT_TRUE(f.Reset());
    EXPECT_EQ(f.ReadLine(), QStringLiteral("x"));
}

// ---- Misuse after open raises the input/output error

TEST_F(TextFileTest, OperationsOnTheWrongModeRaise)
{
    auto codeOf = [](auto&& op) {
        try {
            op();
        } catch (const EInOutError& e) {
            return e.code();
        }
        return 0;
    };
    TextFileIO f;
    f.Assign(path());
    EXPECT_EQ(codeOf([&] { f.ReadLine(); }), 103);
    EXPECT_EQ(codeOf([&] { f.ReadLineBytes(); }), 103);
    EXPECT_EQ(codeOf([&] { f.Eof(); }), 103);
    EXPECT_EQ(codeOf([&] { f.WriteLine(QStringLiteral("x")); }), 103);
    f.Close(); // closing a closed file does nothing
    ASSERT_TRUE(f.Rewrite());
    EXPECT_EQ(codeOf([&] { f.ReadInt(); }), 104);
    EXPECT_EQ(codeOf([&] { f.ReadLineBytes(); }), 104);
    f.Close();
    ASSERT_TRUE(f.Reset());
    EXPECT_EQ(codeOf([&] { f.WriteLine(QStringLiteral("x")); }), 105);
    f.Close();
    f.Close();
}

TEST(ExceptionsTest, TextsAndHierarchy)
{
    EXPECT_EQ(EInOutError(106).message(), QStringLiteral("Ungültige numerische Eingabe"));
    EXPECT_EQ(EInOutError(5).message(), QStringLiteral("E/A-Fehler 5"));
    EXPECT_STREQ(EInOutError(106).what(), "Ungültige numerische Eingabe");
    try {
        throw EConvertError::notAFloat(QStringLiteral("2,5"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'2,5' ist kein gültiger Gleitkommawert"));
    }
}

} // namespace
