#include "AbHilfen.h"

#include "datastore/Kartenbilder.h"
#include "platform/MessageService.h"
#include "worksheet/ab_data.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zl::ab
{
namespace
{

TEST(AbData, EntferneTrennzeichen)
{
    const struct {
        const char16_t* ein;
        const char16_t* aus;
    } faelle[] = {
        {u"Nord-|rhein", u"Nordrhein"},
        {u"Baden-|Württemberg", u"Baden-Württemberg"},
        {u"Bosnien und|Herzegowina", u"Bosnien und Herzegowina"},
        {u"Zwei  Blanks", u"Zwei  Blanks"},
        {u"Ende-|", u"Ende-"},
        {u"  |Rand| ", u"Rand"},
        {u"Öster-|ärmel", u"Österärmel"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(EntferneTrennzeichen(QString::fromUtf16(f.ein)), QString::fromUtf16(f.aus))
            << QString::fromUtf16(f.ein).toStdString();
}

TEST(AbData, TypenUndGruppen)
{
    const struct {
        const char* code;
        const char16_t* name;
        int gruppe;
    } faelle[] = {
        {"L", u"Land", 1},         {"LX", u"Land", 1}, {"IS", u"Inselstaat", 1},
        {"H", u"Hauptstadt", 2},   {"S", u"Stadt", 2}, {"G", u"Gewässer", 3},
        {"GB", u"Landschaft", 4},  {"B", u"Berg", 4},  {"I", u"Insel", 5},
        {"is", u"Inselstaat", -1}, {"K", u"", -1},     {"UG", u"", -1},
        {"KD", u"", -1},           {"", u"", -1},
    };
    for (const auto& f : faelle) {
        const QString c = QString::fromLatin1(f.code);
        EXPECT_EQ(ObjTypName(c), QString::fromUtf16(f.name)) << f.code;
        EXPECT_EQ(ObjGruppe(c), f.gruppe) << f.code;
    }
    EXPECT_TRUE(InGruppe(QStringLiteral("IS"), 5));
    EXPECT_TRUE(InGruppe(QStringLiteral("I"), 6));
    EXPECT_FALSE(InGruppe(QStringLiteral("L~"), 6));
    EXPECT_FALSE(InGruppe(QStringLiteral("L"), 7));
    EXPECT_FALSE(InGruppe(QStringLiteral("X"), 1));
    EXPECT_EQ(Themen.size(), 6);
}

TEST(AbData, BundledFolderLoads)
{
    ScopedMessageRecorder rec;
    DatenInitialisieren(test::FoliavoVerz());
    EXPECT_TRUE(DatenVerz.endsWith(QLatin1String("/AB-Daten/")));
    EXPECT_TRUE(ArbeitsblattVerz.endsWith(QStringLiteral("/AB-Arbeitsblätter/")));
    EXPECT_EQ(ObjDatei, DatenVerz + QLatin1String("zl_standard.zlk"));
    EXPECT_FALSE(KartenDaten.isEmpty());
    EXPECT_FALSE(KartAuswDaten.isEmpty());
    EXPECT_GT(ObjDaten.size(), 1000);
    EXPECT_EQ(KartenName(QStringLiteral("welt")), QStringLiteral("Welt"));
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
    DatenFreigeben();
    EXPECT_TRUE(ObjDaten.isEmpty());
}

TEST(AbData, MissingFilesLeaveEmptyTables)
{
    ScopedMessageRecorder rec;
    QTemporaryDir dir;
    DatenInitialisieren(dir.path());
    EXPECT_TRUE(KartenDaten.isEmpty());
    EXPECT_TRUE(ObjDaten.isEmpty());
    EXPECT_EQ(KartenName(QStringLiteral("WELT")), QString());
    EXPECT_EQ(rec.entries().size(), 3); // one read-error box per file
    DatenFreigeben();
}

class KartenCacheTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        KartenVerz = dir.path() + u'/';
        KartenCache = std::make_unique<TBitmap32>();
        KartenCachePfad.clear();
    }
    void TearDown() override { KartenCache.reset(); }
    void Bild(const QString& name, int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::red);
        ASSERT_TRUE(img.save(dir.filePath(name), "JPEG"));
    }
    QTemporaryDir dir;
};

TEST_F(KartenCacheTest, FallsBackToDatThenXxx)
{
    Bild(QStringLiteral("EUR-RS-1.dat"), 40, 20);
    QString fehler;
    EXPECT_TRUE(LadeKartenCache(dir.filePath(QStringLiteral("EUR-RS-1.jpg")), &fehler));
    EXPECT_EQ(KartenCache->Width(), 40);
    EXPECT_TRUE(KartenCachePfad.endsWith(QLatin1String("EUR-RS-1.dat")));

    Bild(QStringLiteral("xxx.dat"), 10, 30);
    EXPECT_TRUE(LadeKartenCache(dir.filePath(QStringLiteral("DEU-RS-1.jpg")), &fehler));
    EXPECT_EQ(KartenCache->Height(), 30);
}

TEST_F(KartenCacheTest, MissingOrDamagedEmptiesTheCache)
{
    Bild(QStringLiteral("EUR-RS-1.jpg"), 40, 20);
    ASSERT_TRUE(LadeKartenCache(dir.filePath(QStringLiteral("EUR-RS-1.jpg"))));
    QString fehler;
    EXPECT_FALSE(LadeKartenCache(dir.filePath(QStringLiteral("DEU-RS-1.jpg")), &fehler));
    EXPECT_TRUE(KartenCache->Empty());
    EXPECT_TRUE(KartenCachePfad.isEmpty());
    EXPECT_TRUE(fehler.isEmpty());

    ASSERT_TRUE(LadeKartenCache(dir.filePath(QStringLiteral("EUR-RS-1.jpg"))));
    QFile f(dir.filePath(QStringLiteral("BAD-RS-1.jpg")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xFF\xD8\xFF\xE0 not a picture");
    f.close();
    EXPECT_FALSE(LadeKartenCache(f.fileName(), &fehler));
    EXPECT_TRUE(KartenCache->Empty());
    EXPECT_FALSE(fehler.isEmpty());
}

} // namespace
} // namespace zl::ab
