// The search result window and the country table on a stand-in for the main window:
// what each asks of its host, and that without a host they work alone.
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_suchergebnis.h"

#include "controls/StringGrid2.h"
#include "datastore/Objektdaten.h"
#include "platform/MessageService.h"
#include "tests/learning/FakeHauptfenster.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace zl;

namespace
{

class SucheHost : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ObjDaten.clear();
        ObjDaten.append({QStringLiteral("EUR"), QStringLiteral("S"), 0.5, 0.5, QStringLiteral("Bern"), 0, 0, 1});
        ObjDaten.append({QStringLiteral("DEU"), QStringLiteral("S"), 0.4, 0.6, QStringLiteral("Berlin"), 0, 0, 1});
        ObjDaten.append({QStringLiteral("EUR"), QStringLiteral("S"), 0.3, 0.2, QStringLiteral("Bergen"), 0, 0, 1});
    }
    void TearDown() override { ObjDaten.clear(); }

    ScopedMessageRecorder boxen;
    test::FakeHauptfenster host;
};

} // namespace

TEST_F(SucheHost, ErgebnisfensterZeigtDenTrefferDerAktuellenKarteUndMeldetSeineKnoepfe)
{
    host.Zustand.AktKartID = QStringLiteral("DEU");
    TSuchErgForm f;
    f.Host = &host;
    f.LeereErgebnis(ObjDaten);
    f.FuegeHinzu(QList<int>{0, 1, 2});
    f.show();
    QApplication::processEvents();
    const QStringList beimZeigen = host.Nimm();
    // The pointer arrow goes, the search button shows pressed, and the hit on the map
    // shown (row 2) is shown at once.
    EXPECT_TRUE(beimZeigen.contains(QStringLiteral("VersteckeLernPfeil")));
    EXPECT_TRUE(beimZeigen.contains(QStringLiteral("SetzeSuchKnoepfe 1")));
    EXPECT_EQ(beimZeigen.filter(QStringLiteral("ZeigeSuchtreffer")), QStringList{QStringLiteral("ZeigeSuchtreffer 1")});

    f.List1->setCurrentCell(3, 0);
    f.List1DblClick();
    EXPECT_EQ(host.Nimm().filter(QStringLiteral("ZeigeSuchtreffer")), QStringList{QStringLiteral("ZeigeSuchtreffer 2")});

    f.NeuSuchBtnClick();
    const QStringList neu = host.Nimm();
    ASSERT_GE(neu.size(), 2);
    EXPECT_EQ(neu.first(), QStringLiteral("SetzeSuchKnoepfe 0")); // closed first
    EXPECT_EQ(neu.last(), QStringLiteral("FuehreSucheAus  0 0")); // then the search dialog
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

TEST_F(SucheHost, LaendertabelleLoestBeimSchliessenIhreKnoepfe)
{
    TDatenTabForm t;
    t.Host = &host;
    t.show();
    QApplication::processEvents();
    t.close();
    EXPECT_EQ(host.Nimm(), QStringList{QStringLiteral("SetzeDatentabelleKnoepfe 0")});
}

TEST_F(SucheHost, OhneHostArbeitenDieFensterAllein)
{
    TSuchErgForm f;
    f.LeereErgebnis(ObjDaten);
    f.FuegeHinzu(QList<int>{0, 1});
    f.show();
    QApplication::processEvents();
    f.List1->setCurrentCell(1, 0);
    f.List1DblClick();
    f.NeuSuchBtnClick();
    TDatenTabForm t;
    t.show();
    t.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}
