#include "TiravelWindow.h"

#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"

namespace tiravel {

TiravelWindow::TiravelWindow(Program& program, const char* name)
    : program_(program)
{
    setObjectName(QString::fromLatin1(name));
}

void TiravelWindow::UpdateOptions()
{
    ++optionsUpdateCount_;
    prepareOptions();
}

void TiravelWindow::FormResize()
{
    ++resizeCount_;
    layoutControls();
}

void TiravelWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

ProgramState& TiravelWindow::state() const
{
    return program_.state();
}

Language TiravelWindow::language() const
{
    return program_.state().language();
}

QString TiravelWindow::text3(const char* french, const char* english, const char* spanish) const
{
    return text3(TriText{french, english, spanish});
}

QString TiravelWindow::text3(const TriText& text) const
{
    return QString::fromUtf8(text.in(language()));
}

QString TiravelWindow::languageText(int n) const
{
    return QString::fromStdString(program_.state().languageTexts[n]);
}

} // namespace tiravel
