#pragma once

#include "WindowPresenter.h"

namespace tiravel {

// The program's presenter: the window runs its own event loop until it is
// closed.
class ExecPresenter final : public WindowPresenter {
public:
    void showModal(QDialog& window) override;
};

} // namespace tiravel
