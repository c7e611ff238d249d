#pragma once

#include "patient/PatientSummary.h"
#include "patient/SummaryReport.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tiravel {

// The summary page: the values read back from the record, which the user may
// correct, the four pictures, and the report generation with its progress,
// completion label and (expert) keyword memo.
class SummaryPage final : public QWidget {
public:
    explicit SummaryPage(QWidget* parent);

    void setLanguage(Language language, bool expertMode);
    // Shows the summary in the boxes (the reason and classification only
    // when the record gives them).
    void show(const PatientSummary& summary);
    // The summary as the boxes hold it.
    void readInto(PatientSummary& summary) const;
    // The factor combo boxes' sum, as "15/25 - Gêne modérée".
    void RecomputeAutoevalTotal();
    // Loads the pictures whose files exist; the others are marked absent.
    void showPictures(const std::array<std::string, 4>& paths);
    // The report's values: the boxes, the memo lines and the pictures.
    SummaryReportValues reportValues(const std::string& today) const;

    // ResetDone: the completion label hidden and the button's caption back.
    void ResetDone();
    void showDone(const std::string& fileName);
    void setProgress(int percent);
    void setKeywordLog(const std::vector<std::string>& lines);
    void setGenerateAction(std::function<void()> action);
    QPushButton& generateButton() const { return *sbGenerateFile_; }
    QLineEdit& nameBox() const { return *EditSummaryName_; }
    QPlainTextEdit& anamnesisMemo() const { return *MemoAnamnese_; }

private:
    // An edit box and the summary field it shows.
    using Field = std::pair<QLineEdit*, std::string PatientSummary::*>;
    std::vector<Field> fields() const;
    QLineEdit* addField(const char* name);

    Language language_ = Language::French;
    QLineEdit* EditSummaryName_;
    QLineEdit* EditSummarySurname_;
    QLineEdit* EditSummarySex_;
    QLineEdit* EditSummaryBirthDate_;
    QLineEdit* EditSummaryJob_;
    QLineEdit* EditSummaryReason_;
    QLineEdit* EditSummaryClassification_;
    std::array<QComboBox*, 5> factorCombos_ {};
    QLineEdit* EditSummaryTotal_;
    QLineEdit* EditSummaryTPM_;
    QLineEdit* EditSummarySZ_;
    QLineEdit* EditSummaryAZ_;
    QLineEdit* EditSummaryF0_;
    QLineEdit* EditSummaryRange_;
    QLineEdit* EditSummaryNotes_;
    QLineEdit* EditSummaryAA_;
    QLineEdit* EditSummaryIH_;
    QLineEdit* EditSummaryIA_;
    QLineEdit* EditSummarySNR_;
    QLineEdit* EditSummaryPH_;
    QPlainTextEdit* MemoAnamnese_;
    std::array<QLabel*, 4> images_ {};
    std::array<QImage, 4> pictures_ {};
    std::array<bool, 4> present_ {};
    QPushButton* sbGenerateFile_;
    QProgressBar* ProgressRtf_;
    QLabel* LabelDone_;
    QPlainTextEdit* MemoKeywords_;
    std::vector<std::pair<QLabel*, TriText>> captions_;
};

} // namespace tiravel
