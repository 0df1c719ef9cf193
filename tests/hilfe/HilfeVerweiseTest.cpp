// The help folders of both built programs: every page is well-formed and reachable from
// index.html, every link and picture resolves to a file in the folder (or is the home page),
// every anchor a link names exists, every picture is shown at its own size, and nothing loads
// from outside or runs.

#include "HilfeDokumente.h"

#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zl;
using namespace zl::test;

namespace
{

struct Programm {
    const char* Name;
    QString Ordner;
};

void PrintTo(const Programm& p, std::ostream* os)
{
    *os << p.Name;
}

class HilfeVerweise : public ::testing::TestWithParam<Programm>
{
  protected:
    void SetUp() override
    {
        ordner = QDir(GetParam().Ordner);
        ASSERT_TRUE(ordner.exists(QStringLiteral("index.html"))) << ordner.path().toStdString();
        for (const HilfeSeite& s : LiesHilfe(ordner.path()))
            seiten.insert(s.Datei, s);
    }

    // A link or picture outside the folder's own files: a scheme, a network path or an absolute path.
    static bool IstAussen(const QString& v)
    {
        return QUrl(v).isRelative() == false || v.startsWith(QLatin1String("//")) || v.startsWith(QLatin1Char('/'));
    }

    // The file a relative link names, or empty when it leaves the folder.
    QString DateiVon(const QString& Pfad) const
    {
        const QString p = QUrl::fromPercentEncoding(Pfad.toUtf8());
        const QString sauber = QDir::cleanPath(p);
        if (sauber.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(sauber) ||
            sauber.contains(QLatin1Char('\\')))
            return {};
        return sauber;
    }

