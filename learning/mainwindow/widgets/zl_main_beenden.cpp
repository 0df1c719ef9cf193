// The main window's quit: nothing left running or shown once "Beenden" is chosen.
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mapview/widgets/zl_titel.h"

#include <QApplication>
#include <QTimer>

namespace zl
{

void TForm1::RaeumeBeimBeenden()
{
    ZeitTimer->stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        for (QTimer* t : w->findChildren<QTimer*>())
            t->stop();
        if (auto* Titel = dynamic_cast<TTitelForm*>(w))
            Titel->Schliessen();
        else if (w->isVisible() && w != this)
            w->hide();
    }
    hide();
}

} // namespace zl
