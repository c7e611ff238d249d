#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace tiravel {

class WindowPresenter;

// The file dialogs of the patient window: choosing a recording for the
// before/after page and the name of a summary report.
class PatientFileDialogs {
public:
    virtual ~PatientFileDialogs() = default;
    // A WAV file to open; nothing when the user cancels.
    virtual std::optional<std::string> chooseSoundFile(QWidget& parent, const QString& title) = 0;
    // Where to write the report, proposing proposedPath; nothing when cancelled.
    virtual std::optional<std::string> chooseReportFile(QWidget& parent, const QString& title,
        const QString& proposedPath) = 0;
};

// The standard dialogs, shown through the program's presenter.
class PresentedPatientFileDialogs final : public PatientFileDialogs {
public:
    explicit PresentedPatientFileDialogs(WindowPresenter& presenter) : presenter_(presenter) {}
    std::optional<std::string> chooseSoundFile(QWidget& parent, const QString& title) override;
    std::optional<std::string> chooseReportFile(QWidget& parent, const QString& title,
        const QString& proposedPath) override;

private:
    WindowPresenter& presenter_;
};

} // namespace tiravel
