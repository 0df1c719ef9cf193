// The bundled atlas loads without a single box through the data store, and every
// map has its pictures, its labels on the map and enough for the exercises.
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/mapview/zl_beschriftung.h"
#include "platform/MessageService.h"
#include "platform/Metafile.h"
#include "tools/atlasgen/Platzierung.h"
#include "worksheet/ab_beschriftung.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPolygonF>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const QString kKartivo = QStringLiteral(ZL_KARTIVO_DIR "/");
const QString kFoliavo = QStringLiteral(ZL_FOLIAVO_DIR "/");
const QStringList kTypen = {QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"), QStringLiteral("PW")};

class Atlasdaten : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        zl::ScopedMessageRecorder boxen;
        zl::DatenInitialisieren(kKartivo);
        boxenBeimStart = boxen.texts();
    }
    static void TearDownTestSuite() { zl::DatenFreigeben(); }
    static inline QStringList boxenBeimStart;
};

TEST_F(Atlasdaten, LoadsWithoutAnyBox)
{
    EXPECT_TRUE(boxenBeimStart.isEmpty()) << boxenBeimStart.join(u'\n').toStdString();
    EXPECT_GE(zl::KartenDaten.size(), 18);
    EXPECT_FALSE(zl::LaenderDaten.isEmpty());
    EXPECT_FALSE(zl::UebungsDaten.isEmpty());
    EXPECT_FALSE(zl::KartAuswDaten.isEmpty());
    EXPECT_GT(zl::ObjDaten.size(), 1000);
    for (const char* d : {"ZL-Sound", "ZL-Video", "ZL-Hilfe", "ZL-Protokolle", "ZL-Netz", "ZL-Flaggen"})
        EXPECT_TRUE(QDir(kKartivo + QString::fromLatin1(d)).exists()) << d;
}

TEST_F(Atlasdaten, EveryMapHasEveryPicture)
{
    for (const zl::KartDataTyp& k : zl::KartenDaten) {
        for (const QString& t : kTypen) {
            for (const QString& r : {QStringLiteral("1"), QStringLiteral("5")}) {
                const QString p = zl::KartenVerz + k.KartID + u'-' + t + u'-' + r + QStringLiteral(".jpg");
                ASSERT_TRUE(QFile::exists(p)) << p.toStdString();
                int w = 0, h = 0;
                zl::JpegGroesse(p, w, h);
                if (r == u"1")
                    EXPECT_GE(std::max(w, h), 1900) << p.toStdString();
                else
                    EXPECT_GE(std::max(w, h), 1000) << p.toStdString();
                EXPECT_LE(std::max(w, h), 2500) << p.toStdString();
            }
            const QString klein =
                zl::KartenVerz + QStringLiteral("klein/") + k.KartID + u'-' + t + QStringLiteral("-K.jpg");
            EXPECT_TRUE(QFile::exists(klein)) << klein.toStdString();
            EXPECT_EQ(zl::KleinbildPfad(k.KartID, t), klein);
        }
    }
    for (const char* u : {"KA-WLT.jpg", "KA-EUR.jpg", "KA-DEU.jpg"})
        EXPECT_TRUE(QFile::exists(zl::DatenVerz + QString::fromLatin1(u))) << u;
}

TEST_F(Atlasdaten, CatalogueOffersEveryOverviewAndKnownMaps)
{
    QMap<QString, int> proUebersicht;
    QSet<QString> ids;
    for (const zl::KartDataTyp& k : zl::KartenDaten)
        ids.insert(k.KartID);
    for (const zl::KartAuswDataTyp& a : zl::KartAuswDaten) {
        ++proUebersicht[a.Uebersicht];
        EXPECT_TRUE(ids.contains(a.KartID)) << a.KartID.toStdString();
        EXPECT_FALSE(zl::KartenName(a.KartID).isEmpty());
        for (int v : {a.FeldX, a.FeldY, a.MarkLinks, a.MarkOben, a.MarkRechts, a.MarkUnten}) {
            EXPECT_GE(v, 0) << a.Uebersicht.toStdString() << " " << a.KartID.toStdString();
            EXPECT_LE(v, 10000) << a.Uebersicht.toStdString() << " " << a.KartID.toStdString();
        }
        EXPECT_LT(a.MarkLinks, a.MarkRechts);
        EXPECT_LT(a.MarkOben, a.MarkUnten);
    }
    for (const char* u : {"WLT", "EUR", "DEU"})
        EXPECT_GE(proUebersicht.value(QString::fromLatin1(u)), 6) << u;
}

