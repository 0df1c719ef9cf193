#include "AbHilfen.h"

#include "datastore/Kartenbilder.h"
#include "learning/mapview/zl_viewport.h"
#include "platform/MessageService.h"
#include "worksheet/ab_beschriftung.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_seite.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zl::ab
{
namespace
{

using test::Obj;

// The texts of a page with their reference points and colours, in drawing order.
struct Text {
    QPoint p;
    QString t;
    TColor farbe;
};
QList<Text> Texte(const TMetafile& mf)
{
    QList<Text> l;
    TColor farbe = clBlack;
    for (const TMetaRecord& r : mf.Datensaetze()) {
        if (const auto* f = std::get_if<MfFont>(&r))
            farbe = f->Font.Color;
        if (const auto* t = std::get_if<MfText>(&r))
            l.append({t->Punkt, t->Text, farbe});
    }
    return l;
}
template <class T> int Anzahl(const TMetafile& mf)
{
    return int(std::count_if(mf.Datensaetze().begin(), mf.Datensaetze().end(),
                             [](const TMetaRecord& d) { return std::holds_alternative<T>(d); }));
}
const Text* Finde(const QList<Text>& l, const QString& t)
{
    for (const Text& x : l)
        if (x.t == t)
            return &x;
    return nullptr;
}

// The bundled worksheet folder, and a worksheet of the map FRAN.
class AbSeiteTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite() { DatenInitialisieren(test::FoliavoVerz()); }
    static void TearDownTestSuite() { DatenFreigeben(); }
    ArbeitsblattDataTyp Blatt(int n, int thema = 0)
    {
        ArbeitsblattDataTyp a;
        a.KartID = QStringLiteral("WELT");
        a.Thema = thema;
        a.Intens = 2;
        QList<ObjDataTyp> o;
        for (int i = 0; i < n; ++i)
            o.append(Obj("WELT", i % 2 ? "S" : "G", 0.05 + 0.03 * i, 0.5,
                         QStringLiteral("Name %1").arg(i, 2, 10, QLatin1Char('0')), 1));
        QList<int> alle;
        for (int i = 0; i < n; ++i)
            alle.append(i);
        UebernimmAuswahl(a, o, alle);
        return a;
    }
    ScopedMessageRecorder rec;
};

TEST_F(AbSeiteTest, HeaderTitleTaskAndFooter)
{
    ArbeitsblattDataTyp a = Blatt(4);
    ABVoreinstellungen v;
    v.TitelText = QStringLiteral("%thema% auf %karte%, %karte%");
    TSeite s = ZeichneArbeitsblatt(a, v, KartenName(a.KartID));
    ASSERT_TRUE(s.Metafile);
    EXPECT_TRUE(s.Warnung.isEmpty()) << s.Warnung.toStdString();
    EXPECT_EQ(s.Metafile->Groesse(), QSize(1001, 1625));
    const QList<Text> t = Texte(*s.Metafile);
    ASSERT_TRUE(Finde(t, QStringLiteral("Name:")));
    EXPECT_EQ(Finde(t, QStringLiteral("Name:"))->p, QPoint(0, 0));
    EXPECT_EQ(Finde(t, QStringLiteral("Klasse:"))->p, QPoint(500, 0));
    EXPECT_EQ(Finde(t, QStringLiteral("Datum:"))->p, QPoint(750, 0));
    const Text* titel = Finde(t, QStringLiteral("Länder/Staaten auf Welt, Welt"));
    ASSERT_TRUE(titel);
    EXPECT_EQ(titel->p.x(), 500);
    EXPECT_TRUE(Finde(t, kProduktTitel));
    EXPECT_TRUE(Finde(t, kWebAdresse));
    EXPECT_EQ(Anzahl<MfBitmap>(*s.Metafile), 1);
    // The world's picture is wider than 1000 : 812: the map is 1000 wide.
    EXPECT_EQ(s.Karte.width(), 1000);
    EXPECT_LE(s.Karte.height(), 812);

    // Without the class item the date keeps its place; without any item the title moves up.
    v.KlasseZeile = false;
    const QList<Text> t2 = Texte(*ZeichneArbeitsblatt(a, v, KartenName(a.KartID)).Metafile);
    EXPECT_FALSE(Finde(t2, QStringLiteral("Klasse:")));
    EXPECT_EQ(Finde(t2, QStringLiteral("Datum:"))->p, QPoint(750, 0));
    v.NameZeile = v.DatumZeile = false;
    v.TitelText.clear();
    v.AufgTextA.clear();
    const TSeite leer = ZeichneArbeitsblatt(a, v, QString());
    EXPECT_EQ(leer.Karte.top(), 0); // the map right at the top
}

TEST_F(AbSeiteTest, TallMapIs812HighAndCentred)
{
    ArbeitsblattDataTyp a = Blatt(2);
    a.KartID = QStringLiteral("DEU");
    const TSeite s = ZeichneArbeitsblatt(a, ABVoreinstellungen{}, KartenName(a.KartID));
    EXPECT_EQ(s.Karte.height(), 812);
    EXPECT_LT(s.Karte.width(), 1000);
    EXPECT_EQ(s.Karte.left(), (1000 - s.Karte.width()) / 2);
}

TEST_F(AbSeiteTest, AnswerListColumnsAndRowLimit)
{
    for (int n : {7, 30}) {
        ArbeitsblattDataTyp a = Blatt(n);
        a.Aufgabe = 0;
        if (n == 30)
            a.KartID = QStringLiteral("DEU"); // a tall map: the last rows do not fit
        const QList<Text> t = Texte(*ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QString()).Metafile);
        QList<QPoint> nummern;
        for (int m = 1; m <= n; ++m)
            if (const Text* x = Finde(t, QString::number(m)))
                nummern.append(x->p);
        // Column 1 holds (n + 1) / 2 rows at x 22, column 2 the rest at 519 + 22; rows starting
        // below the lower limit are left out (30 entries on a page with a tall map).
        int links = 0, rechts = 0;
        for (const QPoint& p : nummern) {
            links += p.x() == 22;
            rechts += p.x() == 541;
            EXPECT_LE(p.y(), kH);
        }
        if (n == 7) {
            EXPECT_EQ(links, 4);
            EXPECT_EQ(rechts, 3);
        } else {
            EXPECT_GT(links, 5);
            EXPECT_EQ(links, rechts);
            EXPECT_LT(links, 15);
        }
    }
}

