#include "WindowPresenter.h"

#include <QMessageBox>

namespace tiravel {

void WindowPresenter::showMessage(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    showModal(box);
}

} // namespace tiravel
