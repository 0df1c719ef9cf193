#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zl;

namespace {

IniFile fromText(const char* bytes)
{
    IniFile ini;
    ini.setBytes(QByteArray(bytes));
    return ini;
}

const QString E = QStringLiteral("Einstellungen");

} // namespace

TEST(IniFile, WindowsLookupRules)
{
    const IniFile ini = fromText("; comment\r\n"
                                 "top=ignored\r\n"
                                 "  [ einstellungen ]  \r\n"
                                 "  KartTyp  =  RH  \r\n"
                                 "Lesezeichen=\"a,b\"\r\n"
                                 "Single='x'\r\n"
                                 "Half=\"x\r\n"
                                 "Mixed=\"x'\r\n"
                                 "Empty=\r\n"
                                 "NoEquals\r\n"
                                 "kartTyp=second\r\n"
                                 "Land=M\xfcnchen \x80\r\n"
                                 "[Other]\r\n"
                                 "Intensit\xe4t=3\r\n"
                                 "[EINSTELLUNGEN]\n"
                                 "Later=not seen\r");
    EXPECT_TRUE(ini.sectionExists(E));
    EXPECT_FALSE(ini.sectionExists(QStringLiteral("Missing")));
    EXPECT_EQ(ini.readString(E, QStringLiteral("karttyp"), {}), QStringLiteral("RH"));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Lesezeichen"), {}), QStringLiteral("a,b"));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Single"), {}), QStringLiteral("x"));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Half"), {}), QStringLiteral("\"x"));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Mixed"), {}), QStringLiteral("\"x'"));
    EXPECT_TRUE(ini.valueExists(E, QStringLiteral("Empty")));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Empty"), QStringLiteral("d")), QString());
    EXPECT_FALSE(ini.valueExists(E, QStringLiteral("NoEquals")));
    EXPECT_FALSE(ini.valueExists(E, QStringLiteral("top")));
    EXPECT_FALSE(ini.valueExists(E, QStringLiteral("Intensität")));
    EXPECT_FALSE(ini.valueExists(E, QStringLiteral("Later")));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Land"), {}), QStringLiteral("München €"));
    EXPECT_EQ(ini.readString(QStringLiteral("other"), QStringLiteral("INTENSITÄT"), {}), QStringLiteral("3"));
    EXPECT_EQ(ini.readString(E, QStringLiteral("Missing"), QStringLiteral("dflt")), QStringLiteral("dflt"));
}

TEST(IniFile, NumbersAndTruthValues)
{
    const IniFile ini = fromText("[E]\nA=12\nB=-7\nC=$1F\nD=0x10\nE=zwölf\nF=12 3\nG=99999999999\nH=$FFFFFFFF\n"
                                 "I=\"5\"\nJ=+4\nK=\nL=0\nN=--11\nO=+-50\nP=$-F\nQ=0x-12\nR=-$F\nS=-\n");
    const QString s = QStringLiteral("E");
    const struct {
        const char* key;
        qint32 expected;
    } cases[] = {{"A", 12},  {"B", -7}, {"C", 31}, {"D", 16}, {"E", -99}, {"F", -99}, {"G", -99},
                 {"H", -1},  {"I", 5},  {"J", 4},  {"K", -99}, {"L", 0},  {"M", -99},
                 // one sign only
                 {"N", -99}, {"O", -99}, {"P", -99}, {"Q", -99}, {"R", -15}, {"S", -99}};
    for (const auto& c : cases)
        EXPECT_EQ(ini.readInteger(s, QString::fromLatin1(c.key), -99), c.expected) << c.key;
    EXPECT_TRUE(ini.readBool(s, QStringLiteral("A"), false));
    EXPECT_FALSE(ini.readBool(s, QStringLiteral("L"), true));
    EXPECT_TRUE(ini.readBool(s, QStringLiteral("E"), true));
    EXPECT_FALSE(ini.readBool(s, QStringLiteral("M"), false));
}

TEST(IniFile, WritesInPlaceAndRoundTripsThroughAFile)
{
    IniFile ini = fromText("[Einstellungen]\r\nIntensit\xe4t=2\r\n\r\n[Other]\r\nx=1\r\n");
    ini.writeInteger(E, QStringLiteral("INTENSITÄT"), 3);
    ini.writeString(E, QStringLiteral("KartTyp"), QStringLiteral("PW"));
    ini.writeBool(QStringLiteral("Neu"), QStringLiteral("Sound-On"), true);
    EXPECT_EQ(ini.bytes(), QByteArray("[Einstellungen]\r\nINTENSIT\xc4T=3\r\nKartTyp=PW\r\n\r\n[Other]\r\nx=1\r\n"
                                      "\r\n[Neu]\r\nSound-On=1\r\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KartivoUserCfg.ini"));
    ASSERT_EQ(ini.save(path), 0);
    IniFile back;
    ASSERT_EQ(back.load(path), 0);
    EXPECT_EQ(back.readInteger(E, QStringLiteral("Intensität"), 0), 3);
    EXPECT_EQ(back.readString(E, QStringLiteral("KartTyp"), {}), QStringLiteral("PW"));
    EXPECT_EQ(back.bytes(), ini.bytes());

    IniFile missing;
    EXPECT_EQ(missing.load(dir.filePath(QStringLiteral("none.ini"))), 2);
    EXPECT_FALSE(missing.sectionExists(E));
}
