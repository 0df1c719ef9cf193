#pragma once

// The learning program started for a window test.

#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QString>

#include <memory>

namespace zl::test
{

// Kartivo on the program folder Prog with the settings in Store: no title window,
// no screen-mode check, the main window shown. Null when the start failed.
inline std::unique_ptr<TKartivo> StarteKartivo(const QString& Prog, SettingsStore& Store)
{
    KartivoStartOptionen o;
    o.ProgrammVerz = Prog;
    o.Store = &Store;
    o.Titelfenster = false;
    o.Bildschirmpruefung = false;
    auto k = std::make_unique<TKartivo>(o);
    if (!k->Starte())
        return nullptr;
    k->ZeigeHauptfenster();
    QApplication::processEvents();
    return k;
}

} // namespace zl::test