TEST_F(Atlasdaten, EveryLabelLiesInsideAKnownMap)
{
    QSet<QString> ids;
    for (const zl::KartDataTyp& k : zl::KartenDaten)
        ids.insert(k.KartID);
    QMap<QString, int> proKarte;
    for (const zl::ObjDataTyp& o : zl::ObjDaten) {
        EXPECT_TRUE(ids.contains(o.KartID)) << o.KartID.toStdString();
        EXPECT_GE(o.Px, 0.0);
        EXPECT_LE(o.Px, 1.0);
        EXPECT_GE(o.Py, 0.0);
        EXPECT_LE(o.Py, 1.0);
        EXPECT_GE(zl::ObjGruppe(o.ObjTyp), 1) << o.ObjTyp.toStdString();
        EXPECT_FALSE(zl::EntferneTrennzeichen(o.Bez).isEmpty());
        EXPECT_GE(o.dx, -3);
        EXPECT_LE(o.dx, 3);
        EXPECT_GE(o.dy, -3);
        EXPECT_LE(o.dy, 3);
        EXPECT_GE(o.Intens, 0);
        EXPECT_LE(o.Intens, 3);
        ++proKarte[o.KartID];
    }
    for (const QString& id : ids)
        EXPECT_GE(proKarte.value(id), 20) << id.toStdString();
}

// Labels of the map per category (islands states count as islands too), up to intensity 3.
QMap<int, int> Kategorien(const QString& KartID)
{
    QMap<int, int> n;
    for (const zl::ObjDataTyp& o : zl::ObjDaten) {
        if (o.KartID != KartID || o.Intens <= 0 || o.Intens > 3)
            continue;
        const int g = zl::ObjGruppe(o.ObjTyp);
        if (g >= 1 && g <= 5)
            ++n[g];
        if (o.ObjTyp == u"IS")
            ++n[5];
    }
    return n;
}

TEST_F(Atlasdaten, EveryExerciseMapHasEnoughLabelsAndCountries)
{
    for (const zl::UebungDataTyp& u : zl::UebungsDaten) {
        const QString id = u.UebKartID;
        EXPECT_FALSE(zl::KartenName(id).isEmpty()) << id.toStdString();
        const QMap<int, int> n = Kategorien(id);
        for (int c = 1; c <= 4; ++c)
            EXPECT_GE(n.value(c), 5) << id.toStdString() << " category " << c;
        if (u.Gebiet < 0)
            continue;
        // The rows the country questions draw from.
        QSet<QString> namen, hauptstaedte, flaggen;
        int dichte = 0;
        for (const zl::laenderdatatyp& l : zl::LaenderDaten) {
            const bool drin = u.Gebiet == 0 ? (l.Gebiet % 10 == 0 && l.Gebiet > 0) : l.Gebiet == u.Gebiet;
            if (!drin)
                continue;
            namen.insert(l.Name);
            if (!l.Hauptstadt.isEmpty())
                hauptstaedte.insert(l.Hauptstadt);
            if (!l.Flagge.isEmpty()) {
                flaggen.insert(l.Flagge);
                EXPECT_TRUE(QFile::exists(zl::FlaggenVerz + l.Flagge)) << l.Flagge.toStdString();
            }
            if (l.Dichte >= 0.5)
                ++dichte;
        }
        EXPECT_GE(namen.size(), 5) << id.toStdString();
        EXPECT_GE(hauptstaedte.size(), 5) << id.toStdString();
        EXPECT_GE(dichte, 5) << id.toStdString();
        if (u.Gebiet != 11) { // the German states' flags are not among the sources
            EXPECT_GE(flaggen.size(), 5) << id.toStdString();
        }
        // Enough of the countries asked about are found on a map for the picture questions.
        int gefunden = 0;
        for (const QString& name : namen) {
            QString karte;
            if (zl::SucheObjekt(id, name, zl::ObjGruppen[1], karte) >= 0)
                ++gefunden;
        }
        EXPECT_GE(gefunden, std::min<int>(5, int(namen.size()) / 2)) << id.toStdString();
    }
}

