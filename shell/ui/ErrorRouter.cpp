#include "ErrorRouter.h"

#include "WindowPresenter.h"

namespace tiravel {

ErrorRouter::ErrorRouter(WindowPresenter& presenter)
    : presenter_(presenter)
{
}

void ErrorRouter::DisplayError(const std::string& text1, const std::string& text2)
{
    if (errorWindow_ != nullptr)
        errorWindow_->DisplayError(text1, text2);
    else
        presenter_.showMessage(QString::fromStdString(text1), QString::fromStdString(text2));
}

void ErrorRouter::ShowMessage(const std::string& text, const std::string& title)
{
    if (errorWindow_ != nullptr)
        errorWindow_->ShowMessage(text, title);
    else
        presenter_.showMessage(QString::fromStdString(text), QString::fromStdString(title));
}

} // namespace tiravel
