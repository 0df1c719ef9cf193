#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sys/stat.h>

using namespace zl;

namespace {

const QString kKey = QStringLiteral("Kartivo 4.0");

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString file() const { return root.filePath(QStringLiteral("Selvik/") + kKey); }
};

} // namespace

TEST_F(SettingsStoreTest, ValuesSurviveAReopenWithTheirTypes)
{
    {
        FileSettingsStore s(root.path(), kKey);
        EXPECT_EQ(s.loadError(), 0);
        EXPECT_FALSE(s.valueExists(QStringLiteral("Intensität")));
        EXPECT_EQ(s.writeInt32(QStringLiteral("Intensität"), 3), 0);
        EXPECT_EQ(s.writeBool(QStringLiteral("Sound-On"), false), 0);
        EXPECT_EQ(s.writeText(QStringLiteral("KartTyp"), QStringLiteral("PF")), 0);
        EXPECT_EQ(s.writeReal(QStringLiteral("Faktor"), 0.1), 0);
        EXPECT_EQ(s.writeInt32(QStringLiteral("Min"), std::numeric_limits<qint32>::min()), 0);
    }
    ASSERT_TRUE(QFile::exists(file()));
    FileSettingsStore s(root.path(), kKey);
    EXPECT_EQ(s.loadError(), 0);
    EXPECT_EQ(s.firstBadLine(), 0);
    EXPECT_EQ(s.readInt32(QStringLiteral("intensität")), 3); // names without case
    EXPECT_EQ(s.readBool(QStringLiteral("Sound-On")), false);
    EXPECT_EQ(s.readText(QStringLiteral("KartTyp")), QStringLiteral("PF"));
    EXPECT_EQ(s.readReal(QStringLiteral("Faktor")), 0.1);
    EXPECT_EQ(s.readInt32(QStringLiteral("Min")), std::numeric_limits<qint32>::min());
}

TEST_F(SettingsStoreTest, WrongTypeCountsAsMissing)
{
    MemorySettingsStore s;
    s.writeText(QStringLiteral("Intensität"), QStringLiteral("3"));
    s.writeInt32(QStringLiteral("KartTyp"), 1);
    s.writeReal(QStringLiteral("UebFragAnz"), 10.0);
    EXPECT_TRUE(s.valueExists(QStringLiteral("Intensität")));
    EXPECT_FALSE(s.readInt32(QStringLiteral("Intensität")).has_value());
    EXPECT_FALSE(s.readBool(QStringLiteral("Intensität")).has_value());
    EXPECT_FALSE(s.readText(QStringLiteral("KartTyp")).has_value());
    EXPECT_FALSE(s.readInt32(QStringLiteral("UebFragAnz")).has_value());
    EXPECT_FALSE(s.readReal(QStringLiteral("KartTyp")).has_value());
    // A truth value is a 32-bit number, as in the registry.
    EXPECT_EQ(s.readBool(QStringLiteral("KartTyp")), true);
}

TEST_F(SettingsStoreTest, AnyTextRoundTripsExactly)
{
    QString odd = QStringLiteral("a,b;c=d \"q\" 'x' \\n\\ \t\r\n[sec]~|äöüß€\u2014");
    odd += QChar(0x0001);
    odd += QChar(0xD800); // a lone surrogate
    odd += QStringLiteral("z");
    odd += QChar(0xDC00);
    odd += QString::fromUcs4(U"\U0001F600");
    const QStringList texts{QString(), QStringLiteral(" leading and trailing "), odd, QString(5000, u'x')};
    {
        FileSettingsStore s(root.path(), kKey);
        for (int i = 0; i < texts.size(); ++i)
            ASSERT_EQ(s.writeText(QStringLiteral("T\t=%1\n").arg(i), texts[i]), 0);
    }
    FileSettingsStore s(root.path(), kKey);
    EXPECT_EQ(s.firstBadLine(), 0);
    for (int i = 0; i < texts.size(); ++i) {
        const auto v = s.readText(QStringLiteral("T\t=%1\n").arg(i));
        ASSERT_TRUE(v.has_value()) << i;
        EXPECT_EQ(*v, texts[i]) << i;
    }
}

