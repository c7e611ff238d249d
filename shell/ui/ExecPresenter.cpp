#include "ExecPresenter.h"

#include <QDialog>

namespace tiravel {

void ExecPresenter::showModal(QDialog& window)
{
    window.exec();
}

} // namespace tiravel
