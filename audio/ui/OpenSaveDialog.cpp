#include "OpenSaveDialog.h"

#include "shell/ui/WindowPresenter.h"

#include <QDir>
#include <QFileDialog>

namespace tiravel {

OpenSaveDialog::OpenSaveDialog(WindowPresenter& presenter, QWidget& parent)
    : presenter_(presenter)
    , parent_(parent)
{
}

void OpenSaveDialog::setTexts(const QString& title, const QStringList& filters)
{
    title_ = title;
    filters_ = filters;
}

std::optional<std::string> OpenSaveDialog::ask(const std::string& suggested)
{
    QFileDialog dialog(&parent_, title_, QDir::currentPath());
    dialog.setObjectName(QStringLiteral("OpenSave"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters_);
    dialog.selectFile(QString::fromStdString(suggested));
    presenter_.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace tiravel
