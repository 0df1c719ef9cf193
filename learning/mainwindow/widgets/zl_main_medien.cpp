// The main window's part of sounds and videos.

#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mapview/widgets/zl_avi.h"

namespace zl
{

bool TForm1::VideosVorhanden() const
{
    return zl::VideosVorhanden();
}

} // namespace zl
