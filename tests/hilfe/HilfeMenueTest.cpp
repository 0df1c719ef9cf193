// Every menu item of both main windows, walked offscreen through the menu bar, is named in
// its program's help: a menu item added or renamed without its help shows up here.

#include "HilfeDokumente.h"

#include "learning/mainwindow/widgets/zl_main.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "tests/learning/KartivoTestStart.h"
#include "tests/worksheet/FoliavoTestStart.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_start.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zl;
using namespace zl::test;

namespace
{

// The caption as the help writes it: without the accelerator's "&" and without the
// shortcut that a "\t" adds to the caption.
QString Beschriftung(const QAction* a)
{
    QString t = a->text().section(QLatin1Char('\t'), 0, 0);
    t.remove(QLatin1Char('&'));
    return t.simplified();
}

// Skipped: separators and empty items; items hidden for good (Kartivo's layer "Kreise",
// Foliavo's label-style items), which no reader sees; and the bookmark entries, which the
// bookmark menu builds at run time from the user's own bookmarks. Menus themselves are
// walked whether or not the present view shows them, since every view's menus are described.
bool Uebersprungen(const QAction* a)
{
    static const QRegularExpression lesezeichen(QStringLiteral("^Lesezeichen\\d+$"));
    return a->isSeparator() || Beschriftung(a).isEmpty() || (!a->menu() && !a->isVisible()) ||
           lesezeichen.match(a->objectName()).hasMatch();
}

void Sammle(const QList<QAction*>& Aktionen, const QString& Pfad, QStringList& Punkte)
{
    for (const QAction* a : Aktionen) {
        if (Uebersprungen(a))
            continue;
        const QString name = Pfad.isEmpty() ? Beschriftung(a) : Pfad + QStringLiteral(" > ") + Beschriftung(a);
        Punkte << name;
        if (a->menu())
            Sammle(a->menu()->actions(), name, Punkte);
    }
}

// The menu paths whose last caption the help text lacks.
QStringList Fehlende(QMenuBar* Leiste, const QString& Text)
{
    QStringList punkte, fehlend;
    Sammle(Leiste->actions(), {}, punkte);
    for (const QString& p : punkte)
        if (!Text.contains(p.section(QStringLiteral(" > "), -1)))
            fehlend << p;
    return fehlend;
}

TEST(HilfeMenues, EveryKartivoMenuItemIsNamedInItsHelp)
{
    ScopedMessageRecorder boxen;
    MemorySettingsStore store;
    auto k = StarteKartivo(QStringLiteral(ZL_KARTIVO_DIR "/"), store);
    ASSERT_TRUE(k);
    QStringList punkte;
    Sammle(k->Hauptfenster()->menuBar()->actions(), {}, punkte);
    // The walk reaches the menus of every view, not only those the map selection shows.
    EXPECT_TRUE(punkte.contains(QStringLiteral("Ansicht > Nach unten scrollen"))) << punkte.join(u'\n').toStdString();
    EXPECT_TRUE(punkte.contains(QStringLiteral("Übungs-Optionen > Richtig/Falsch-Rückmeldung > Nur Protokoll")));
    const QStringList fehlend = Fehlende(k->Hauptfenster()->menuBar(), HilfeText(LiesHilfe(KartivoHilfe())));
    EXPECT_TRUE(fehlend.isEmpty()) << "not in the help: " << fehlend.join(u'\n').toStdString();
}

TEST(HilfeMenues, EveryFoliavoMenuItemIsNamedInItsHelp)
{
    ScopedMessageRecorder boxen;
    MemorySettingsStore store;
    auto programm = StarteFoliavo(QStringLiteral(ZL_FOLIAVO_DIR "/"), store);
    ASSERT_TRUE(programm);
    QStringList punkte;
    Sammle(programm->Hauptfenster()->menuBar()->actions(), {}, punkte);
    EXPECT_TRUE(punkte.contains(QStringLiteral("Beschriftungen > Kästchenrahmen"))) << punkte.join(u'\n').toStdString();
    const QStringList fehlend = Fehlende(programm->Hauptfenster()->menuBar(), HilfeText(LiesHilfe(FoliavoHilfe())));
    EXPECT_TRUE(fehlend.isEmpty()) << "not in the help: " << fehlend.join(u'\n').toStdString();
}

} // namespace
