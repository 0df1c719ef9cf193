// The label renderer, checked through a recording device behind the real canvas (positions,
// fonts, colours, order) and by a few pixels of a real render.

#include "MapAufzeichnung.h"
#include "MapTestDruck.h"

#include "learning/mapview/zl_beschriftung.h"
#include "learning/mapview/zl_viewport.h"
#include "platform/GesetzterText.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zl
{
namespace
{

using test::Aufzeichnung;
using test::AufzeichnungsGeraet;

ObjDataTyp Label(const char* Karte, const char* Typ, double Px, double Py, const QString& Bez, int dx = 0, int dy = 0,
                 int Intens = 1)
{
    ObjDataTyp o;
    o.KartID = QLatin1String(Karte);
    o.ObjTyp = QLatin1String(Typ);
    o.Px = Px;
    o.Py = Py;
    o.Bez = Bez;
    o.dx = std::int8_t(dx);
    o.dy = std::int8_t(dy);
    o.Intens = Intens;
    return o;
}

struct Lauf {
    QList<ObjDataTyp> Objekte;
    TBeschriftungsZustand Z;
    Lauf()
    {
        Z.Objekte = &Objekte;
        Z.AktKartID = QStringLiteral("DEU");
        Z.Kartenschrift = 1;
        Z.LernIntensitaet = 3;
    }
    std::unique_ptr<AufzeichnungsGeraet> Zeichne(int W = 1000, int H = 800, double s = 1.0, int Index = -1,
                                                 TRect A = kGanzeKarte, int xo = 0, int yo = 0)
    {
        auto g = std::make_unique<AufzeichnungsGeraet>(W + xo, H + yo);
        QPainter p(g.get());
        TCanvas c(&p);
        ZeichneBeschriftungen(c, xo, yo, W, H, s, Index, A, Z);
        return g;
    }
};

// The reference point (centre x, top y) a text was drawn for, as TA_CENTER | TA_TOP places it.
QPoint Bezugspunkt(const Aufzeichnung& t, AufzeichnungsGeraet& g)
{
    const QFontMetrics fm(t.font, &g);
    const int w = fm.horizontalAdvance(t.text);
    return QPoint(int(std::lround(t.punkt.x())) - (-w) / 2, int(std::lround(t.punkt.y())) - fm.ascent());
}

int Zeilenmass(const QFont& f, AufzeichnungsGeraet& g)
{
    const QFontMetrics fm(f, &g);
    return RundeGerade(0.8 * (fm.ascent() + fm.descent()));
}

TEST(Beschriftung, CityCircleAndCentredTextAboveThePoint)
{
    Lauf l;
    l.Objekte = {Label("DEU", "S", 0.5, 0.5, QStringLiteral("Stadt"))};
    auto g = l.Zeichne();
    ASSERT_EQ(g->eintraege.size(), 2u);
    const Aufzeichnung& k = g->eintraege[0];
    ASSERT_EQ(k.art, Aufzeichnung::Ellipse);
    // r3 = round(3 x 0.7) = 2: corners (498, 398) and (503, 403).
    EXPECT_EQ(k.rect, QRectF(498.5, 398.5, 4, 4));
    EXPECT_EQ(k.pinsel, QColor(255, 255, 255));
    EXPECT_EQ(k.stift, QColor(0, 0, 0));
    const Aufzeichnung& t = g->eintraege[1];
    ASSERT_EQ(t.art, Aufzeichnung::Text);
    EXPECT_EQ(t.text, QStringLiteral("Stadt"));
    EXPECT_EQ(t.font.pixelSize(), 12); // h0 - 1 with h0 = 13
    EXPECT_EQ(t.font.family(), QStringLiteral("Arial"));
    EXPECT_FALSE(t.font.bold());
    EXPECT_EQ(t.stift, QColor(0, 0, 0));
    const int lh = Zeilenmass(t.font, *g);
    EXPECT_EQ(Bezugspunkt(t, *g), QPoint(500, 400 + RundeGerade(-0.65 * lh)));
}

TEST(Beschriftung, StyleOfEveryTypeCode)
{
    struct Fall {
        const char* Typ;
        int Pixel;
        bool Fett, Kursiv, Unterstrichen;
        QColor Farbe;
        QString Text;
    };
    // Scale 1, normal size: fsize 13, h0 13.
    const Fall Faelle[] = {
        {"L", 14, true, false, false, QColor(0, 0, 0), QStringLiteral("Name")},
        {"UG", 14, true, false, false, QColor(0, 0, 0), QStringLiteral("Name")},
        {"IS", 14, true, false, false, QColor(0, 0, 0), QStringLiteral("Name")},
        {"LX", 20, true, false, false, QColor(128, 128, 128), QStringLiteral("N    A    M    E")},
        {"K", 20, true, false, false, QColor(128, 128, 128), QStringLiteral("N    A    M    E")},
        {"I", 12, false, true, false, QColor(0, 0, 0), QStringLiteral("Name")},
        {"G", 12, false, true, false, QColor(0, 0, 160), QStringLiteral("Name")},
        {"GB", 12, false, true, false, QColor(110, 76, 38), QStringLiteral("Name")},
        {"B", 12, false, true, false, QColor(110, 76, 38), QStringLiteral("Name")},
        {"H", 12, false, false, true, QColor(0, 0, 0), QStringLiteral("Name")},
        {"S", 12, false, false, false, QColor(0, 0, 0), QStringLiteral("Name")},
    };
    for (const Fall& f : Faelle) {
        SCOPED_TRACE(f.Typ);
        Lauf l;
        l.Objekte = {Label("DEU", f.Typ, 0.5, 0.5, QStringLiteral("Name"))};
        auto g = l.Zeichne();
        const auto t = g->texte();
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].text, f.Text);
        EXPECT_EQ(t[0].font.pixelSize(), f.Pixel);
        EXPECT_EQ(t[0].font.bold(), f.Fett);
        EXPECT_EQ(t[0].font.italic(), f.Kursiv);
        EXPECT_EQ(t[0].font.underline(), f.Unterstrichen);
        EXPECT_EQ(t[0].stift, f.Farbe);
    }
}

