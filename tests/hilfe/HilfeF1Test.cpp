// F1 in both programs, offscreen with a recording document opener: the document asked for
// is the help's start page in the built program folder, and no box is shown.

#include "HilfeDokumente.h"

#include "learning/mainwindow/widgets/zl_main.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/DocumentOpener.h"
#include "tests/learning/KartivoTestStart.h"
#include "tests/worksheet/FoliavoTestStart.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_start.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zl;
using namespace zl::test;

namespace
{

// Presses F1 in the active main window and returns the documents opened.
QStringList DrueckeF1(QWidget* Fenster)
{
    ScopedDocumentRecorder dokumente;
    // Shortcuts of the menu bar act in the active window only.
    Fenster->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Fenster, 2000));
    QTest::keyClick(Fenster, Qt::Key_F1);
    QApplication::processEvents();
    return dokumente.opened;
}

// The local file a document address names ("file://" addresses and plain paths alike).
QString Datei(const QString& Dokument)
{
    return QUrl::fromUserInput(Dokument).toLocalFile();
}

void PruefeHilfe(const QStringList& Geoeffnet, const QString& Hilfeordner)
{
    ASSERT_EQ(Geoeffnet.size(), 1) << Geoeffnet.join(u'\n').toStdString();
    const QFileInfo f(Datei(Geoeffnet.first()));
    EXPECT_TRUE(f.isFile()) << Geoeffnet.first().toStdString();
    EXPECT_EQ(f.canonicalFilePath(), QFileInfo(Hilfeordner + QStringLiteral("/index.html")).canonicalFilePath());
}

TEST(HilfeF1, KartivoOpensTheHelpOfItsProgramFolder)
{
    ScopedMessageRecorder boxen;
    MemorySettingsStore store;
    auto k = StarteKartivo(QStringLiteral(ZL_KARTIVO_DIR "/"), store);
    ASSERT_TRUE(k);
    PruefeHilfe(DrueckeF1(k->Hauptfenster()), KartivoHilfe());
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

TEST(HilfeF1, FoliavoOpensTheHelpOfItsProgramFolder)
{
    ScopedMessageRecorder boxen;
    MemorySettingsStore store;
    auto programm = StarteFoliavo(QStringLiteral(ZL_FOLIAVO_DIR "/"), store);
    ASSERT_TRUE(programm);
    PruefeHilfe(DrueckeF1(programm->Hauptfenster()), FoliavoHilfe());
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

} // namespace
