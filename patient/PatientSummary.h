#pragma once

#include "shell/LanguageTexts.h"

#include <array>
#include <string>
#include <vector>

namespace tiravel {

// One self-assessment block of a document: its scores and the date line
// read before it.
struct AssessmentMark {
    std::array<int, 5> scores;
    std::string dateLine;
    bool operator==(const AssessmentMark&) const = default;
};

// The values read back from a patient document, as shown in the summary tab.
struct PatientSummary {
    static constexpr int kFactorCount = 5;
    static constexpr int kClearedScore = 2;

    std::string name = "inconnu";
    std::string surname;
    std::string sex;
    std::string birthDate = "01/01/1960";
    std::string job;
    std::string reason;
    std::string classification;
    std::string classificationChoice; // the matching classification entry
    // Comfort, endurance, performance, quality, adaptation; 1..5 each.
    std::array<int, kFactorCount> scores = {2, 2, 2, 2, 2};
    std::string total = "5/25";
    std::string phonationTime;
    std::string ratioSZ;
    std::string ratioAZ;
    std::string meanF0;
    std::string vocalRange;
    std::string rangeNotes;
    std::string attackAlteration;
    std::string pitchInstability;
    std::string amplitudeInstability;
    std::string noiseSignal;
    std::string harmonicPoverty;
    std::vector<std::string> anamnesis;
    std::string lastDateLine;
    // Every self-assessment block in document order: the first is shown as
    // "before", the last of the others as "after".
    std::vector<AssessmentMark> assessments;

    void clearId(Language language);
    void clearAutoEvaluation();
    void clearEndurance();
};

// Fills the summary from the lines of a patient document; classificationList
// holds the texts of the classification entries.
void readSummaryLines(const std::vector<std::string>& lines, Language language, PatientSummary& summary,
    const std::vector<std::string>& classificationList);

} // namespace tiravel