TEST_F(Atlasdaten, WorksheetProgramHasTheSameMaps)
{
    const auto karten = zl::LeseKartendatei(kFoliavo + QStringLiteral("AB-Daten/ab_karten.dat"));
    ASSERT_TRUE(karten.Geoeffnet);
    EXPECT_EQ(karten.Zeilen.size(), zl::KartenDaten.size());
    const auto auswahl = zl::LeseKartenauswahldatei(kFoliavo + QStringLiteral("AB-Daten/ab_kartenauswahl.dat"));
    EXPECT_EQ(auswahl.Zeilen.size(), zl::KartAuswDaten.size());
    QList<zl::ObjDataTyp> ab;
    zl::ScopedMessageRecorder boxen;
    ASSERT_TRUE(zl::LeseObjektdatei(kFoliavo + QStringLiteral("AB-Daten/zl_standard.zlk"), ab));
    EXPECT_EQ(ab.size(), zl::ObjDaten.size());
    for (const zl::ObjDataTyp& o : ab)
        EXPECT_TRUE(QStringLiteral("~L~LX~IS~H~S~G~GB~B~I~").contains(u'~' + o.ObjTyp + u'~'))
            << o.ObjTyp.toStdString();
    for (const zl::KartDataTyp& k : zl::KartenDaten)
        EXPECT_TRUE(QFile::exists(kFoliavo + QStringLiteral("ZX-Karten/") + k.KartID + QStringLiteral("-PW-1.jpg")));
    for (const char* d : {"AB-Hilfe", "AB-Arbeitsblätter", "AB-Daten"})
        EXPECT_TRUE(QDir(kFoliavo + QString::fromUtf8(d)).exists()) << d;
    EXPECT_TRUE(boxen.entries().isEmpty());
}

// The two programs that show a map with its labels: Kartivo's learning map at its base zoom
// (default label size) and Foliavo's label view, both in the map box of a 1280 x 1024 window.
enum class Programm { Kartivo, Foliavo };

const char* Name(Programm p)
{
    return p == Programm::Kartivo ? "Kartivo" : "Foliavo";
}

QSize Kartengroesse(const QString& KartID)
{
    int w = 0, h = 0;
    zl::JpegGroesse(zl::KartenVerz + KartID + QStringLiteral("-RS-1.jpg"), w, h);
    return zl::atlas::Kartenbox(w, h);
}

struct Textfeld {
    const zl::ObjDataTyp* o;
    QRectF box;    // its texts
    QRectF symbol; // its dot or triangle
};

// One label as the program's own renderer draws it, recorded: each text line's box is its
// advance wide and its cell high at the reference point and alignment the renderer chose, the
// symbol's is its outline's. Null boxes for what the label does not show.
Textfeld Textrahmen(Programm p, const zl::ObjDataTyp& o, QSize karte)
{
    const QList<zl::ObjDataTyp> eins{o};
    const zl::TRect alles{0, 0, 10000, 10000};
    zl::TMetafileRecorder r(karte);
    if (p == Programm::Kartivo) {
        zl::TBeschriftungsZustand z;
        z.Objekte = &eins;
        z.AktKartID = o.KartID;
        z.LernIntensitaet = 3;
        z.NurTextOut = true;
        zl::ZeichneBeschriftungen(r.Canvas(), 0, 0, karte.width(), karte.height(), zl::LernkartenSkala(1.0), -1, alles,
                                  z);
    } else {
        zl::ab::TABBeschriftungsZustand z;
        z.Objekte = &eins;
        z.AktKartID = o.KartID.toUpper();
        z.LernIntensitaet = 3;
        z.Ebenen.fill(true);
        z.Kaestchenrahmen = false;
        zl::ab::ZeichneBeschriftungen(r.Canvas(), 0, 0, karte.width(), karte.height(), 1.0, nullptr, 0, alles, false,
                                      true, z);
    }
    const zl::TMetafilePtr mf = r.Beenden();
    static zl::TMetafileRecorder mass(QSize(1, 1)); // its canvas measures as the recording one did
    zl::TCanvas& m = mass.Canvas();
    unsigned ausrichtung = zl::TA_LEFT | zl::TA_TOP;
    Textfeld t{&o, {}, {}};
    for (const zl::TMetaRecord& d : mf->Datensaetze()) {
        if (const auto* f = std::get_if<zl::MfFont>(&d))
            m.Font = f->Font;
        else if (const auto* a = std::get_if<zl::MfTextAlign>(&d))
            ausrichtung = a->Flags;
        else if (const auto* x = std::get_if<zl::MfText>(&d)) {
            const double hoehe = m.TextHeight(x->Text);
            double links = x->Punkt.x();
            if ((ausrichtung & zl::TA_CENTER) == zl::TA_CENTER)
                links -= x->Breite / 2.0;
            else if (ausrichtung & zl::TA_RIGHT)
                links -= x->Breite;
            double oben = x->Punkt.y();
            if ((ausrichtung & zl::TA_BASELINE) == zl::TA_BASELINE)
                oben -= m.FontAscent();
            else if (ausrichtung & zl::TA_BOTTOM)
                oben -= hoehe;
            t.box |= QRectF(links, oben, x->Breite, hoehe);
        } else if (const auto* e = std::get_if<zl::MfEllipse>(&d)) {
            t.symbol |= QRectF(e->Rect);
        } else if (const auto* y = std::get_if<zl::MfPolygon>(&d)) {
            t.symbol |= QPolygonF(y->Punkte).boundingRect();
        }
    }
    return t;
}