TEST(Beschriftung, SymbolsOfCapitalsAndMountains)
{
    Lauf l;
    l.Objekte = {Label("DEU", "H", 0.1, 0.1, QStringLiteral("H")), Label("DEU", "B", 0.5, 0.5, QStringLiteral("B"))};
    auto g = l.Zeichne(1000, 1000, 2.0);
    // s = 2: k = 1.4, r3 = 4, r5 = 7, r6 = 8.
    ASSERT_EQ(g->eintraege[0].art, Aufzeichnung::Ellipse);
    EXPECT_EQ(g->eintraege[0].rect, QRectF(96.5, 96.5, 8, 8));
    EXPECT_EQ(g->eintraege[0].pinsel, QColor(255, 0, 0));
    const Aufzeichnung* Dreieck = nullptr;
    for (const auto& a : g->eintraege)
        if (a.art == Aufzeichnung::Polygon && a.pinsel.isValid())
            Dreieck = &a;
    ASSERT_NE(Dreieck, nullptr);
    EXPECT_EQ(Dreieck->pinsel, QColor(255, 228, 190));
    EXPECT_EQ(Dreieck->polygon, QPolygonF({QPointF(493, 504), QPointF(500, 492), QPointF(507, 504)}));
}

TEST(Beschriftung, GreyCountryAndContinentNamesComeFirst)
{
    Lauf l;
    l.Objekte = {Label("DEU", "S", 0.2, 0.2, QStringLiteral("A")), Label("DEU", "LX", 0.3, 0.3, QStringLiteral("B")),
                 Label("DEU", "L", 0.4, 0.4, QStringLiteral("C")), Label("DEU", "K", 0.5, 0.5, QStringLiteral("D")),
                 Label("DEU", "G", 0.6, 0.6, QStringLiteral("E"))};
    auto g = l.Zeichne();
    QStringList Reihe;
    for (const auto& t : g->texte())
        Reihe << t.text;
    EXPECT_EQ(Reihe, QStringList({QStringLiteral("B"), QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("C"),
                                  QStringLiteral("E")}));
    // Without the Länder layer neither pass draws an L, LX or K label.
    l.Z.Ebenen[0] = false;
    Reihe.clear();
    for (const auto& t : l.Zeichne()->texte())
        Reihe << t.text;
    EXPECT_EQ(Reihe, QStringList({QStringLiteral("A"), QStringLiteral("E")}));
}

