// The sliding-puzzle engine without a window: fitting, board drawing, shuffle,
// moves in both modes, solvability, the clock and bad input.

#include "PuzzleLoeser.h"
#include "learning/tools/zl_schieb.h"

#include "controls/Zufall.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace zl;

namespace
{

struct Ziel : TSchiebZiel {
    QSize Box;
    int Aufrufe = 0;
    QRect Letzter;
    explicit Ziel(QSize b) : Box(b) {}
    QSize Groesse() const override { return Box; }
    void Neuzeichnen(const QRect& r) override
    {
        ++Aufrufe;
        Letzter = r;
    }
};

// A picture whose every pixel tells where it came from.
QImage bild(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 90));
    return img;
}

struct Spiel {
    Ziel Box;
    TSchiebepuzzle P;
    explicit Spiel(int n, QSize box = {300, 300}, QSize b = {600, 600}) : Box(box)
    {
        P.Zielbild = &Box;
        P.Leerfarbe = clNavy;
        P.NeuesSpiel(bild(b.width(), b.height()), n, n);
    }
    // The pixel centre of cell (c, r).
    QPoint mitte(int c, int r) const
    {
        return {c * P.TeilBreite + P.TeilBreite / 2, r * P.TeilHoehe + P.TeilHoehe / 2};
    }
    bool klick(int c, int r, bool nurNachbarn = true)
    {
        const QPoint m = mitte(c, r);
        return P.Klick(m.x(), m.y(), nurNachbarn);
    }
};

} // namespace

TEST(PuzzleEngine, ConstructorAndNewGameGiveTheHomeBoard)
{
    TSchiebepuzzle leer;
    EXPECT_EQ(leer.Spalten, 4);
    EXPECT_EQ(leer.Zeilen, 4);
    EXPECT_EQ(leer.Leerfarbe, clNavy);
    EXPECT_EQ(leer.AnzahlFalscheTeile(), 0);

    Spiel s(3);
    EXPECT_EQ(s.P.AnzahlFalscheTeile(), 0);
    EXPECT_EQ(s.P.AnzahlZuege(), 0);
    EXPECT_EQ(s.P.LeerSpalte, 2);
    EXPECT_EQ(s.P.LeerZeile, 2);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(s.P.Feld[c][r], 3 * r + c);
    EXPECT_GE(s.Box.Aufrufe, 1);
}

TEST(PuzzleEngine, PictureIsFittedAndCutIntoWholeTiles)
{
    struct Fall {
        QSize Bild, Box;
        int n;
        QSize Brett;
        int TeilB, TeilH;
    };
    const Fall faelle[] = {
        {{600, 400}, {500, 500}, 4, {500, 332}, 125, 83}, // the height rounds to 333, then whole tiles
        {{400, 600}, {500, 500}, 3, {333, 498}, 111, 166},
        {{1000, 500}, {307, 900}, 5, {305, 150}, 61, 30},
        {{100, 100}, {1000, 400}, 3, {399, 399}, 133, 133},
    };
    for (const Fall& f : faelle) {
        Spiel s(f.n, f.Box, f.Bild);
        EXPECT_EQ(s.P.Brettbild().size(), f.Brett) << f.Bild.width() << "x" << f.Bild.height();
        EXPECT_EQ(s.P.TeilBreite, f.TeilB);
        EXPECT_EQ(s.P.TeilHoehe, f.TeilH);
    }
}

TEST(PuzzleEngine, TilesCarryABevelAndTheHoleIsFilled)
{
    Spiel s(3, {300, 300}, {300, 300});
    const QImage& b = s.P.Brettbild();
    const QRgb weiss = qRgb(255, 255, 255);
    const QRgb schatten = ColorToQColor(ColorToRGB(clBtnShadow)).rgb();
    // Cell (1, 0): left 100, top 0, right 200, bottom 100 (exclusive).
    EXPECT_EQ(b.pixel(100, 0), weiss);
    EXPECT_EQ(b.pixel(100, 99), weiss); // the white line's start, left bottom
    EXPECT_EQ(b.pixel(198, 0), weiss);
    EXPECT_EQ(b.pixel(199, 0), schatten);
    EXPECT_EQ(b.pixel(199, 99), schatten);
    EXPECT_EQ(b.pixel(101, 99), schatten);
    EXPECT_NE(b.pixel(150, 50), weiss);
    // The hole bottom-right is navy all over, bevel included.
    for (const QPoint p : {QPoint(200, 200), QPoint(250, 250), QPoint(299, 299)})
        EXPECT_EQ(b.pixel(p), qRgb(0, 0, 128));
}