    QDir ordner;
    QMap<QString, HilfeSeite> seiten;
};

TEST_P(HilfeVerweise, PagesAreWellFormedAndHoldNothingThatRunsOrLoadsFromOutside)
{
    ASSERT_FALSE(seiten.isEmpty());
    for (const HilfeSeite& s : seiten) {
        EXPECT_TRUE(s.Fehler.isEmpty()) << s.Datei.toStdString() << ": " << s.Fehler.toStdString();
        EXPECT_TRUE(s.Verboten.isEmpty()) << s.Datei.toStdString() << ": " << s.Verboten.join(u", ").toStdString();
        EXPECT_FALSE(s.Text.isEmpty()) << s.Datei.toStdString();
        for (const HilfeVerweis& v : s.Verweise) {
            if (v.Element == QLatin1String("link")) {
                EXPECT_FALSE(IstAussen(v.Wert)) << s.Datei.toStdString() << " line " << v.Zeile
                                                << ": stylesheet from outside " << v.Wert.toStdString();
            }
        }
    }
    // The stylesheets load no fonts, pictures or other sheets, and nothing from outside.
    for (const QString& css : ordner.entryList({QStringLiteral("*.css")}, QDir::Files)) {
        QFile f(ordner.filePath(css));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString t = QString::fromUtf8(f.readAll());
        for (const char* wort : {"@import", "url(", "://", "@font-face", "expression("})
            EXPECT_FALSE(t.contains(QLatin1String(wort), Qt::CaseInsensitive)) << css.toStdString() << ": " << wort;
    }
}

TEST_P(HilfeVerweise, EveryLinkAndPictureResolvesInsideTheFolder)
{
    QStringList fehler;
    for (const HilfeSeite& s : seiten)
        for (const HilfeVerweis& v : s.Verweise) {
            const QString wo =
                QStringLiteral("%1 line %2: %3=\"%4\"").arg(s.Datei).arg(v.Zeile).arg(v.Attribut, v.Wert);
            if (v.Wert.trimmed().isEmpty()) {
                fehler << wo + QStringLiteral(" is empty");
                continue;
            }
            if (IstAussen(v.Wert)) {
                // The one address outside: the product's home page, as a link the reader follows.
                if (v.Element != QLatin1String("a") || v.Wert != kHomepage)
                    fehler << wo + QStringLiteral(" leaves the folder");
                continue;
            }
            const qsizetype raute = v.Wert.indexOf(QLatin1Char('#'));
            const QString pfad = raute < 0 ? v.Wert : v.Wert.left(raute);
            const QString anker = raute < 0 ? QString() : v.Wert.mid(raute + 1);
            if (pfad.contains(QLatin1Char('?'))) {
                fehler << wo + QStringLiteral(" has a query");
                continue;
            }
            const QString datei = pfad.isEmpty() ? s.Datei : DateiVon(pfad);
            if (datei.isEmpty() || !QFileInfo(ordner.filePath(datei)).isFile()) {
                fehler << wo + QStringLiteral(" names no file of the folder");
                continue;
            }
            if (anker.isEmpty())
                continue;
            if (v.Attribut != QLatin1String("href") || !seiten.contains(datei))
                fehler << wo + QStringLiteral(" has an anchor but names no page");
            else if (!seiten[datei].Ids.contains(anker))
                fehler << wo + QStringLiteral(" names the anchor \"%1\" that %2 lacks").arg(anker, datei);
        }
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(u'\n').toStdString();
}

TEST_P(HilfeVerweise, AnchorsAreUniqueInTheirPage)
{
    for (const HilfeSeite& s : seiten) {
        QSet<QString> gesehen;
        for (const QString& id : s.Ids) {
            EXPECT_FALSE(gesehen.contains(id)) << s.Datei.toStdString() << ": id \"" << id.toStdString() << "\" twice";
            gesehen.insert(id);
        }
    }
}

TEST_P(HilfeVerweise, EveryPageIsReachedFromTheContents)
{
    QSet<QString> erreicht{QStringLiteral("index.html")};
    QStringList offen{QStringLiteral("index.html")};
    while (!offen.isEmpty()) {
        const HilfeSeite& s = seiten[offen.takeFirst()];
        for (const HilfeVerweis& v : s.Verweise) {
            if (v.Element != QLatin1String("a") || IstAussen(v.Wert))
                continue;
            const QString datei = DateiVon(v.Wert.section(QLatin1Char('#'), 0, 0));
            if (seiten.contains(datei) && !erreicht.contains(datei)) {
                erreicht.insert(datei);
                offen << datei;
            }
        }
    }
    for (const QString& d : seiten.keys())
        EXPECT_TRUE(erreicht.contains(d)) << d.toStdString() << " is linked from no page reached from index.html";
}

TEST_P(HilfeVerweise, EveryPictureIsShownAtItsOwnSizeWithATextForItsPlace)
{
    QSet<QString> gezeigt;
    for (const HilfeSeite& s : seiten)
        for (const HilfeBild& b : s.Bilder) {
            const std::string wo =
                s.Datei.toStdString() + " line " + std::to_string(b.Zeile) + ": " + b.Src.toStdString();
            EXPECT_FALSE(b.Alt.trimmed().isEmpty()) << wo << " has no alt text";
            const QString datei = DateiVon(b.Src);
            QImageReader r(ordner.filePath(datei));
            const QSize g = r.size();
            ASSERT_TRUE(g.isValid()) << wo << ": " << r.errorString().toStdString();
            // A picture made again at another size must not be shown stretched.
            EXPECT_EQ(b.Breite, g.width()) << wo;
            EXPECT_EQ(b.Hoehe, g.height()) << wo;
            gezeigt.insert(datei);
        }
    for (const QString& bild :
         ordner.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.png"), QStringLiteral("*.gif")}, QDir::Files))
        EXPECT_TRUE(gezeigt.contains(bild)) << bild.toStdString() << " is shown by no page";
}

INSTANTIATE_TEST_SUITE_P(BeideProgramme, HilfeVerweise,
                         ::testing::Values(Programm{"Kartivo", KartivoHilfe()}, Programm{"Foliavo", FoliavoHilfe()}),
                         [](const ::testing::TestParamInfo<Programm>& i) { return std::string(i.param.Name); });

} // namespace