TEST(Beschriftung, WhatIsNotDrawn)
{
    Lauf l;
    l.Z.LernIntensitaet = 1;
    l.Objekte = {Label("EUR", "S", 0.5, 0.5, QStringLiteral("other map")),
                 Label("deu", "S", 0.5, 0.5, QStringLiteral("other case")),
                 Label("DEU", "S", 0.5, 0.5, QStringLiteral("too high"), 0, 0, 2),
                 Label("DEU", "XY", 0.5, 0.5, QStringLiteral("unknown code")),
                 Label("DEU", "s", 0.5, 0.5, QStringLiteral("lower-case code")),
                 Label("DEU", "S", 0.5, 0.5, QStringLiteral("always"), 0, 0, 0)};
    const auto t = l.Zeichne()->texte();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, QStringLiteral("always"));
}

TEST(Beschriftung, LayerItemsGateEachRow)
{
    Lauf l;
    l.Objekte = {Label("DEU", "S", 0.5, 0.5, QStringLiteral("Stadt")),
                 Label("DEU", "IS", 0.3, 0.3, QStringLiteral("Malta"))};
    l.Z.Ebenen = {false, false, true, true, true, true};
    auto g = l.Zeichne();
    ASSERT_EQ(g->eintraege.size(), 1u); // no circle and no text for the city
    EXPECT_EQ(g->eintraege[0].text, QStringLiteral("Malta"));
    EXPECT_TRUE(g->eintraege[0].font.bold());
    l.Z.Ebenen[4] = false;
    EXPECT_TRUE(l.Zeichne()->eintraege.empty());
}

TEST(Beschriftung, HaloDrawsEightWhiteCopiesFirst)
{
    Lauf l;
    l.Z.Kartenschrift = 0;
    l.Objekte = {Label("DEU", "G", 0.5, 0.5, QStringLiteral("See"))};
    auto g = l.Zeichne();
    const auto t = g->texte();
    ASSERT_EQ(t.size(), 9u);
    const QPoint Mitte = Bezugspunkt(t[8], *g);
    EXPECT_EQ(t[8].stift, QColor(0, 0, 160));
    QList<QPoint> Versatz;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(t[i].stift, QColor(255, 255, 255));
        Versatz << Bezugspunkt(t[i], *g) - Mitte;
    }
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) {
                EXPECT_TRUE(Versatz.contains(QPoint(dx, dy))) << dx << "," << dy;
            }
}

TEST(Beschriftung, PlacementAndLines)
{
    Lauf l;
    // dx = +3: centre moves by three quarters of the widest line plus 7k; dy = 1 one line lower.
    l.Objekte = {Label("DEU", "G", 0.5, 0.5, QStringLiteral("Golf von|Biskaya"), 3, 1)};
    auto g = l.Zeichne();
    const auto t = g->texte();
    ASSERT_EQ(t.size(), 2u);
    const QFontMetrics fm(t[0].font, g.get());
    const int W =
        std::max(fm.horizontalAdvance(QStringLiteral("Golf von")), fm.horizontalAdvance(QStringLiteral("Biskaya")));
    const int lh = Zeilenmass(t[0].font, *g);
    const int xo = RundeGerade(7 * 0.7 + 3 * W / 4.0), yo = RundeGerade((1 - 0.65) * lh);
    EXPECT_EQ(Bezugspunkt(t[0], *g), QPoint(500 + xo, 400 + yo - lh));
    EXPECT_EQ(Bezugspunkt(t[1], *g), QPoint(500 + xo, 400 + yo + lh));

    // Placements beyond -3..+3 are held at the ends.
    Lauf m;
    m.Objekte = {Label("DEU", "G", 0.5, 0.5, QStringLiteral("Golf von|Biskaya"), 100, 1)};
    auto h = m.Zeichne();
    EXPECT_EQ(Bezugspunkt(h->texte()[0], *h), Bezugspunkt(t[0], *g));
}