TEST(PuzzleEngine, ShuffleLeavesAtLeastOneTileOffHomeAndStartsTheClock)
{
    for (int n : {3, 4, 5}) {
        for (std::int32_t seed : {1, 42, 777777}) {
            Spiel s(n);
            std::uint32_t jetzt = 5000;
            s.P.Uhr = [&jetzt] { return jetzt; };
            Zufall::SetRandSeed(seed);
            s.P.Mischen();
            EXPECT_GE(s.P.AnzahlFalscheTeile(), 1);
            EXPECT_EQ(s.P.AnzahlZuege(), 0);
            EXPECT_EQ(s.P.Startzeit, 5000u);
            // Feld stays a permutation and the hole lies where its id is.
            std::vector<int> ids;
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    ids.push_back(s.P.Feld[c][r]);
            std::sort(ids.begin(), ids.end());
            for (int i = 0; i < n * n; ++i)
                EXPECT_EQ(ids[i], i);
            EXPECT_EQ(s.P.Feld[s.P.LeerSpalte][s.P.LeerZeile], n * n - 1);
        }
    }
}

TEST(PuzzleEngine, ShuffleWalksTheCountedStepsOfTheSequence)
{
    // An independent walk over the same draws: 216, 512 and 1000 counted steps,
    // off-board draws not counted.
    for (int n : {3, 4, 5}) {
        Spiel s(n);
        Zufall::SetRandSeed(2026);
        s.P.Mischen();

        Zufall::SetRandSeed(2026);
        int feld[5][5];
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                feld[c][r] = n * r + c;
        int lc = n - 1, lr = n - 1, falsche = 0;
        const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, -1, 0, 1};
        do {
            int schritte = n * n * (2 * n) * 4;
            EXPECT_EQ(schritte, n == 3 ? 216 : n == 4 ? 512 : 1000);
            while (schritte > 0) {
                const int k = Zufall::Random(4);
                const int c = lc + dx[k], r = lr + dy[k];
                if (c < 0 || c >= n || r < 0 || r >= n)
                    continue;
                std::swap(feld[lc][lr], feld[c][r]);
                lc = c;
                lr = r;
                --schritte;
            }
            falsche = 0;
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    falsche += feld[c][r] != n * r + c;
        } while (falsche < 1);
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                EXPECT_EQ(s.P.Feld[c][r], feld[c][r]) << n << ": " << c << "," << r;
    }
}

TEST(PuzzleEngine, EveryShuffleCanBeSolvedByNeighbourMoves)
{
    for (std::int32_t seed : {3, 99, 123456, -5}) {
        Spiel s(3);
        Zufall::SetRandSeed(seed);
        s.P.Mischen();
        const auto weg = LoesePuzzle3x3(s.P);
        ASSERT_FALSE(weg.empty()) << seed;
        int falscheVorLetztem = -1;
        bool geloest = false;
        for (size_t i = 0; i < weg.size(); ++i) {
            if (i + 1 == weg.size())
                falscheVorLetztem = s.P.AnzahlFalscheTeile();
            geloest = s.klick(weg[i].x(), weg[i].y());
            EXPECT_EQ(geloest, i + 1 == weg.size());
        }
        EXPECT_TRUE(geloest);
        EXPECT_EQ(s.P.AnzahlFalscheTeile(), 0);
        EXPECT_EQ(s.P.AnzahlZuege(), int(weg.size()));
        // The hole's cell counts: one move from home is two cells off.
        EXPECT_EQ(falscheVorLetztem, 2);
        // Solved: every further click says so and changes nothing.
        EXPECT_TRUE(s.klick(0, 0));
        EXPECT_EQ(s.P.AnzahlZuege(), int(weg.size()));
        EXPECT_FALSE(s.P.KannZiehen(s.mitte(0, 0).x(), s.mitte(0, 0).y(), false));
    }
}

TEST(PuzzleEngine, NeighbourModeMovesOnlyTilesBesideTheHole)
{
    Spiel s(4);
    Zufall::SetRandSeed(11);
    s.P.Mischen();
    const int lc = s.P.LeerSpalte, lr = s.P.LeerZeile;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            const int d = std::abs(c - lc) + std::abs(r - lr);
            EXPECT_EQ(s.P.KannZiehen(s.mitte(c, r).x(), s.mitte(c, r).y(), true), d == 1);
            EXPECT_EQ(s.P.KannZiehen(s.mitte(c, r).x(), s.mitte(c, r).y(), false), d >= 1);
            if (d == 1)
                continue;
            s.klick(c, r, true); // diagonal, farther away or the hole itself: no move
            EXPECT_EQ(s.P.AnzahlZuege(), 0);
            EXPECT_EQ(s.P.LeerSpalte, lc);
            EXPECT_EQ(s.P.LeerZeile, lr);
        }
}

