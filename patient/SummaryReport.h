#pragma once

#include "ReportPicture.h"
#include "shell/LanguageTexts.h"

#include <array>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tiravel {

// The texts of the summary tab as the user sees them (UTF-8), and the
// pictures that the report embeds.
struct SummaryReportValues {
    std::string sex, name, consultationDate, surname, birthDate, job, classification, reason;
    std::vector<std::string> anamnesis; // the lines of the anamnesis memo
    std::string phonationTime, pitchInstability, attackAlteration, amplitudeInstability, noiseSignal,
        harmonicPoverty, ratioSZ, meanF0, vocalRange, rangeNotes, ratioAZ, total;
    // The texts of the five factor combo boxes: comfort, endurance,
    // performance, quality, adaptation.
    std::array<std::string, 5> factorTexts;
    // [factor][score - 1]: the answer texts of the report's language.
    std::array<std::array<std::string, 5>, 5> factorAnswers;
    // Spectrogram, power, vocal range, phonetogram.
    std::array<ReportPicture, 4> pictures;
};

// "fiche-reference.rtf", "reference-file.rtf" or "ficha-referencia.rtf".
const char* reportTemplateName(Language language);
// The file name that the save dialog proposes: "fiche-bilan.rtf", ...
const char* reportDefaultFileName(Language language);

// True for the data folder itself (last component "div_tiravel", trailing
// separators ignored), where the patient documents live and no report may
// be written. Its sub-folders are accepted.
bool isForbiddenReportFolder(const std::filesystem::path& folder);

enum class ReportStatus { Done, ForbiddenFolder, TemplateUnreadable, OutputUncreatable };

// The two texts of the error window.
struct ReportMessage {
    std::string first, second;
};

// The error window's texts for a failed generation (empty for Done);
// outputFileName starts the second text of an uncreatable output.
ReportMessage reportErrorMessage(ReportStatus status, Language language, const std::string& outputFileName);

// "Fiche de synthèse <name> créée avec succès" and its translations.
std::string reportDoneText(Language language, const std::string& fileName);

// Copies an RTF template to out, replacing each keyword between double
// quotes by its value with the marks that flag abnormal values. Keywords are
// read without braces and control words; line ends inside them are copied.
// An unterminated keyword ends the copy. logLines receives one line per
// keyword: the keyword, " -> " and what was written, or the keyword and
// " ignoré". progress(percent) is called every 1000 copied characters.
void fillReportTemplate(std::string_view templateText, std::ostream& out, const SummaryReportValues& values,
    Language language, std::vector<std::string>& logLines, const std::function<void(int)>& progress);

struct ReportResult {
    ReportStatus status;
    std::vector<std::string> log; // the lines of the keyword memo
};

// Checks the output's folder, reads the template and writes the report to
// output, replacing it. Nothing is written when the folder is forbidden, the
// template unreadable, or the output is the template itself (refused as a
// forbidden folder). progress(percent) follows the copy and ends with 100.
ReportResult generateSummaryReport(const std::filesystem::path& templateFile, const std::filesystem::path& output,
    const SummaryReportValues& values, Language language, const std::function<void(int)>& progress);

} // namespace tiravel
