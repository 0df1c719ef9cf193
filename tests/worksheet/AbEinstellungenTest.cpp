#include "platform/SettingsStore.h"
#include "worksheet/ab_einstellungen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zl::ab
{
namespace
{

TEST(AbEinstellungen, DefaultsAndRoundTrip)
{
    MemorySettingsStore s;
    const TABEinstellungen std = LeseEinstellungen(s);
    EXPECT_EQ(std, TABEinstellungen{});
    EXPECT_TRUE(std.GanzeSeite);
    EXPECT_EQ(std.Druck.Bx, 16.6);
    TABEinstellungen e;
    e.KartenAuswahl = QStringLiteral("DEUSheet");
    e.Intensitaet = 3;
    e.KartTyp = QStringLiteral("PW");
    e.Kontrast = false;
    e.GanzeSeite = false;
    e.Thema = 5;
    e.Intens = 0;
    e.Aufgabe = 3;
    e.AutoEdit = false;
    e.Lsg = true;
    e.Komplett = false;
    e.Druck = {false, 1.0, 2.0, 10.5, 12.25};
    ASSERT_EQ(SchreibeEinstellungen(s, e), 0);
    EXPECT_EQ(LeseEinstellungen(s), e);
}

TEST(AbEinstellungen, OnlyChangedValuesAreWritten)
{
    MemorySettingsStore s;
    TABEinstellungen alt;
    TABEinstellungen e = alt;
    e.Thema = 4;
    e.Druck.X1 = 3.0;
    ASSERT_EQ(SchreibeEinstellungen(s, e, &alt), 0);
    EXPECT_EQ(s.writeCount(), 2);
    EXPECT_EQ(s.readInt32(QStringLiteral("AB-Thema")), 4);
    EXPECT_EQ(s.readReal(QStringLiteral("AB-DruckX1")), 3.0);
    EXPECT_FALSE(s.valueExists(QStringLiteral("AB-Aufgabe")));
    s.setWriteError(5);
    e.Aufgabe = 2;
    EXPECT_EQ(SchreibeEinstellungen(s, e, &alt), 5);
}

TEST(AbEinstellungen, OutOfRangeValuesKeepTheirDefaults)
{
    MemorySettingsStore s;
    s.writeInt32(QStringLiteral("AB-Thema"), 6);
    s.writeInt32(QStringLiteral("AB-Intens"), -1);
    s.writeInt32(QStringLiteral("AB-Aufgabe"), 4);
    s.writeInt32(QStringLiteral("Intensität"), 0);
    s.writeText(QStringLiteral("Karten-Auswahl"), QStringLiteral("MONDSheet"));
    s.writeText(QStringLiteral("KartTyp"), QString());
    s.writeReal(QStringLiteral("AB-DruckBx"), std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(LeseEinstellungen(s), TABEinstellungen{});
    // A display type that is none of the four is used as it is.
    s.writeText(QStringLiteral("KartTyp"), QStringLiteral("XY"));
    EXPECT_EQ(LeseEinstellungen(s).KartTyp, QStringLiteral("XY"));
}

TEST(AbEinstellungen, PrintValues)
{
    const double r = 1001.0 / 1625.0;
    const TDruckWerte std = GueltigeDruckwerte({}, r);
    EXPECT_NEAR(std.By, 16.6 * 1625 / 1001, 1e-9); // about 26.95 cm
    const struct {
        TDruckWerte ein;
        double bx, by;
    } faelle[] = {
        {{false, 2.2, 1.4, 10, 0}, 10, 10 / r}, // height 0 without the ratio: computed
        {{false, 2.2, 1.4, 0, 5}, 16.6, 5},     // width 0: the default width
        {{false, 2.2, 1.4, -3, 5}, 16.6, 5},
        {{true, 2.2, 1.4, std::numeric_limits<double>::infinity(), 5}, 16.6, 16.6 / r},
        {{false, 2.2, 1.4, 12, 7}, 12, 7},
    };
    for (const auto& f : faelle) {
        const TDruckWerte w = GueltigeDruckwerte(f.ein, r);
        EXPECT_NEAR(w.Bx, f.bx, 1e-9);
        EXPECT_NEAR(w.By, f.by, 1e-9);
        EXPECT_TRUE(std::isfinite(w.X1) && std::isfinite(w.Y1));
    }
}

} // namespace
} // namespace zl::ab