TEST_F(SettingsStoreTest, RealsKeepEveryBit)
{
    const double values[] = {0.0, -0.0, 1.0 / 3.0, 1e-310, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::max()};
    {
        FileSettingsStore s(root.path(), kKey);
        for (int i = 0; i < 6; ++i)
            s.writeReal(QString::number(i), values[i]);
    }
    FileSettingsStore s(root.path(), kKey);
    for (int i = 0; i < 6; ++i) {
        const auto v = s.readReal(QString::number(i));
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(std::signbit(*v), std::signbit(values[i]));
        EXPECT_EQ(*v, values[i]);
    }
}

TEST_F(SettingsStoreTest, DamagedLinesAreSkippedAndTheOldFileKept)
{
    QDir().mkpath(root.filePath(QStringLiteral("Selvik")));
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Selvik-Einstellungen 1\nI\tIntensit\xc3\xa4t\t3\nI\tUebFragAnz\tzehn\nS\tKartTyp\tRH\n\xff\xfe\n"
            "I\tBig\t99999999999\n");
    f.close();
    FileSettingsStore s(root.path(), kKey);
    EXPECT_EQ(s.loadError(), 0);
    EXPECT_EQ(s.firstBadLine(), 3);
    EXPECT_EQ(s.readInt32(QStringLiteral("Intensität")), 3);
    EXPECT_EQ(s.readText(QStringLiteral("KartTyp")), QStringLiteral("RH"));
    EXPECT_FALSE(s.valueExists(QStringLiteral("UebFragAnz")));
    EXPECT_FALSE(s.valueExists(QStringLiteral("Big")));
    EXPECT_EQ(s.writeInt32(QStringLiteral("UebFragAnz"), 20), 0);
    EXPECT_TRUE(QFile::exists(file() + QStringLiteral(".beschaedigt")));
    FileSettingsStore again(root.path(), kKey);
    EXPECT_EQ(again.firstBadLine(), 0);
    EXPECT_EQ(again.readInt32(QStringLiteral("UebFragAnz")), 20);
}

TEST_F(SettingsStoreTest, UnreadableOrUnwritableFileIsReportedAndNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    {
        FileSettingsStore s(root.path(), kKey);
        ASSERT_EQ(s.writeInt32(QStringLiteral("Intensität"), 3), 0);
    }
    QFile::setPermissions(file(), QFileDevice::WriteOwner);
    {
        FileSettingsStore s(root.path(), kKey);
        EXPECT_NE(s.loadError(), 0);
        EXPECT_NE(s.writeInt32(QStringLiteral("Intensität"), 1), 0);
    }
    QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    FileSettingsStore s(root.path(), kKey);
    EXPECT_EQ(s.readInt32(QStringLiteral("Intensität")), 3);
}

TEST_F(SettingsStoreTest, KeyThatCannotBeReadIsLeftAlone)
{
    // A folder in place of the key's file cannot be read as a file (code 5).
    ASSERT_TRUE(QDir().mkpath(file()));
    FileSettingsStore s(root.path(), kKey);
    EXPECT_EQ(s.loadError(), 5);
    EXPECT_EQ(s.writeInt32(QStringLiteral("Intensität"), 1), 5);
    EXPECT_TRUE(QFileInfo(file()).isDir());
}

TEST_F(SettingsStoreTest, FailedWriteKeepsTheValueForTheRun)
{
    // A plain file where the folder should be: nothing can be saved.
    QFile block(root.filePath(QStringLiteral("Selvik")));
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    FileSettingsStore s(root.path(), kKey);
    EXPECT_NE(s.writeText(QStringLiteral("KartTyp"), QStringLiteral("PW")), 0);
    EXPECT_EQ(s.readText(QStringLiteral("KartTyp")), QStringLiteral("PW"));
}

TEST_F(SettingsStoreTest, DeleteAndRenameKeepFirstName)
{
    MemorySettingsStore s;
    s.writeInt32(QStringLiteral("Sound-On"), 1);
    s.writeInt32(QStringLiteral("SOUND-ON"), 0);
    ASSERT_EQ(s.values().size(), 1);
    EXPECT_EQ(s.values()[0].name, QStringLiteral("Sound-On"));
    EXPECT_EQ(s.deleteValue(QStringLiteral("sound-on")), 0);
    EXPECT_FALSE(s.valueExists(QStringLiteral("Sound-On")));
}

TEST(SettingsRoot, FollowsXdgConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-here");
    EXPECT_EQ(defaultSettingsRoot(), QStringLiteral("/tmp/xdg-here"));
    qputenv("XDG_CONFIG_HOME", "relative/path"); // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(defaultSettingsRoot(), QDir::homePath() + QStringLiteral("/.config"));
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}