TEST(Beschriftung, SpacedCapitals)
{
    EXPECT_EQ(GesperrteGrossschrift(QStringLiteral("Groß|reich")),
              QStringLiteral("G    R    O    S    S|R    E    I    C    H"));
    EXPECT_EQ(GesperrteGrossschrift(QString()), QString());
    // No length limit.
    EXPECT_EQ(GesperrteGrossschrift(QString(300, QLatin1Char('a'))).size(), 300 + 299 * 4);

    Lauf l;
    l.Objekte = {Label("DEU", "LX", 0.5, 0.5, QStringLiteral("Ab|cd"))};
    const auto t = l.Zeichne()->texte();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, QStringLiteral("A    B"));
    EXPECT_EQ(t[1].text, QStringLiteral("C    D"));
}

TEST(Beschriftung, GermanStateMapsAreLarger)
{
    Lauf l;
    l.Objekte = {Label("DNDS", "S", 0.5, 0.5, QStringLiteral("x")), Label("DEU", "S", 0.5, 0.5, QStringLiteral("x"))};
    l.Z.AktKartID = QStringLiteral("DNDS");
    auto g = l.Zeichne();
    // s = 1.2: fsize 15.6, h0 16; r3 = round(2.52) = 3.
    EXPECT_EQ(g->texte()[0].font.pixelSize(), 15);
    EXPECT_EQ(g->eintraege[0].rect.width(), 6.0);
    l.Z.AktKartID = QStringLiteral("DEU");
    auto h = l.Zeichne();
    EXPECT_EQ(h->texte()[0].font.pixelSize(), 12);
}

TEST(Beschriftung, DiscsOfKdLabels)
{
    struct Fall {
        QString Bez;
        bool Gezeichnet;
    };
    const Fall Faelle[] = {
        {QStringLiteral("1|FF0000|1"), true},     {QStringLiteral("1|ff0000|1"), true},
        {QStringLiteral("0|FF0000|1"), false},    {QStringLiteral("x|FF0000|1"), false},
        {QStringLiteral("1|GG0000|1"), false},    {QStringLiteral("1|FF0000"), false},
        {QStringLiteral("1|1234567|1"), false},   {QStringLiteral("1||1"), false},
        {QStringLiteral("1|FF0000|0"), false},    {QStringLiteral("1|FF0000|-2"), false},
        {QStringLiteral("1|FF0000|abc"), false},  {QString(), false},
        {QStringLiteral("1|FF0000|1e300"), true}, // held inside the int range
    };
    for (const Fall& f : Faelle) {
        SCOPED_TRACE(f.Bez.toStdString());
        Lauf l;
        l.Objekte = {Label("DEU", "KD", 0.5, 0.5, f.Bez)};
        auto g = l.Zeichne();
        EXPECT_TRUE(g->texte().empty());
        EXPECT_EQ(!g->eintraege.empty(), f.Gezeichnet);
    }
    Lauf l;
    l.Objekte = {Label("DEU", "KD", 0.5, 0.5, QStringLiteral("1|FF0000|1"))};
    auto g = l.Zeichne();
    ASSERT_EQ(g->eintraege.size(), 1u);
    // Radius round(0.7 x 50 x 1) = 35, colour $FF0000 = blue.
    EXPECT_EQ(g->eintraege[0].rect, QRectF(465.5, 365.5, 70, 70));
    EXPECT_EQ(g->eintraege[0].pinsel, QColor(0, 0, 255));
}

