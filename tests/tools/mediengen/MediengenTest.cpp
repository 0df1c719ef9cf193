// The media generator: the RIFF structure of its WAV and AVI files, the size limits of the
// bundled media, and that the committed files are exactly what it makes.

#include "tools/mediengen/Medien.h"

#include "MetafileLeser.h"
#include "QtPrintTo.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

namespace zl::medien
{
namespace
{

const QString kMedien = QStringLiteral(ZL_MEDIEN_DIR);

quint32 u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// The chunks of a RIFF list body: id -> count, recursing into LISTs.
void Chunks(const QByteArray& b, qsizetype von, qsizetype bis, std::map<QByteArray, int>& n, bool& ok)
{
    while (von + 8 <= bis) {
        const QByteArray id = b.mid(von, 4);
        const quint32 groesse = u32(b, von + 4);
        if (von + 8 + qsizetype(groesse) > bis) {
            ok = false;
            return;
        }
        ++n[id];
        if (id == "LIST" || id == "RIFF") {
            ++n[b.mid(von + 8, 4)];
            Chunks(b, von + 12, von + 8 + groesse, n, ok);
        }
        von += 8 + groesse + (groesse & 1);
    }
    if (von != bis)
        ok = false;
}

TEST(Mediengen, WavIsMonoSixteenBitPcm)
{
    const Proben p = RichtigKlang(kWavRate);
    const QByteArray wav = WavDatei(p, kWavRate);
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(u32(wav, 4), quint32(wav.size() - 8));
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 22), 1); // mono
    EXPECT_EQ(u32(wav, 24), quint32(kWavRate));
    EXPECT_EQ(u32(wav, 40), quint32(p.size() * 2));
    // The sounds are audible and never clip.
    for (const Proben& k : {RichtigKlang(kWavRate), FalschKlang(kWavRate), HoverKlang(kWavRate)}) {
        const auto [lo, hi] = std::minmax_element(k.begin(), k.end());
        EXPECT_GT(*hi, 3000);
        EXPECT_LT(*hi, 32767);
        EXPECT_GT(*lo, -32768);
    }
}

TEST(Mediengen, AviHoldsEveryFrameAndTheSoundWithAnIndex)
{
    const std::vector<QImage> b = ClipBilder(false);
    ASSERT_GE(b.size(), 10u);
    const Proben ton(std::size_t(b.size()) * kClipRate / kClipBilder, 100);
    const QByteArray avi = AviDatei(b, kClipBilder, 60, ton, kClipRate);
    std::map<QByteArray, int> n;
    bool ok = true;
    ASSERT_EQ(avi.mid(8, 4), QByteArray("AVI "));
    Chunks(avi, 12, avi.size(), n, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(n["00dc"], int(b.size()));
    EXPECT_EQ(n["01wb"], int(b.size()));
    EXPECT_EQ(n["strl"], 2);
    EXPECT_EQ(n["idx1"], 1);
    const QByteArray stumm = AviDatei(b, kClipBilder, 60, {}, kClipRate);
    n.clear();
    Chunks(stumm, 12, stumm.size(), n, ok);
    EXPECT_EQ(n["strl"], 1);
    EXPECT_EQ(n["01wb"], 0);
    // The first frame is a JPEG of the clip's size.
    const qsizetype f = stumm.indexOf("00dc");
    EXPECT_EQ(QImage::fromData(stumm.mid(f + 8, u32(stumm, f + 4)), "JPG").size(), QSize(kClipSeite, kClipSeite));
}

TEST(Mediengen, BundledMediaAreTheGeneratorsAndSmall)
{
    QTemporaryDir dir;
    const QString s = dir.filePath(QStringLiteral("s/")), v = dir.filePath(QStringLiteral("v/"));
    QDir().mkpath(s);
    QDir().mkpath(v);
    QString fehler;
    ASSERT_TRUE(SchreibeAlle(s, v, &fehler)) << fehler.toStdString();
    qint64 summe = 0;
    for (const auto& [ordner, neu, grenze] : {std::tuple{QStringLiteral("ZL-Sound/"), s, 60 * 1024},
                                              std::tuple{QStringLiteral("ZL-Video/"), v, 150 * 1024}}) {
        const QStringList namen = QDir(neu).entryList(QDir::Files);
        EXPECT_EQ(namen.size(), ordner == QLatin1String("ZL-Sound/") ? 3 : 4);
        for (const QString& name : namen) {
            const QByteArray gebuendelt = test::LeseDatei(kMedien + ordner + name);
            EXPECT_EQ(gebuendelt, test::LeseDatei(neu + name)) << name.toStdString();
            EXPECT_LT(gebuendelt.size(), grenze) << name.toStdString();
            summe += gebuendelt.size();
        }
    }
    EXPECT_LT(summe, 700 * 1024);
}

} // namespace
} // namespace zl::medien
