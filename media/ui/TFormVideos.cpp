#include "TFormVideos.h"

namespace tiravel {

TFormVideos::TFormVideos(Program& program)
    : ToolWindow(program, "FormVideos", {"Vidéos", "Videos", "Vídeos"})
{
}

} // namespace tiravel