// More than a pixel's overlap both ways.
bool Ueberlappen(const QRectF& a, const QRectF& b)
{
    const QRectF x = a.intersected(b);
    return x.width() > 1 && x.height() > 1;
}

// Every text a program shows on the map at "Experte", the highest intensity, where every
// label of intensity 0 to 3 is shown at once.
QList<Textfeld> TextfelderDerKarte(Programm p, const QList<zl::ObjDataTyp>& labels, const QString& KartID, QSize karte)
{
    QList<Textfeld> t;
    for (const zl::ObjDataTyp& o : labels)
        if (o.KartID == KartID) {
            const Textfeld f = Textrahmen(p, o, karte);
            if (!f.box.isNull() || !f.symbol.isNull())
                t.append(f);
        }
    return t;
}

TEST_F(Atlasdaten, LabelsShownTogetherStayOnTheMapAndApartAtBaseZoom)
{
    QList<zl::ObjDataTyp> ab;
    {
        zl::ScopedMessageRecorder boxen;
        ASSERT_TRUE(zl::LeseObjektdatei(kFoliavo + QStringLiteral("AB-Daten/zl_standard.zlk"), ab));
    }
    for (const Programm p : {Programm::Kartivo, Programm::Foliavo}) {
        for (const zl::KartDataTyp& k : zl::KartenDaten) {
            const QSize karte = Kartengroesse(k.KartID);
            const QList<Textfeld> t =
                TextfelderDerKarte(p, p == Programm::Kartivo ? zl::ObjDaten : ab, k.KartID, karte);
            EXPECT_GE(t.size(), 20) << Name(p) << " " << k.KartID.toStdString();
            const QRectF rahmen(QPointF(-0.5, -0.5), QSizeF(karte) + QSizeF(1, 1));
            for (qsizetype i = 0; i < t.size(); ++i) {
                EXPECT_TRUE(t[i].box.isNull() || rahmen.contains(t[i].box))
                    << Name(p) << " " << k.KartID.toStdString() << ": " << t[i].o->Bez.toStdString();
                for (qsizetype j = i + 1; j < t.size(); ++j) {
                    // Neither text meets the other, nor covers the other's symbol.
                    EXPECT_FALSE(Ueberlappen(t[i].box, t[j].box) || Ueberlappen(t[i].box, t[j].symbol) ||
                                 Ueberlappen(t[i].symbol, t[j].box))
                        << Name(p) << " " << k.KartID.toStdString() << ": " << t[i].o->Bez.toStdString() << " ("
                        << t[i].o->Intens << ") / " << t[j].o->Bez.toStdString() << " (" << t[j].o->Intens << ")";
                }
            }
        }
    }
}