TEST(PuzzleEngine, AMoveDrawsTheTileIntoTheHoleAndRepaintsBothCells)
{
    Spiel s(3, {300, 300}, {300, 300});
    Zufall::SetRandSeed(8);
    s.P.Mischen();
    const int lc = s.P.LeerSpalte, lr = s.P.LeerZeile;
    const int c = lc > 0 ? lc - 1 : lc + 1, r = lr;
    const QImage vorher = s.P.Brettbild().copy();
    const int id = s.P.Feld[c][r];
    s.klick(c, r);
    EXPECT_EQ(s.P.AnzahlZuege(), 1);
    EXPECT_EQ(s.P.Feld[lc][lr], id);
    EXPECT_EQ(s.P.LeerSpalte, c);
    const QImage& nachher = s.P.Brettbild();
    EXPECT_EQ(nachher.copy(lc * 100, lr * 100, 100, 100), vorher.copy(c * 100, r * 100, 100, 100));
    EXPECT_EQ(nachher.pixel(c * 100 + 50, r * 100 + 50), qRgb(0, 0, 128));
    EXPECT_EQ(s.Box.Letzter, QRect(std::min(c, lc) * 100, r * 100, 200, 100));
}

TEST(PuzzleEngine, AnyTileModeJumpsFromAfarAndCountsAClickOnTheHole)
{
    Spiel s(5);
    Zufall::SetRandSeed(5);
    s.P.Mischen();
    const int lc = s.P.LeerSpalte, lr = s.P.LeerZeile;
    const int c = (lc + 3) % 5, r = (lr + 2) % 5;
    const int id = s.P.Feld[c][r];
    s.klick(c, r, false);
    EXPECT_EQ(s.P.AnzahlZuege(), 1);
    EXPECT_EQ(s.P.Feld[lc][lr], id);
    EXPECT_EQ(s.P.LeerSpalte, c);
    EXPECT_EQ(s.P.LeerZeile, r);
    const int falsche = s.P.AnzahlFalscheTeile();
    s.klick(c, r, false);
    EXPECT_EQ(s.P.AnzahlZuege(), 2);
    EXPECT_EQ(s.P.AnzahlFalscheTeile(), falsche);
    EXPECT_EQ(s.P.LeerSpalte, c);
}

TEST(PuzzleEngine, ClicksOffTheBoardChangeNothing)
{
    Spiel s(3, {300, 300}, {300, 300});
    Zufall::SetRandSeed(17);
    s.P.Mischen();
    const QImage vorher = s.P.Brettbild().copy();
    for (const QPoint p : {QPoint(-1, 50), QPoint(50, -1), QPoint(-99, -99), QPoint(300, 10), QPoint(10, 300),
                           QPoint(100000, 100000), QPoint(-100000, 5)}) {
        EXPECT_FALSE(s.P.Klick(p.x(), p.y(), false));
        EXPECT_FALSE(s.P.KannZiehen(p.x(), p.y(), false));
    }
    EXPECT_EQ(s.P.AnzahlZuege(), 0);
    EXPECT_EQ(s.P.Brettbild(), vorher);
}

TEST(PuzzleEngine, ABoxSmallerThanTheBoardHasNoTilesAndIgnoresClicks)
{
    Spiel s(5, {4, 40});
    EXPECT_FALSE(s.P.HatBrett());
    EXPECT_EQ(s.P.TeilBreite, 0);
    s.P.Mischen();
    EXPECT_GE(s.P.AnzahlFalscheTeile(), 1);
    EXPECT_FALSE(s.P.Klick(0, 0, false));
    EXPECT_FALSE(s.P.Klick(2, 2, true));
    EXPECT_EQ(s.P.AnzahlZuege(), 0);
    // Growing the box again brings the tiles back with the board kept.
    const int feld00 = s.P.Feld[0][0];
    s.Box.Box = QSize(500, 500);
    s.P.NeuAufbauen();
    EXPECT_TRUE(s.P.HatBrett());
    EXPECT_EQ(s.P.Feld[0][0], feld00);
}

TEST(PuzzleEngine, AnEmptyPictureGivesNoGame)
{
    Ziel box({300, 300});
    TSchiebepuzzle P;
    P.Zielbild = &box;
    EXPECT_FALSE(P.NeuesSpiel(QImage(), 3, 3));
    EXPECT_FALSE(P.HatBrett());
    EXPECT_EQ(P.AnzahlFalscheTeile(), 0);
    EXPECT_FALSE(P.KannZiehen(10, 10, false));
    P.Klick(10, 10, false);
    EXPECT_EQ(P.AnzahlZuege(), 0);
    P.NeuAufbauen();
    EXPECT_EQ(P.AnzahlFalscheTeile(), 0);
}

