// Zoom and scroll commands, anchors, the mini-map geometry and the pixel/map mappings.

#include "learning/mapview/zl_viewport.h"

#include "MapTestDruck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zl
{
namespace
{

TEST(Viewport, CommandsAndTheirLimits)
{
    using B = TViewportBefehl;
    struct Fall {
        int Stufe, AX, AY;
        B Befehl;
        std::optional<int> Ergebnis;
        int NeuAX, NeuAY;
    };
    const Fall Faelle[] = {
        {3, 1, -1, B::Standardgroesse, 0, 0, 0},
        {0, 1, 1, B::Zoom2, 2, 1, 1},
        {4, 0, 0, B::Zoom4, 4, 0, 0},
        {2, 0, 0, B::ZoomRein, 3, 0, 0},
        {4, 0, 0, B::ZoomRein, std::nullopt, 0, 0},
        {2, 0, 0, B::ZoomRaus, 1, 0, 0},
        {0, 0, 0, B::ZoomRaus, std::nullopt, 0, 0},
        {2, 0, 0, B::Links, 2, -1, 0},
        {2, -1, 0, B::Links, std::nullopt, -1, 0},
        {2, 0, 0, B::Rechts, 2, 1, 0},
        {2, 1, 0, B::Rechts, std::nullopt, 1, 0},
        {2, 0, 0, B::Oben, 2, 0, -1},
        {2, 0, -1, B::Oben, std::nullopt, 0, -1},
        {0, 0, 0, B::Unten, 0, 0, 1}, // at 100 % the anchors still move
        {0, 0, 1, B::Unten, std::nullopt, 0, 1},
    };
    for (const Fall& f : Faelle) {
        TViewport v;
        v.SetzeZoomStufe(f.Stufe);
        v.ScrollAnkerX = f.AX;
        v.ScrollAnkerY = f.AY;
        EXPECT_EQ(FuehreAus(v, f.Befehl), f.Ergebnis) << int(f.Befehl);
        EXPECT_EQ(v.ScrollAnkerX, f.NeuAX);
        EXPECT_EQ(v.ScrollAnkerY, f.NeuAY);
        EXPECT_EQ(v.ZoomStufe, f.Stufe); // the caller's SetzeZoom changes the level
    }
}

TEST(Viewport, LevelsAndAnchorsOutOfRangeAreHeld)
{
    TViewport v;
    const int Stufen[][2] = {{0, 0}, {1, 1}, {4, 4}, {9, 4}, {-3, 0}};
    for (const auto& s : Stufen) {
        v.SetzeZoomStufe(s[0]);
        EXPECT_EQ(v.ZoomStufe, s[1]);
        EXPECT_EQ(v.ZoomFaktor, ZoomFaktoren[s[1]]);
    }
    v.SetzeAnker(5, -7);
    EXPECT_EQ(v.ScrollAnkerX, 1);
    EXPECT_EQ(v.ScrollAnkerY, -1);
    EXPECT_EQ(ZoomBeschriftung(0), QStringLiteral("100 %"));
    EXPECT_EQ(ZoomBeschriftung(4), QStringLiteral("200 %"));
    EXPECT_EQ(ZoomBeschriftung(5), QString());
}

TEST(Viewport, Keys)
{
    using B = TViewportBefehl;
    const auto Ctrl = Qt::ControlModifier;
    const auto Pad = Qt::ControlModifier | Qt::KeypadModifier;
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Plus, Pad), B::ZoomRein);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Minus, Pad), B::ZoomRaus);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_0, Pad), B::Standardgroesse);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Plus, Ctrl), std::nullopt); // the main keyboard's plus
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Left, Ctrl | Qt::KeypadModifier), B::Links);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Right, Ctrl), B::Rechts);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Up, Ctrl), B::Oben);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Down, Ctrl), B::Unten);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Left, Ctrl | Qt::AltModifier), std::nullopt);
    EXPECT_EQ(BefehlFuerTaste(Qt::Key_Left, Qt::NoModifier), std::nullopt);
}

