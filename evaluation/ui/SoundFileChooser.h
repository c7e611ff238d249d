#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace tiravel {

class WindowPresenter;

// Asks the user for a sound file to open.
class SoundFileChooser {
public:
    virtual ~SoundFileChooser() = default;
    // The chosen file's full path; nothing when the user cancels.
    virtual std::optional<std::string> chooseSoundFile(QWidget& parent, const QString& title, const QString& filter) = 0;
};

// The standard open dialog, shown through the program's presenter.
class PresentedSoundFileChooser final : public SoundFileChooser {
public:
    explicit PresentedSoundFileChooser(WindowPresenter& presenter) : presenter_(presenter) {}
    std::optional<std::string> chooseSoundFile(QWidget& parent, const QString& title, const QString& filter) override;

private:
    WindowPresenter& presenter_;
};

} // namespace tiravel
