// The bundled atlas loads without a single box through the data store, and every
// map has its pictures, its labels on the map and enough for the exercises.
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"
#include "tools/atlasgen/Platzierung.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

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

// The text box of a label on the learning map at its base zoom, in the map box's pixels.
struct Textfeld {
    const zl::ObjDataTyp* o;
    QRectF box;
};

QList<Textfeld> TextfelderDerKarte(const QString& KartID, QSizeF& Karte)
{
    int w = 0, h = 0;
    zl::JpegGroesse(zl::KartenVerz + KartID + QStringLiteral("-RS-1.jpg"), w, h);
    const double b = std::min(zl::atlas::kKartenboxBreite, zl::atlas::kKartenboxHoehe * w / std::max(1, h));
    Karte = QSizeF(b, b * h / std::max(1, w));
    const double s = zl::atlas::Textskalierung(KartID);
    QList<Textfeld> t;
    for (const zl::ObjDataTyp& o : zl::ObjDaten)
        if (o.KartID == KartID)
            t.append({&o, zl::atlas::TextBox(zl::atlas::MesseText(o.ObjTyp, o.Bez, s), o.dx, o.dy, s)
                              .translated(o.Px * Karte.width(), o.Py * Karte.height())});
    return t;
}

TEST_F(Atlasdaten, LabelsStayOnTheMapAndApartAtBaseZoom)
{
    for (const zl::KartDataTyp& k : zl::KartenDaten) {
        QSizeF Karte;
        const QList<Textfeld> t = TextfelderDerKarte(k.KartID, Karte);
        const QRectF rahmen(QPointF(-0.5, -0.5), Karte + QSizeF(1, 1));
        for (qsizetype i = 0; i < t.size(); ++i) {
            EXPECT_TRUE(rahmen.contains(t[i].box)) << k.KartID.toStdString() << ": " << t[i].o->Bez.toStdString();
            for (qsizetype j = i + 1; j < t.size(); ++j) {
                if (t[i].o->Intens != t[j].o->Intens)
                    continue;
                const QRectF x = t[i].box.intersected(t[j].box);
                EXPECT_FALSE(x.width() > 1 && x.height() > 1)
                    << k.KartID.toStdString() << ": " << t[i].o->Bez.toStdString() << " / " << t[j].o->Bez.toStdString()
                    << " (" << t[i].o->Intens << ")";
            }
        }
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
