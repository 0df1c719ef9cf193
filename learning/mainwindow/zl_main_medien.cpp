// The main window's part of sounds and videos.

#include "learning/mainwindow/zl_avi.h"
#include "learning/mainwindow/zl_main.h"

namespace zl
{

bool TForm1::VideosVorhanden() const
{
    return zl::VideosVorhanden();
}

} // namespace zl
