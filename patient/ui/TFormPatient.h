#pragma once

#include "shell/ui/ToolWindow.h"

class QTabWidget;
class QWidget;

namespace tiravel {

// The patient record: the document of the current patient and its pages
// (anamnesis, pathology, self-assessment, before/after, summary report).
class TFormPatient final : public ToolWindow {
public:
    explicit TFormPatient(Program& program);

    void FormCreate() override;
    // Selects the page that compares the indicators before and after therapy.
    void showBeforeAfterPage();
    // The page shown, by its name ("TabAvantApres").
    QString currentPageName() const;

private:
    QWidget& addPage(const char* name);

    QTabWidget* pages_;
    QWidget* tabAnamnese_;
    QWidget* tabPathologie_;
    QWidget* tabAutoEvaluation_;
    QWidget* tabAvantApres_;
    QWidget* tabBilan_;
};

} // namespace tiravel
