#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace zl;

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, KnownCharacters)
{
    struct Case {
        unsigned char byte;
        char16_t ch;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x97, 0x2014}, {0x81, 0x0081}, {0x9D, 0x009D},
                          {0xE4, 0x00E4}, {0xDF, 0x00DF}, {0x8A, 0x0160}, {0x41, 0x0041}};
    for (const Case& c : cases) {
        const char b = static_cast<char>(c.byte);
        EXPECT_EQ(fromCp1252(&b, 1), QString(QChar(c.ch))) << int(c.byte);
        EXPECT_EQ(cp1252Byte(c.ch), c.byte);
    }
}

TEST(Cp1252, UnencodableBecomesQuestionMark)
{
    EXPECT_EQ(toCp1252(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y")); // one pair, one "?"
    EXPECT_FALSE(isCp1252(QStringLiteral("\u0101")));
    EXPECT_TRUE(isCp1252(QStringLiteral("Übung – Straße €")));
}