TEST_F(Atlasdaten, CoreNamesAreShownAtBasis)
{
    // Names a pupil learns first on these maps: shown at "Basis", whatever crowds them at the
    // higher intensities.
    struct Name {
        const char* KartID;
        const char* ObjTyp;
        const char* Bez;
    };
    const Name namen[] = {
        {"WELT", "G", "Amazonas"},
        {"WELT", "G", "Wolga"},
        {"WELT", "B", "Mount Everest"},
        {"WELT", "I", "Madagaskar"},
        {"NEUR", "L", "Vereinigtes Königreich"},
        {"MAMK", "H", "Mexiko-Stadt"},
        {"SCH", "G", "Bodensee"},
        {"SEUR", "B", "Mont Blanc"},
        {"SEUR", "GB", "Pyrenäen"},
        {"SEUR", "G", "Po"},
        {"SEUR", "S", "München"},
        {"EURO", "G", "Donau"},
        {"EURO", "S", "München"},
        {"USA", "S", "Chicago"},
        {"ASIE", "GB", "Himalaya"},
        {"ASIE", "G", "Indus"},
        {"ASIE", "G", "Rotes Meer"},
        {"NAHO", "G", "Kaspisches Meer"},
        {"NAHO", "G", "Persischer Golf"},
        {"RUSS", "G", "Ostsee"},
        {"SOAS", "I", "Sumatra"},
        {"DEU", "S", "Duisburg"},
        {"DEU", "S", "Wuppertal"},
    };
    for (const Name& n : namen) {
        const QString id = QString::fromLatin1(n.KartID), typ = QString::fromLatin1(n.ObjTyp),
                      bez = QString::fromUtf8(n.Bez);
        const bool da = std::any_of(zl::ObjDaten.cbegin(), zl::ObjDaten.cend(), [&](const zl::ObjDataTyp& o) {
            return o.KartID == id && o.ObjTyp == typ && zl::EntferneTrennzeichen(o.Bez) == bez && o.Intens <= 1;
        });
        EXPECT_TRUE(da) << n.KartID << ": " << n.Bez;
    }
}

TEST_F(Atlasdaten, LakeLabelsLieOnWater)
{
    int seen = 0;
    for (const zl::KartDataTyp& k : zl::KartenDaten) {
        QImage bild;
        for (const zl::ObjDataTyp& o : zl::ObjDaten) {
            const QString name = zl::EntferneTrennzeichen(o.Bez);
            if (o.KartID != k.KartID || o.ObjTyp != u"G" ||
                !(name.contains(QStringLiteral("see"), Qt::CaseInsensitive) || name == u"Müritz"))
                continue;
            if (bild.isNull())
                bild = zl::LadeJpegBildDatei(zl::KartenVerz + k.KartID + QStringLiteral("-RS-1.jpg"));
            ASSERT_FALSE(bild.isNull()) << k.KartID.toStdString();
            const int x = std::clamp(int(o.Px * bild.width()), 1, bild.width() - 2);
            const int y = std::clamp(int(o.Py * bild.height()), 1, bild.height() - 2);
            int r = 0, b = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const QColor c = bild.pixelColor(x + dx, y + dy);
                    r += c.red();
                    b += c.blue();
                }
            // Water is blue; land is green, brown or white.
            EXPECT_GT((b - r) / 9, 25) << k.KartID.toStdString() << ": " << name.toStdString();
            ++seen;
        }
    }
    EXPECT_GT(seen, 20);
}

TEST_F(Atlasdaten, NoTownIsADistrictOfAnother)
{
    // Districts that town lists give as places of their own.
    const QSet<QString> bezirke = {
        QStringLiteral("Sutton"),    QStringLiteral("Bexley"),       QStringLiteral("Croydon"),
        QStringLiteral("Islington"), QStringLiteral("Wembley"),      QStringLiteral("Romford"),
        QStringLiteral("Dagenham"),  QStringLiteral("Enfield Town"), QStringLiteral("Brent"),
        QStringLiteral("Archway"),   QStringLiteral("Becontree"),    QStringLiteral("Spandau"),
        QStringLiteral("Köpenick"),  QStringLiteral("Altona"),       QStringLiteral("Harburg")};
    for (const zl::ObjDataTyp& o : zl::ObjDaten) {
        if (o.ObjTyp != u"S" && o.ObjTyp != u"H")
            continue;
        const QString name = zl::EntferneTrennzeichen(o.Bez);
        EXPECT_FALSE(bezirke.contains(name)) << o.KartID.toStdString() << ": " << name.toStdString();
        for (const char* teil : {"Borough", "City of", "Bezirk", "District", "Arrondissement", " / "})
            EXPECT_FALSE(name.contains(QString::fromUtf8(teil)))
                << o.KartID.toStdString() << ": " << name.toStdString();
    }
}

} // namespace