TEST(PuzzleEngine, RedrawAtANewSizeKeepsBoardHoleAndMoves)
{
    Spiel s(4, {400, 400}, {800, 600});
    Zufall::SetRandSeed(21);
    s.P.Mischen();
    const int lc = s.P.LeerSpalte, lr = s.P.LeerZeile;
    s.klick(lc > 0 ? lc - 1 : lc + 1, lr);
    int feld[5][5];
    std::memcpy(feld, s.P.Feld, sizeof feld);
    const int hole[2] = {s.P.LeerSpalte, s.P.LeerZeile};
    s.Box.Box = QSize(1000, 900);
    s.P.NeuAufbauen();
    EXPECT_EQ(s.P.Brettbild().size(), QSize(1000, 748));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(s.P.Feld[c][r], feld[c][r]);
    EXPECT_EQ(s.P.LeerSpalte, hole[0]);
    EXPECT_EQ(s.P.LeerZeile, hole[1]);
    EXPECT_EQ(s.P.AnzahlZuege(), 1);
    // Each cell shows the home cell of its tile, stretched afresh.
    const QImage frisch = [&] {
        Spiel h(4, {1000, 900}, {800, 600});
        return h.P.Brettbild();
    }();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            if (c == hole[0] && r == hole[1])
                continue;
            const int id = feld[c][r];
            const QPoint z(c * 250 + 125, r * 187 + 90), q((id % 4) * 250 + 125, (id / 4) * 187 + 90);
            EXPECT_EQ(s.P.Brettbild().pixel(z), frisch.pixel(q)) << c << "," << r;
        }
}

TEST(PuzzleEngine, SolvedViewShowsThePictureWithoutHoleAtAnySize)
{
    Spiel s(3, {300, 300}, {300, 300});
    const QImage heim = s.P.Brettbild().copy();
    s.P.ZeigeGeloest();
    EXPECT_EQ(s.P.LeerSpalte, -1);
    EXPECT_EQ(s.P.LeerZeile, -1);
    EXPECT_NE(s.P.Brettbild().pixel(250, 250), qRgb(0, 0, 128));
    EXPECT_EQ(s.P.Brettbild().pixel(50, 50), heim.pixel(50, 50));
    s.Box.Box = QSize(600, 600);
    s.P.NeuAufbauen();
    EXPECT_EQ(s.P.LeerSpalte, -1);
    EXPECT_NE(s.P.Brettbild().pixel(500, 500), qRgb(0, 0, 128));
}

TEST(PuzzleEngine, TheSourceIsCopiedSoALaterPictureLeavesTheTiles)
{
    QImage quelle = bild(300, 300);
    Ziel box({300, 300});
    TSchiebepuzzle P;
    P.Zielbild = &box;
    P.NeuesSpiel(quelle, 3, 3);
    const QRgb vorher = P.Brettbild().pixel(50, 50);
    quelle.fill(Qt::red);
    P.NeuAufbauen();
    EXPECT_EQ(P.Brettbild().pixel(50, 50), vorher);
}

TEST(PuzzleEngine, ClockCountsMinutesAndSecondsAcrossATickWrap)
{
    struct Fall {
        std::uint32_t Start, Jetzt;
        const char* Text;
    };
    const Fall faelle[] = {
        {1000, 1000, "00:00"},       {1000, 1999, "00:00"},         {1000, 2000, "00:01"},
        {0, 61000, "01:01"},         {0xFFFFF000u, 61904, "01:06"}, // 4096 ms before the wrap, 61904 after
        {0xFFFFFFFFu, 999, "00:01"}, {0, 7265000, "121:05"},        // minutes are not capped
    };
    for (const Fall& f : faelle) {
        Spiel s(3);
        std::uint32_t jetzt = f.Start;
        s.P.Uhr = [&jetzt] { return jetzt; };
        s.P.Mischen();
        jetzt = f.Jetzt;
        EXPECT_EQ(s.P.Spielzeit(), QString::fromLatin1(f.Text)) << f.Start << " " << f.Jetzt;
    }
}

TEST(PuzzleEngine, ScreenTexts)
{
    EXPECT_EQ(PuzzleGeloestText(true, QStringLiteral("31"), QStringLiteral("01:02")),
              QStringLiteral(
                  "Herzlichen Glückwunsch! Du hast das Schiebepuzzle mit 31 Zügen in einer Zeit von 01:02 gelöst!"));
    EXPECT_EQ(PuzzleGeloestText(false, QStringLiteral("7"), QStringLiteral("00:09")),
              QStringLiteral(
                  "Herzlichen Glückwunsch! Sie haben das Schiebepuzzle mit 7 Zügen in einer Zeit von 00:09 gelöst!"));
    EXPECT_EQ(PuzzleNeustartText(),
              QStringLiteral("Die Einstellung wirkt sich erst nach einem Neustart des Schiebepuzzles "
                             "aus. (Schaltfeld \"Puzzle\" erneut anklicken.)"));
}
