#include "TFormRecord.h"

namespace tiravel {

TFormRecord::TFormRecord(Program& program)
    : ToolWindow(program, "FormRecord", {"Enregistrer un son", "Record a sound", "Grabar un sonido"})
{
}

} // namespace tiravel
