#pragma once

#include <QString>

class QDialog;

namespace tiravel {

// Shows a window modally. The program's presenter runs the window's own
// event loop until it closes; the tests' presenter only records it, so a
// handler that opens a window never blocks a test.
class WindowPresenter {
public:
    virtual ~WindowPresenter() = default;
    virtual void showModal(QDialog& window) = 0;

    // A standard message box with an OK button, shown through showModal.
    void showMessage(const QString& text, const QString& title);
};

} // namespace tiravel
