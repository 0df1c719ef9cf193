#pragma once

// The worksheet program started for a window test.

#include "platform/SettingsStore.h"
#include "worksheet/widgets/ab_start.h"

#include <QApplication>
#include <QString>

#include <memory>

namespace zl::test
{

// Foliavo on the program folder Prog with the settings in Store: no title window,
// no screen-mode check, the main window shown. Null when the start failed.
inline std::unique_ptr<ab::TFoliavo> StarteFoliavo(const QString& Prog, SettingsStore& Store)
{
    ab::FoliavoStartOptionen o;
    o.ProgrammVerz = Prog;
    o.Store = &Store;
    o.Titelfenster = false;
    o.Bildschirmpruefung = false;
    auto f = std::make_unique<ab::TFoliavo>(o);
    if (!f->Starte())
        return nullptr;
    f->ZeigeHauptfenster();
    QApplication::processEvents();
    return f;
}

} // namespace zl::test