TEST_F(AbSeiteTest, SolutionMarksOnly)
{
    ArbeitsblattDataTyp a = Blatt(6);
    a.Lsg = true;
    a.Komplett = false;
    for (int aufgabe = 0; aufgabe < 4; ++aufgabe) {
        a.Aufgabe = aufgabe;
        const TSeite s = ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QStringLiteral("Europa"));
        EXPECT_EQ(Anzahl<MfBitmap>(*s.Metafile), 0) << aufgabe;
        EXPECT_EQ(Anzahl<MfRectangle>(*s.Metafile), 0) << aufgabe;
        const QList<Text> t = Texte(*s.Metafile);
        ASSERT_EQ(t.size(), 6) << aufgabe; // only the marks of the task
        for (const Text& x : t)
            EXPECT_EQ(x.farbe, TColor(0x0000FF)) << aufgabe << " " << x.t.toStdString();
        if (aufgabe >= 2) {
            EXPECT_EQ(t[0].p.x(), 62);
            EXPECT_TRUE(t[0].t.startsWith(QLatin1String("Name ")));
        }
    }
    // With "Komplett" the whole sheet, task A's numbers red in the boxes on the map.
    a.Komplett = true;
    a.Aufgabe = 0;
    const TSeite s = ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QStringLiteral("Europa"));
    EXPECT_EQ(Anzahl<MfBitmap>(*s.Metafile), 1);
    int rot = 0;
    for (const Text& x : Texte(*s.Metafile))
        rot += x.farbe == TColor(0x0000FF);
    EXPECT_EQ(rot, 6);
}

TEST_F(AbSeiteTest, GivenNamesForTaskC)
{
    ArbeitsblattDataTyp a = Blatt(3);
    a.Aufgabe = 2;
    const QList<Text> t = Texte(*ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QString()).Metafile);
    EXPECT_TRUE(Finde(t, QStringLiteral("Name 00 - Name 01 - Name 02")));
    EXPECT_FALSE(Finde(t, QStringLiteral("Name 00"))); // the list's names stay empty lines
}

TEST_F(AbSeiteTest, MixHints)
{
    ArbeitsblattDataTyp a = Blatt(2, 5);
    const QList<Text> t = Texte(*ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QString()).Metafile);
    EXPECT_TRUE(Finde(t, QStringLiteral("(Gewässer)")));
    EXPECT_TRUE(Finde(t, QStringLiteral("(Stadt)")));
}

