// Foliavo: starts the worksheet program and runs its message loop.
#include "platform/MessageService.h"
#include "platform/widgets/QtMessageService.h"
#include "platform/widgets/ZlApplication.h"
#include "worksheet/widgets/ab_start.h"

int main(int argc, char** argv)
{
    zl::ZlApplication app(argc, argv);
    zl::QtMessageService boxes;
    zl::setMessageService(&boxes);
    int rc = 0;
    {
        zl::ab::TFoliavo programm{zl::ab::FoliavoStartOptionen{}};
        if (programm.Starte()) {
            programm.ZeigeHauptfenster();
            rc = app.exec();
        }
    }
    zl::setMessageService(nullptr);
    return rc;
}
