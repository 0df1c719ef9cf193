#pragma once

// The learning program started on a generated program folder, for the tests of
// the search, table and print windows.

#include "fixtures/DataFolder.h"
#include "learning/mainwindow/zl_main.h"
#include "learning/mainwindow/zl_main_start.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace zl::test
{

class ToolsFenster : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A German desktop: the number edits show a decimal comma.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ASSERT_TRUE(dir.isValid());
        prog = dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog, fixtures::Options{MitBildern}));
        KartivoStartOptionen o;
        o.ProgrammVerz = prog;
        o.Store = &store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        k = std::make_unique<TKartivo>(o);
        ASSERT_TRUE(k->Starte());
        k->ZeigeHauptfenster();
        QApplication::processEvents();
        boxen.clear();
    }
    void TearDown() override
    {
        k.reset();
        QLocale::setDefault(QLocale::c());
    }

    bool MitBildern = false;
    QTemporaryDir dir;
    QString prog;
    MemorySettingsStore store;
    std::unique_ptr<TKartivo> k;
    ScopedMessageRecorder boxen;
};

} // namespace zl::test