TEST(Beschriftung, SymbolOnlyModeOfTheQuestionPicture)
{
    Lauf l;
    l.Objekte = {Label("EUR", "S", 0.5, 0.5, QStringLiteral("Stadt"), 0, 0, 3),
                 Label("EUR", "L", 0.5, 0.5, QStringLiteral("Land")),
                 Label("EUR", "B", 0.5, 0.5, QStringLiteral("Berg"))};
    l.Z.Ebenen = {false, false, false, false, false, false};
    l.Z.LernIntensitaet = 1;
    l.Z.Ansichtsmodus = 3;
    auto g = l.Zeichne(1000, 800, 1.0, 0);
    ASSERT_EQ(g->eintraege.size(), 1u);
    EXPECT_EQ(g->eintraege[0].art, Aufzeichnung::Ellipse);
    EXPECT_TRUE(l.Zeichne(1000, 800, 1.0, 1)->eintraege.empty()); // a country has no symbol
    EXPECT_FALSE(l.Zeichne(1000, 800, 1.0, 2)->eintraege.empty());
    EXPECT_TRUE(l.Zeichne(1000, 800, 1.0, 3)->eintraege.empty()); // stale index
    EXPECT_TRUE(l.Zeichne(1000, 800, 1.0, -5)->eintraege.empty());
    l.Z.Ansichtsmodus = 2;
    EXPECT_TRUE(l.Zeichne(1000, 800, 1.0, 0)->eintraege.empty());
}

TEST(Beschriftung, MapToPixelThroughTheSection)
{
    Lauf l;
    l.Objekte = {Label("DEU", "KD", 0.25, 0.25, QStringLiteral("1|0|0.1")),
                 Label("DEU", "KD", 0.75, 0.75, QStringLiteral("1|0|0.1"))};
    // Section (2500, 2500, 7500, 7500) onto 400 x 300 at offset (10, 20): radius round(3.5) = 4.
    auto g = l.Zeichne(400, 300, 1.0, -1, TRect{2500, 2500, 7500, 7500}, 10, 20);
    ASSERT_EQ(g->eintraege.size(), 2u);
    EXPECT_EQ(g->eintraege[0].rect.center(), QPointF(10.5, 20.5));
    EXPECT_EQ(g->eintraege[1].rect.center(), QPointF(410.5, 320.5));
}

TEST(Beschriftung, BadTargetsDrawNothing)
{
    Lauf l;
    l.Objekte = {Label("DEU", "S", 0.5, 0.5, QStringLiteral("Stadt"))};
    EXPECT_TRUE(l.Zeichne(0, 0)->eintraege.empty());
    EXPECT_TRUE(l.Zeichne(100, 100, 1.0, -1, TRect{5000, 0, 5000, 10000})->eintraege.empty());
    EXPECT_TRUE(l.Zeichne(100, 100, std::numeric_limits<double>::quiet_NaN())->eintraege.empty());
    EXPECT_TRUE(l.Zeichne(100, 100, -1.0)->eintraege.empty());
    // Out-of-range settings are held at the nearest valid value.
    l.Z.FontFakIndex = 7;
    l.Z.LernIntensitaet = 9;
    l.Z.Kartenschrift = -4;
    const auto t = l.Zeichne()->texte();
    ASSERT_EQ(t.size(), 9u);              // contrast
    EXPECT_EQ(t[8].font.pixelSize(), 14); // size index 2: h0 15
    // A scale that makes the text height 0 still gives a font of at least one pixel.
    l.Z.FontFakIndex = 0;
    const auto u = l.Zeichne(1000, 800, 0.05)->texte();
    ASSERT_FALSE(u.empty());
    EXPECT_GE(u.back().font.pixelSize(), 1);
}

