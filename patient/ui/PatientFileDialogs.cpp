#include "PatientFileDialogs.h"

#include "shell/ui/WindowPresenter.h"

#include <QFileDialog>

namespace tiravel {

namespace {

std::optional<std::string> chosenFile(QFileDialog& dialog, WindowPresenter& presenter)
{
    presenter.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

std::optional<std::string> PresentedPatientFileDialogs::chooseSoundFile(QWidget& parent, const QString& title)
{
    QFileDialog dialog(&parent, title, QString(), QStringLiteral("WAV files (*.WAV *.wav);;All files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return chosenFile(dialog, presenter_);
}

std::optional<std::string> PresentedPatientFileDialogs::chooseReportFile(QWidget& parent, const QString& title,
    const QString& proposedPath)
{
    QFileDialog dialog(&parent, title, proposedPath,
        QStringLiteral("Fichiers RTF (*.RTF *.rtf);;Tous les fichiers (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("RTF"));
    return chosenFile(dialog, presenter_);
}

} // namespace tiravel