TEST_F(AbSeiteTest, MissingOrDamagedPictureGivesAPageWithoutMap)
{
    const QString alt = KartenVerz;
    QTemporaryDir dir;
    KartenVerz = dir.path() + u'/';
    ArbeitsblattDataTyp a = Blatt(3);
    TSeite s = ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QString());
    EXPECT_EQ(Anzahl<MfBitmap>(*s.Metafile), 0);
    EXPECT_TRUE(s.Warnung.contains(QLatin1String("WELT-RS"))) << s.Warnung.toStdString();
    EXPECT_EQ(s.Karte.size(), QSize(1000, 812));

    QFile f(dir.filePath(QStringLiteral("EURO-RS-1.jpg")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xFF\xD8\xFF\xE0 kaputt", 12));
    f.close();
    s = ZeichneArbeitsblatt(a, ABVoreinstellungen{}, QString());
    EXPECT_EQ(Anzahl<MfBitmap>(*s.Metafile), 0);
    EXPECT_FALSE(s.Warnung.isEmpty());
    EXPECT_TRUE(rec.entries().isEmpty()); // the page itself shows no box
    KartenVerz = alt;
}

TEST_F(AbSeiteTest, ExportPictureSizes)
{
    const TSeite s = ZeichneArbeitsblatt(Blatt(3), ABVoreinstellungen{}, QString());
    EXPECT_EQ(Seitenbild(*s.Metafile).size(), QSize(1001, 1625));
    EXPECT_EQ(Exportbild(*s.Metafile).size(), QSize(1000, 1623));
    EXPECT_EQ(SeitenbreitePanel(832), QSize(800, 1275));
    EXPECT_EQ(GanzeSeitePanel(1316), QSize(RundeGerade((1300 * 1600.0 - 64000) / 2600 + 40), 1300));
}

// The renderer's box of one entry, at the worksheet's scale 2.5.
TEST(AbBeschriftung, BoxAndNumberOfOneEntry)
{
    const struct {
        int dx, dy;
        QRect box; // X + bx - ux .. X + bx + ux (right/bottom exclusive)
    } faelle[] = {
        {0, 0, QRect(QPoint(480, 482), QPoint(519, 517))},
        {2, -1, QRect(QPoint(509, 455), QPoint(548, 490))},
    };
    for (const auto& f : faelle) {
        QImage bild(1000, 1000, QImage::Format_RGB32);
        bild.fill(Qt::gray);
        ObjDataTyp o = Obj("M", "S", 0.5, 0.5, QStringLiteral("X"), 1, f.dx, f.dy);
        TABBeschriftungsZustand z;
        z.Ansichtsmodus = 5;
        {
            TCanvas c(&bild);
            ZeichneBeschriftungen(c, 0, 0, 1000, 1000, 2.5, &o, kLeeresKaestchen, TRect{0, 0, 10000, 10000}, false,
                                  true, z);
        }
        // The black frame on the box's edges, white inside, the background outside.
        const QRgb grau = QColor(Qt::gray).rgb();
        EXPECT_EQ(bild.pixel(f.box.center()), qRgb(255, 255, 255)) << f.dx;
        EXPECT_EQ(bild.pixel(f.box.left() + 1, f.box.top() + 1), qRgb(255, 255, 255)) << f.dx;
        EXPECT_EQ(bild.pixel(f.box.left(), f.box.top() + 5), qRgb(0, 0, 0)) << f.dx;
        EXPECT_EQ(bild.pixel(f.box.right(), f.box.bottom()), qRgb(0, 0, 0)) << f.dx;
        EXPECT_EQ(bild.pixel(f.box.left() - 1, f.box.top() + 5), grau) << f.dx;
        EXPECT_EQ(bild.pixel(f.box.right() + 1, f.box.top() + 5), grau) << f.dx;
        z.Ansichtsmodus = 2; // a single entry is drawn only on the worksheet
        QImage leer(100, 100, QImage::Format_RGB32);
        leer.fill(Qt::black);
        {
            TCanvas c(&leer);
            ZeichneBeschriftungen(c, 0, 0, 100, 100, 2.5, &o, 5, TRect{0, 0, 10000, 10000}, false, true, z);
        }
        EXPECT_EQ(leer.pixel(50, 50), qRgb(0, 0, 0));
    }
}

// The label view's hit test: 8 pixels each way, the first label in table order on a checked layer.
TEST(AbBeschriftung, ObjektUnterMaus)
{
    const QList<ObjDataTyp> o = {Obj("M", "S", 0.5, 0.5, QStringLiteral("Stadt"), 1),
                                 Obj("M", "L", 0.5, 0.5, QStringLiteral("Land"), 1),
                                 Obj("M", "IS", 0.2, 0.2, QStringLiteral("Insel"), 3)};
    TABBeschriftungsZustand z;
    z.Objekte = &o;
    z.AktKartID = QStringLiteral("M");
    z.LernIntensitaet = 3;
    const TRect ganz{0, 0, 10000, 10000};
    EXPECT_EQ(ObjektUnterMaus(508, 492, 1000, 1000, ganz, z), 1); // only Länder checked
    EXPECT_EQ(ObjektUnterMaus(509, 500, 1000, 1000, ganz, z), -1);
    z.Ebenen[1] = true;
    EXPECT_EQ(ObjektUnterMaus(500, 500, 1000, 1000, ganz, z), 0);
    z.Ebenen = {false, false, false, false, true}; // an island state under Inseln
    EXPECT_EQ(ObjektUnterMaus(200, 200, 1000, 1000, ganz, z), 2);
    z.LernIntensitaet = 2;
    EXPECT_EQ(ObjektUnterMaus(200, 200, 1000, 1000, ganz, z), -1);
    z.AktKartID = QStringLiteral("m"); // ids compared exactly
    z.LernIntensitaet = 3;
    EXPECT_EQ(ObjektUnterMaus(200, 200, 1000, 1000, ganz, z), -1);
}

} // namespace
} // namespace zl::ab
