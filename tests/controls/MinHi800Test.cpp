#include "controls/MinHi800.h"

#include "platform/MessageService.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(MinHi800, AcceptedModes)
{
    struct Fall {
        BildschirmModus m;
        bool ok;
    };
    const Fall faelle[] = {
        {{1024, 768, 16, 120}, true},  {{800, 600, 16, 120}, false}, {{800, 600, 32, 96}, true},
        {{640, 480, 32, 96}, false},   {{1280, 1024, 8, 96}, false}, {{1920, 1080, 15, 144}, true},
        {{1024, 767, 32, 120}, false}, {{799, 600, 32, 96}, false},  {{800, 599, 32, 96}, false},
        {{800, 600, 14, 96}, false},   {{800, 600, 24, 97}, false},  {{0, 0, 0, 0}, false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(GrafikmodusAusreichend(f.m), f.ok)
            << f.m.breite << "x" << f.m.hoehe << " " << f.m.farbtiefe << " " << f.m.ppi;
}

TEST(MinHi800, WarningText)
{
    const QString text = GrafikmodusText({800, 600, 16, 120});
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "Falscher Grafikmodus! (Windows-Systemsteuerung / Eigenschaften von Anzeige)\r\n\r\nFür dieses Programm")));
    EXPECT_TRUE(text.contains(QStringLiteral("Außerdem sollten \"kleine Schriftarten\" (96 ppi) eingestellt sein")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(
        "empfehlenswert.\r\n\r\nAktuelle Einstellungen:\r\n- Auflösung: 800 x 600 Pixel (Bildpunkte)\r\n"
        "- Farbtiefe: 16 Bit\r\n- Schriftarten: 120 ppi (Pixel pro Inch)\r\n\r\nProgramm trotzdem starten?")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 9);
    EXPECT_FALSE(text.contains(u'\n' + QString(u'\n')));
    EXPECT_TRUE(GrafikmodusText({1234567, 0, 1, 0}).contains(QStringLiteral("- Auflösung: 1234567 x 0 Pixel")));
}

TEST(MinHi800, StartUpAsksAndObeysTheAnswer)
{
    ScopedMessageRecorder boxen;
    EXPECT_TRUE(PruefeGrafikmodus({1024, 768, 32, 96}));
    EXPECT_TRUE(boxen.entries().isEmpty());
    boxen.answerNext(mbNo);
    EXPECT_FALSE(PruefeGrafikmodus({640, 480, 32, 96}));
    boxen.answerNext(mbYes);
    EXPECT_TRUE(PruefeGrafikmodus({640, 480, 32, 96}));
    ASSERT_EQ(boxen.entries().size(), 2);
    const auto& e = boxen.entries()[0];
    EXPECT_EQ(e.kind, MsgKind::Warnung);
    EXPECT_EQ(e.buttons, (MsgButtons{mbYes, mbNo}));
    EXPECT_EQ(msgButtonCaption(mbYes), QStringLiteral("&Ja"));
    EXPECT_EQ(msgButtonCaption(mbNo), QStringLiteral("&Nein"));
    EXPECT_EQ(e.text, GrafikmodusText({640, 480, 32, 96}));
    EXPECT_EQ(BildschirmPpi(), 96);
}

TEST(MinHi800, ReadsTheScreen)
{
    const BildschirmModus m = LeseBildschirmModus();
    EXPECT_GT(m.breite, 0);
    EXPECT_GT(m.hoehe, 0);
    EXPECT_GT(m.farbtiefe, 0);
    EXPECT_GT(m.ppi, 0);
}

} // namespace
} // namespace zl
