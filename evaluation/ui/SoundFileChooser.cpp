#include "SoundFileChooser.h"

#include "shell/ui/WindowPresenter.h"

#include <QFileDialog>

namespace tiravel {

std::optional<std::string> PresentedSoundFileChooser::chooseSoundFile(QWidget& parent, const QString& title,
    const QString& filter)
{
    QFileDialog dialog(&parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    presenter_.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace tiravel