TEST(Viewport, MiniMapClickChoosesTheNearestAnchors)
{
    struct Fall {
        double fx, fy;
        int ax, ay;
    };
    const Fall Faelle[] = {
        {0.0, 0.0, -1, -1},   {1.0, 1.0, 1, 1},    {0.5, 0.5, 0, 0},
        {0.8, 0.2, 1, -1},    {0.375, 0.5, -1, 0}, // exactly between -1 and 0: the one tried first
        {0.5, 0.625, 0, 0},                        // between 0 and 1
        {0.625, 0.625, 0, 0}, {-5, 9, -1, 1},
    };
    for (const Fall& f : Faelle) {
        int ax = 7, ay = 7;
        WaehleZoomAusschnitt(f.fx, f.fy, ax, ay);
        EXPECT_EQ(ax, f.ax) << f.fx << "," << f.fy;
        EXPECT_EQ(ay, f.ay) << f.fx << "," << f.fy;
    }
}

TEST(Viewport, MiniMapFrameAndPreview)
{
    // The top-right quarter on a 120 x 90 thumbnail.
    EXPECT_EQ(MiniKartenRahmen(TRect{5000, 0, 10000, 5000}, 120, 90), QRect(60, 0, 60, 45));
    const TRect Haelfte{2500, 2500, 7500, 7500};
    EXPECT_EQ(MiniKartenVorschau(Haelfte, -1, -1, 120, 90, 10, 20), QRect(10, 20, 60, 45));
    EXPECT_EQ(MiniKartenVorschau(Haelfte, 0, 0, 120, 90, 10, 20), QRect(40, 42, 60, 46));
    EXPECT_EQ(MiniKartenVorschau(Haelfte, 1, 1, 120, 90, 0, 0), QRect(60, 45, 60, 45));
    EXPECT_EQ(MiniBildRechteck(130, 100, 120, 90), QRect(5, 5, 120, 90));
    EXPECT_EQ(MiniBildRechteck(131, 101, 120, 90), QRect(5, 5, 120, 90));
}

TEST(Viewport, PointerArrowMarksAndTheReverseMapping)
{
    const QRect Img(12, 12, 800, 600);
    const TRect A{0, 5000, 5000, 10000};
    // A picture of 700 x 600 centred: x = 700 x 0.5 + 50 + 12 - 1.
    EXPECT_EQ(ZeigerPunkt(Img, 700, 600, A, 0.25, 0.75), QPoint(411, 311));
    EXPECT_EQ(ZeigerPunkt(Img, 0, 600, A, 0.25, 0.75), std::nullopt);
    EXPECT_EQ(ZeigerPunkt(Img, 700, 600, TRect{0, 0, 0, 0}, 0.25, 0.75), std::nullopt);
    EXPECT_EQ(ZeigerPunkt(Img, 700, 600, A, std::nan(""), 0.75), std::nullopt);
    EXPECT_EQ(MarkenPunkt(400, 300, 400, 200, kGanzeKarte, 0.5, 0.5), QPoint(199, 149));
    EXPECT_EQ(MiniMarkenPunkt(QRect(16, 10, 130, 100), 120, 90, 0.5, 0.5), QPoint(16 + 60 + 5 - 2, 10 + 45 + 5 - 2));

    double Px, Py;
    BildpunktZuKarte(411, 311, Img, 700, 600, A, Px, Py);
    EXPECT_NEAR(Px, 0.25, 1e-3);
    EXPECT_NEAR(Py, 0.75, 1e-3);
    // Left of the picture and below it: held at the edges.
    BildpunktZuKarte(0, 5000, Img, 700, 600, A, Px, Py);
    EXPECT_EQ(Px, 0.0);
    EXPECT_EQ(Py, 1.0);
    // An empty picture gives the section's corner, never NaN.
    BildpunktZuKarte(100, 100, Img, 0, 0, A, Px, Py);
    EXPECT_EQ(Px, 0.0);
    EXPECT_EQ(Py, 0.5);
}

TEST(Viewport, RoundingHalfToEvenAndSafe)
{
    EXPECT_EQ(RundeGerade(2.5), 2);
    EXPECT_EQ(RundeGerade(3.5), 4);
    EXPECT_EQ(RundeGerade(-2.5), -2);
    EXPECT_EQ(RundeGerade(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RundeGerade(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(RundeGerade(-1e300), std::numeric_limits<int>::min());
}

} // namespace
} // namespace zl
