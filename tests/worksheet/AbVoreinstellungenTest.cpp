#include "platform/SettingsStore.h"
#include "worksheet/ab_voreinstellungen.h"

#include <gtest/gtest.h>

namespace zl::ab
{
namespace
{

TEST(AbVoreinstellungen, Defaults)
{
    const ABVoreinstellungen v;
    EXPECT_EQ(v.AufgTextD, v.AufgTextC);
    EXPECT_EQ(v.TitelText, QStringLiteral("%karte% - %thema%"));
    EXPECT_EQ(v.MaxAnz, 20);
    EXPECT_EQ(v.ot_I, QStringLiteral("(Insel/Kap)"));
    EXPECT_EQ(v.AufgText(4), QString());
}

TEST(AbVoreinstellungen, ReadKeepsMissingValuesButMaxAnz)
{
    MemorySettingsStore s;
    ABVoreinstellungen v;
    v.TitelText = QStringLiteral("eigen");
    v.MaxAnz = 12;
    v.NameZeile = false;
    LeseABVoreinstellungen(s, v);
    EXPECT_EQ(v.TitelText, QStringLiteral("eigen"));
    EXPECT_FALSE(v.NameZeile);
    EXPECT_EQ(v.MaxAnz, 20);

    const struct {
        int gespeichert;
        int gelesen;
    } faelle[] = {{25, 25}, {30, 30}, {1, 1}, {0, 20}, {31, 20}, {-5, 20}};
    for (const auto& f : faelle) {
        s.writeInt32(QStringLiteral("AB-MaxAnz"), f.gespeichert);
        LeseABVoreinstellungen(s, v);
        EXPECT_EQ(v.MaxAnz, f.gelesen) << f.gespeichert;
    }
    s.writeText(QStringLiteral("AB-MaxAnz"), QStringLiteral("22")); // wrong kind: missing
    LeseABVoreinstellungen(s, v);
    EXPECT_EQ(v.MaxAnz, 20);
}

TEST(AbVoreinstellungen, WriteReadsBack)
{
    MemorySettingsStore s;
    ABVoreinstellungen v;
    v.AufgTextB = QStringLiteral("B, mit Komma; und \"Anführung\"");
    v.KlasseZeile = false;
    v.MixTypHinweis = false;
    v.MaxAnz = 8;
    v.ot_GB = QString();
    ASSERT_EQ(SchreibeABVoreinstellungen(s, v), 0);
    EXPECT_EQ(s.readInt32(QStringLiteral("ab-klassezeile")), 0);
    ABVoreinstellungen w;
    LeseABVoreinstellungen(s, w);
    EXPECT_EQ(w, v);
    s.setWriteError(5);
    EXPECT_EQ(SchreibeABVoreinstellungen(s, v), 5);
}

TEST(AbVoreinstellungen, PlaceholdersAndHints)
{
    EXPECT_EQ(TitelMitPlatzhaltern(QStringLiteral("%karte%: %thema% (%karte%, %thema%)"), QStringLiteral("Europa"),
                                   QStringLiteral("Städte")),
              QStringLiteral("Europa: Städte (Europa, Städte)"));
    EXPECT_EQ(TitelMitPlatzhaltern(QStringLiteral("%KARTE%"), QStringLiteral("x"), QString()),
              QStringLiteral("%KARTE%"));
    const ABVoreinstellungen v;
    EXPECT_EQ(ObjTypHinweis(v, QStringLiteral("lx")), v.ot_L);
    EXPECT_EQ(ObjTypHinweis(v, QStringLiteral("GB")), v.ot_GB);
    EXPECT_EQ(ObjTypHinweis(v, QStringLiteral("K")), QString());
    EXPECT_EQ(GueltigeMaxAnz(0), 1);
    EXPECT_EQ(GueltigeMaxAnz(31), 30);
}

} // namespace
} // namespace zl::ab
