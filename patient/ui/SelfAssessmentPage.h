#pragma once

#include "patient/PatientSummary.h"
#include "patient/SelfAssessment.h"

#include <QWidget>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace tiravel {

// The self-assessment page of the patient window: the five factors with
// their questions, track bars and answers, the total with its band, the
// before/after marks read back from the record, and the button that saves
// the assessment into the record.
class SelfAssessmentPage final : public QWidget {
public:
    explicit SelfAssessmentPage(QWidget* parent);

    // Questions, answers, captions and hints in the language.
    void setLanguage(Language language);
    const std::array<int, kFactorCount>& scores() const { return scores_; }

    // Moving a factor's track bar: panel colour, caption, score, total, hint.
    void trackChange(int factor);
    void TrackConfortChange() { trackChange(0); }
    void TrackEnduranceChange() { trackChange(1); }
    void TrackPerformanceChange() { trackChange(2); }
    void TrackQualityChange() { trackChange(3); }
    void TrackAdaptationChange() { trackChange(4); }
    void UpdateTotal();
    // Captions and track bars from the scores.
    void UpdateAutoEvaluationFromFactors();
    void ClearAutoEvaluation();
    // Sets the scores (each 1..5) and shows them.
    void setScores(const std::array<int, kFactorCount>& scores);

    // The "Avant :" mark from the first block, "Après :" from the last other.
    void showMarks(const std::vector<AssessmentMark>& marks);
    void hideMarks();

    // Runs when the save button is pressed.
    void setSaveAction(std::function<void()> action) { save_ = std::move(action); }
    QPushButton& saveButton() const { return *sbPatient_; }

private:
    struct Factor {
        QFrame* panel;
        QLabel* caption;
        QSlider* track;
        QLabel* question;
        QPlainTextEdit* answers;
    };
    struct Mark {
        QLabel* label;
        QFrame* shape;
        QLabel* date;
    };

    Factor makeFactor(int factor);
    Mark makeMark(const char* name);
    void showMark(Mark& mark, const char* title, const AssessmentMark& assessment);

    Language language_ = Language::French;
    std::array<int, kFactorCount> scores_ {3, 3, 3, 3, 3};
    std::array<Factor, kFactorCount> factors_;
    QFrame* PanelTotal_;
    QLabel* LabelTotal_;
    QLabel* LabelTotal2_;
    Mark before_;
    Mark after_;
    QPushButton* sbPatient_;
    std::function<void()> save_;
};

// Fills a frame with a colour of the scale.
void paintScaleColour(QWidget& widget, const ScaleColour& colour);

} // namespace tiravel
