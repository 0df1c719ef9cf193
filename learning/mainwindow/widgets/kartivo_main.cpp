// Kartivo: starts the learning program and runs its message loop.
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/MessageService.h"
#include "platform/widgets/QtMessageService.h"
#include "platform/widgets/ZlApplication.h"

int main(int argc, char** argv)
{
    zl::ZlApplication app(argc, argv);
    zl::QtMessageService boxes;
    zl::setMessageService(&boxes);
    int rc = 0;
    {
        zl::TKartivo programm{zl::KartivoStartOptionen{}};
        if (programm.Starte()) {
            programm.ZeigeHauptfenster();
            rc = app.exec();
        }
    }
    zl::setMessageService(nullptr);
    return rc;
}
