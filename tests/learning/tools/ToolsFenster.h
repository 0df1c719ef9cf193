#pragma once

// The learning program started on a generated program folder, for the tests of
// the search, table and print windows.

#include "fixtures/DataFolder.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "tests/learning/KartivoTestStart.h"

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
        k = StarteKartivo(prog, store);
        ASSERT_TRUE(k);
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