TEST(Beschriftung, PixelsOfARealRender)
{
    QList<ObjDataTyp> Objekte = {Label("DEU", "KD", 0.5, 0.5, QStringLiteral("1|00FF00|0.5")),
                                 Label("DEU", "H", 0.25, 0.25, QStringLiteral("Hauptstadt"), 0, -3),
                                 Label("DEU", "L", 0.5, 0.85, QStringLiteral("WWWW"))};
    TBeschriftungsZustand Z;
    Z.Objekte = &Objekte;
    Z.AktKartID = QStringLiteral("DEU");
    Z.Kartenschrift = 0;
    QImage Bild(200, 200, QImage::Format_RGB32);
    Bild.fill(QColor(0, 0, 128));
    {
        QPainter p(&Bild);
        TCanvas c(&p);
        ZeichneBeschriftungen(c, 0, 0, 200, 200, 2.0, -1, kGanzeKarte, Z);
    }
    // The disc: radius round(1.4 x 50 x 0.5) = 35, green inside, black rim, untouched outside.
    EXPECT_EQ(Bild.pixelColor(100, 100), QColor(0, 255, 0));
    EXPECT_EQ(Bild.pixelColor(100, 140), QColor(0, 0, 128));
    // The capital's circle is filled red.
    EXPECT_EQ(Bild.pixelColor(50, 50), QColor(255, 0, 0));
    // The halo leaves white pixels around the black country name.
    int Weiss = 0, Schwarz = 0;
    for (int y = 150; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor c = Bild.pixelColor(x, y);
            Weiss += c == QColor(255, 255, 255);
            Schwarz += c == QColor(0, 0, 0);
        }
    EXPECT_GT(Weiss, 20);
    EXPECT_GT(Schwarz, 20);
}

// The largest channel difference between two pictures of one size.
int GroessteAbweichung(const QImage& a, const QImage& b)
{
    int Max = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            Max = std::max(
                {Max, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return Max;
}

TEST(Beschriftung, CachedTextGivesThePixelsOfTextOut)
{
    QList<ObjDataTyp> Objekte;
    const char* Typen[] = {"L", "UG", "IS", "LX", "K", "I", "G", "GB", "B", "H", "S"};
    for (int i = 0; i < 11; ++i)
        Objekte.append(Label("DEU", Typen[i], 0.1 + 0.08 * i, 0.15 + 0.07 * i,
                             i % 2 ? QStringLiteral("Nord-|rhein West|falen") : QStringLiteral("Groß Äpfel Wü"),
                             i % 7 - 3, i % 5 - 2));
    LeereTextsatzCache();
    // Two backgrounds: a cached label picture must carry nothing of the map it was made on.
    const QColor Hintergruende[2] = {QColor(120, 160, 200), QColor(240, 200, 90)};
    for (const QColor& Grund : Hintergruende)
        for (int Stil = 0; Stil <= 1; ++Stil)
            for (double s : {0.8, 0.96, 1.7}) {
                SCOPED_TRACE(testing::Message()
                             << "style " << Stil << " scale " << s << " ground " << Grund.name().toStdString());
                auto Zeichne = [&](bool NurTextOut) {
                    TBeschriftungsZustand Z;
                    Z.Objekte = &Objekte;
                    Z.AktKartID = QStringLiteral("DEU");
                    Z.LernIntensitaet = 3;
                    Z.Kartenschrift = Stil;
                    Z.NurTextOut = NurTextOut;
                    QImage Bild(600, 500, QImage::Format_RGB32);
                    Bild.fill(Grund);
                    QPainter p(&Bild);
                    TCanvas c(&p);
                    ZeichneBeschriftungen(c, 0, 0, 600, 500, s, -1, kGanzeKarte, Z);
                    return Bild;
                };
                const QImage Bezug = Zeichne(true);
                const QImage Erstes = Zeichne(false);
                const int Gesetzt = TextsatzZaehler();
                const QImage Zweites = Zeichne(false);
                // The second drawing shapes nothing and gives the first one's pixels.
                EXPECT_EQ(TextsatzZaehler(), Gesetzt);
                EXPECT_EQ(Zweites, Erstes);
                // The label picture is blended once instead of glyph by glyph: rounding only.
                EXPECT_LE(GroessteAbweichung(Erstes, Bezug), 2);
                QImage Leer(600, 500, QImage::Format_RGB32);
                Leer.fill(Grund);
                EXPECT_GT(GroessteAbweichung(Erstes, Leer), 100); // the labels are there
            }
}

} // namespace
} // namespace zl
