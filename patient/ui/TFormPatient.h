#pragma once

#include "shell/ui/ToolWindow.h"

#include <QColor>

#include <filesystem>
#include <string>

class QTabWidget;
class QWidget;

namespace tiravel {

// The patient record: the document of the current patient and its pages
// (anamnesis, pathology, self-assessment, before/after, summary report).
class TFormPatient final : public ToolWindow {
public:
    explicit TFormPatient(Program& program);
    ~TFormPatient() override;

    void FormCreate() override;

    // --- What the tools use --------------------------------------------------------
    // Appends one line at the end of the document in the current attributes.
    void appendPatientLine(const std::string& text);
    // The attributes of the lines appended next; reset them after use.
    void setLineAttributes(bool bold, const QColor& colour = Qt::black);
    void resetLineAttributes();
    // The plain text of document line index (0 is the first), empty when none.
    std::string patientLine(int index) const;
    // The name typed in the summary tab (EditSummaryName).
    std::string summaryName() const;
    // Makes the patients folder current (created when missing) and returns it;
    // the tools save their pictures there.
    std::filesystem::path prepareWorkingFolder();
    // Records the sound just analysed on the evaluation screen as the
    // patient's recording before or after therapy.
    void UpdateAAvant(const std::string& fileName);
    void UpdateAApres(const std::string& fileName);

    // Selects the page that compares the indicators before and after therapy.
    void showBeforeAfterPage();
    // The page shown, by its name ("TabAvantApres").
    QString currentPageName() const;

private:
    struct Controls;
    std::unique_ptr<Controls> c_;
};

} // namespace tiravel
