#pragma once

#include "SaveNameDialog.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace tiravel {

class WindowPresenter;

// The recorder's save dialog: a file dialog in the current folder, shown
// modally by the program's presenter.
class OpenSaveDialog final : public SaveNameDialog {
public:
    OpenSaveDialog(WindowPresenter& presenter, QWidget& parent);

    void setTexts(const QString& title, const QStringList& filters);
    std::optional<std::string> ask(const std::string& suggested) override;

private:
    WindowPresenter& presenter_;
    QWidget& parent_;
    QString title_;
    QStringList filters_;
};

} // namespace tiravel
