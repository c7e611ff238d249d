#pragma once

#include "shell/ui/ToolWindow.h"

#include <QColor>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QShowEvent;

namespace tiravel {

class PatientFileDialogs;
class PatientStore;
struct PatientSummary;

// The patient record: the document of the current patient, the list of the
// records of the data folder, and the pages that feed and read the document
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

    // --- The record ------------------------------------------------------------------
    void FormActivate();
    void FileListClick();
    void FileListBoxChange();
    void sbNewClick();
    void sbClearSpaceClick();
    void sbSaveClick();
    void sbQuitClick();
    void sbErasePatientClick();
    void sbHelpClick();
    void PageControlPatientChange();
    void UpdatePatientName(int option);
    void UpdateSummaryFromPatientFile();
    void ClearMarkers();
    void ClearAutoEvaluation();
    void ClearId();
    void ClearEndurance();

    // --- Pages -----------------------------------------------------------------------
    void TreeViewClick();
    void ListPathoClick();
    void EditSearchChange();
    void sbSavePathoClick();
    void sbPatientClick(); // saves the self-assessment into the document
    void sbAAvantClick();
    void sbAApresClick();
    void sbGenerateFileClick();

    // Selects the page that compares the indicators before and after therapy.
    void showBeforeAfterPage();
    // The page shown, by its name ("TabAvantApres").
    QString currentPageName() const;
    // The record's lines as plain text.
    std::vector<std::string> documentLines() const;
    const PatientSummary& summary() const;
    // Where the file dialogs come from (the standard ones by default).
    void setFileDialogs(PatientFileDialogs& dialogs);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    struct Controls;

    void buildLeftColumn(QWidget* panel);
    void buildAnamnesisPage();
    void buildPathologyPage();
    void setTexts();
    void loadAnamnesisTree();
    void fillClassificationList();
    void refreshList();
    void selectCurrentPatient();
    // Replaces the document with a record file; false (document kept) when
    // the file cannot be read as a record.
    bool loadDocument(const std::filesystem::path& file);
    bool loadTemplate();
    // Saves the document under the current patient name; false after an
    // error message when it could not be saved.
    bool saveOnLeave();
    bool saveDocument(const std::string& fileName);
    void showBlankRecord();
    void startBlankRecord();
    void setCurrentPatient(const std::string& name);
    void updateRecording(bool before, const std::string& fileName);
    void chooseRecording(bool before);
    std::string defaultName() const;
    std::filesystem::path referenceFile(const char* name) const;
    PatientStore store() const;

    std::unique_ptr<Controls> c_;
};

} // namespace tiravel
