#include "SummaryReport.h"

#include "RtfCharset.h"
#include "RtfWriter.h"
#include "TextRules.h"
#include "analysis/Spectrum.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

namespace tiravel {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxKeywordLength = 250;
constexpr std::size_t kProgressStep = 1000;
constexpr char kProductVersion[] = "TIRAVEL 4";
// Decimals read from a text carry rounding errors (1.7 reads as
// 1.7000000000000002): a value within this of a limit counts as the limit.
constexpr double kLimitTolerance = 1e-9;

// Marks written before a flagged value; the template's grouping ends them.
constexpr char kAlarm[] = "\\cf6 ";
constexpr char kBoldAlarm[] = "\\cf6 \\b ";
constexpr char kWarning[] = "\\cf13 ";
constexpr char kBoldWarning[] = "\\cf13 \\b ";
constexpr char kColourReset[] = "\\cf0 ";

enum class ValueKind { Text, Bold, Version, Anamnesis, PhonationTime, Indicator, Ratio, Notes, Factor, Picture };

// One keyword of the templates and the summary value it stands for.
struct ReportKeyword {
    std::string_view frenchSpanish;
    std::string_view english;
    ValueKind kind;
    std::string SummaryReportValues::*field = nullptr;
    int index = 0; // the factor or the picture
};

using V = SummaryReportValues;

// Searched in this order.
constexpr ReportKeyword kKeywords[] = {
    {"sexe", "sex", ValueKind::Text, &V::sex},
    {"nom-patient", "name", ValueKind::Bold, &V::name},
    {"version", "version", ValueKind::Version},
    {"date-consultation", "date-interview", ValueKind::Text, &V::consultationDate},
    {"prenom-patient", "surname", ValueKind::Bold, &V::surname},
    {"date-naissance", "birthdate", ValueKind::Text, &V::birthDate},
    {"anamnese", "anamnese", ValueKind::Anamnesis},
    {"profession", "job", ValueKind::Text, &V::job},
    {"pathologie", "pathology", ValueKind::Bold, &V::classification},
    {"motif-consultation", "reason", ValueKind::Text, &V::reason},
    {"tpm-avant", "mpt-before", ValueKind::PhonationTime, &V::phonationTime},
    {"ih-avant", "pi-before", ValueKind::Indicator, &V::pitchInstability},
    {"aa-avant", "aa-before", ValueKind::Indicator, &V::attackAlteration},
    {"ii-avant", "ii-before", ValueKind::Indicator, &V::amplitudeInstability},
    {"snr-avant", "snr-before", ValueKind::Indicator, &V::noiseSignal},
    {"ph-avant", "hp-before", ValueKind::Indicator, &V::harmonicPoverty},
    {"sz-avant", "sz-before", ValueKind::Ratio, &V::ratioSZ},
    {"f0-avant", "f0-before", ValueKind::Text, &V::meanF0},
    {"sirene-avant", "range-before", ValueKind::Text, &V::vocalRange},
    {"notes-sirene-avant", "notes-siren-before", ValueKind::Notes, &V::rangeNotes},
    {"az-avant", "az-before", ValueKind::Ratio, &V::ratioAZ},
    {"score-autoevaluation", "score-autoeval", ValueKind::Bold, &V::total},
    {"confort", "comfort", ValueKind::Factor, nullptr, 0},
    {"endurance", "endurance", ValueKind::Factor, nullptr, 1},
    {"performance", "performance", ValueKind::Factor, nullptr, 2},
    {"qualite", "quality", ValueKind::Factor, nullptr, 3},
    {"adaptation", "adaptation", ValueKind::Factor, nullptr, 4},
    {"image-spectrogramme", "image-spectrogram", ValueKind::Picture, nullptr, 0},
    {"image-puissance", "image-power", ValueKind::Picture, nullptr, 1},
    {"image-etendue-vocale", "image-vocal-range", ValueKind::Picture, nullptr, 2},
    {"image-phonetogramme", "image-profile", ValueKind::Picture, nullptr, 3},
};

constexpr const char* kPictureNames[] = {"Image spectrogram", "Image power", "Image vocal range", "Image phonetogram"};

// What a keyword puts into the report, and the text its log line shows.
struct Written {
    std::string rtf;
    std::string shown;
};

// The space after "\b0" ends the control word, so that a space or a digit
// that the template puts after the value stays text.
std::string bold(std::string_view text)
{
    return "\\b " + rtfText(text) + "\\b0 ";
}

bool above(double x, double limit)
{
    return x > limit + kLimitTolerance;
}

bool below(double x, double limit)
{
    return x < limit - kLimitTolerance;
}

// A field's number for its flag rule, clamped to the rule's range; not ok
// when the text is not a number. A number beyond the range is judged by the
// range's end (an indicator of 150 is an alarm, not unflagged).
LenientNumber flagValue(const std::string& text, double maximum, double minimum)
{
    constexpr double kUnbounded = 1e300;
    LenientNumber x = readLenientNumber(text, 0.0, kUnbounded, -kUnbounded);
    x.value = std::clamp(x.value, minimum, maximum);
    return x;
}

Written phonationTime(const std::string& text)
{
    const LenientNumber x = flagValue(text, 100.0, 1.0);
    if (x.ok && below(x.value, 10.0))
        return {kAlarm + bold(text) + kColourReset, text};
    return {bold(text), text};
}

std::string_view indicatorMark(const std::string& text)
{
    const LenientNumber x = flagValue(text, 100.0, 0.01);
    if (!x.ok || !above(x.value, 0.8))
        return "";
    return above(x.value, 1.5) ? kBoldAlarm : kBoldWarning;
}

std::string_view ratioMark(const std::string& text)
{
    const LenientNumber x = flagValue(text, 100.0, 0.01);
    if (!x.ok)
        return "";
    if (below(x.value, 0.3) || above(x.value, 1.7))
        return kBoldAlarm;
    if (below(x.value, 0.5) || above(x.value, 1.5))
        return kBoldWarning;
    return "";
}

// The alarm mark ends with a space, so that the number it precedes is not
// taken for the parameter of "\b".
Written rangeNotes(const std::string& text)
{
    const LenientNumber x = flagValue(text, 100.0, 1.0);
    const std::string shown = text + " notes";
    return {(x.ok && below(x.value, 8.0) ? kBoldAlarm : "") + rtfText(shown), shown};
}

Written factorSentence(const SummaryReportValues& values, int factor)
{
    const int score = roundEven(readLenientNumber(values.factorTexts[factor], 2.0, 5.0, 1.0).value);
    const std::string shown = std::to_string(score) + "/5 - " + values.factorAnswers[factor][score - 1];
    const char* mark = score <= 2 ? kAlarm : score == 3 ? kWarning : "";
    return {mark + rtfText(shown), shown};
}

// The anamnesis lines, each on a line of its own in the report.
Written anamnesis(const std::vector<std::string>& lines)
{
    std::string rtf;
    for (std::size_t i = 0; i < lines.size(); ++i)
        rtf += rtfText(lines[i]) + (i + 1 < lines.size() ? "\\line \n" : "\n");
    return {rtf, "Anamnese"};
}

std::optional<Written> picture(const ReportPicture& picture, int index)
{
    if (!canEmbedPicture(picture))
        return std::nullopt;
    std::ostringstream rtf;
    writeMetafilePicture(rtf, picture);
    return Written{rtf.str(), kPictureNames[index]};
}

std::optional<Written> valueOf(const ReportKeyword& keyword, const SummaryReportValues& values)
{
    static const std::string noText;
    const std::string& text = keyword.field ? values.*keyword.field : noText;
    switch (keyword.kind) {
    case ValueKind::Text: return Written{rtfText(text), text};
    case ValueKind::Bold: return Written{bold(text), text};
    case ValueKind::Version: return Written{kProductVersion, kProductVersion};
    case ValueKind::Anamnesis: return anamnesis(values.anamnesis);
    case ValueKind::PhonationTime: return phonationTime(text);
    case ValueKind::Indicator: return Written{std::string(indicatorMark(text)) + rtfText(text), text};
    case ValueKind::Ratio: return Written{std::string(ratioMark(text)) + rtfText(text), text};
    case ValueKind::Notes: return rangeNotes(text);
    case ValueKind::Factor: return factorSentence(values, keyword.index);
    case ValueKind::Picture: return picture(values.pictures[keyword.index], keyword.index);
    }
    return std::nullopt;
}

// The first entry that begins with the template's keyword.
const ReportKeyword* findKeyword(std::string_view keyword, Language language)
{
    for (const ReportKeyword& entry : kKeywords) {
        const std::string_view name = language == Language::English ? entry.english : entry.frenchSpanish;
        if (prefixMatch(keyword, name, keyword.size()))
            return &entry;
    }
    return nullptr;
}

// A keyword of the template (Windows-1252 bytes) in UTF-8 for the log.
std::string shownKeyword(std::string_view bytes)
{
    std::string text;
    for (const char byte : bytes)
        appendUtf8(text, decodeWindows1252(static_cast<unsigned char>(byte)));
    return text;
}

struct KeywordRead {
    std::string keyword;
    bool terminated = false;
};

// Skips a control word inside a keyword up to and including the space that
// ends it. A line end or the closing quote also ends it and stays to be read.
void skipControlWord(std::string_view text, std::size_t& pos)
{
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '"' || c == '\r' || c == '\n')
            return;
        ++pos;
        if (c == ' ')
            return;
    }
}

// Reads the keyword after an opening quote up to the closing one, leaving pos
// after it. Braces and control words are dropped; line ends go to out.
KeywordRead readKeyword(std::string_view text, std::size_t& pos, std::ostream& out)
{
    KeywordRead read;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"') {
            read.terminated = true;
            break;
        }
        if (c == '\r' || c == '\n')
            out.put(c);
        else if (c == '\\')
            skipControlWord(text, pos);
        else if (c != '{' && c != '}' && read.keyword.size() < kMaxKeywordLength)
            read.keyword += c;
    }
    return read;
}

void substitute(const std::string& keyword, std::ostream& out, const SummaryReportValues& values, Language language,
    std::vector<std::string>& logLines)
{
    const ReportKeyword* entry = findKeyword(keyword, language);
    const std::optional<Written> written = entry ? valueOf(*entry, values) : std::nullopt;
    if (!written) {
        logLines.push_back(shownKeyword(keyword) + " ignoré");
        return;
    }
    out << written->rtf;
    logLines.push_back(shownKeyword(keyword) + " -> " + written->shown);
}

bool readTemplate(const fs::path& path, std::string& text)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    text = bytes.str();
    return !file.bad();
}

std::string patientsFolderHint(Language language)
{
    const std::string separator(1, fs::path::preferred_separator);
    switch (language) {
    case Language::English: return "Please select a directory in \"" + separator + "my patients\"";
    case Language::Spanish: return "Por favor, seleccione un directorio en \"" + separator + "mis pacientes\"";
    case Language::French: break;
    }
    return "Sélectionner un répertoire dans \"" + separator + "mes patients\"";
}

} // namespace

const char* reportTemplateName(Language language)
{
    return TriText{"fiche-reference.rtf", "reference-file.rtf", "ficha-referencia.rtf"}.in(language);
}

const char* reportDefaultFileName(Language language)
{
    return TriText{"fiche-bilan.rtf", "summary-file.rtf", "ficha-balance.rtf"}.in(language);
}

bool isForbiddenReportFolder(const fs::path& folder)
{
    std::string text = folder.lexically_normal().string();
    while (text.size() > 1 && text.back() == fs::path::preferred_separator)
        text.pop_back();
    return fs::path(text).filename() == "div_tiravel";
}

ReportMessage reportErrorMessage(ReportStatus status, Language language, const std::string& outputFileName)
{
    switch (status) {
    case ReportStatus::ForbiddenFolder:
        return {TriText{"Erreur: répertoire protégé", "Error: forbidden directory", "Directorio prohibido: Error"}.in(
                    language),
            patientsFolderHint(language)};
    case ReportStatus::TemplateUnreadable:
        return {TriText{"Erreur: le fichier \"fiche-reference.rtf\" n'est pas accessible",
                    "Error: could not read \"reference-file.rtf\"", "Error: No se pudo leer \"ficha-referencia.rtf\""}
                    .in(language),
            TriText{"Le fichier est utilisé par une autre application", "The file is used by another application",
                "El archivo es utilizado por otra aplicación"}
                .in(language)};
    case ReportStatus::OutputUncreatable:
        return {TriText{"Accès au fichier refusé", "Cannot generate file", "Cannot generate file"}.in(language),
            outputFileName
                + TriText{" est peut-être déjà ouvert", " file already opened", " file already opened"}.in(language)};
    case ReportStatus::Done: break;
    }
    return {};
}

std::string reportDoneText(Language language, const std::string& fileName)
{
    return TriText{"Fiche de synthèse", "Summary file", "Ficha balance"}.in(language) + (" " + fileName)
        + TriText{" créée avec succès", " successfully generated", " generado correctamente"}.in(language);
}

void fillReportTemplate(std::string_view templateText, std::ostream& out, const SummaryReportValues& values,
    Language language, std::vector<std::string>& logLines, const std::function<void(int)>& progress)
{
    std::size_t copied = 0;
    for (std::size_t pos = 0; pos < templateText.size();) {
        const char c = templateText[pos++];
        if (c != '"') {
            out.put(c);
            if (++copied % kProgressStep == 0 && progress)
                progress(roundEven(copied * 100.0 / templateText.size()));
            continue;
        }
        const KeywordRead read = readKeyword(templateText, pos, out);
        if (!read.terminated)
            return;
        substitute(read.keyword, out, values, language, logLines);
    }
}

ReportResult generateSummaryReport(const fs::path& templateFile, const fs::path& output,
    const SummaryReportValues& values, Language language, const std::function<void(int)>& progress)
{
    std::error_code error;
    const fs::path target = fs::absolute(output, error);
    if (isForbiddenReportFolder((error ? output : target).parent_path()))
        return {ReportStatus::ForbiddenFolder, {}};
    std::string templateText;
    if (!readTemplate(templateFile, templateText))
        return {ReportStatus::TemplateUnreadable, {}};
    if (fs::equivalent(templateFile, output, error)) // the report would replace its template
        return {ReportStatus::ForbiddenFolder, {}};
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    if (!file)
        return {ReportStatus::OutputUncreatable, {}};
    ReportResult result{ReportStatus::Done, {}};
    fillReportTemplate(templateText, file, values, language, result.log, progress);
    file.close();
    if (file.fail())
        result.status = ReportStatus::OutputUncreatable;
    else if (progress)
        progress(100);
    return result;
}

} // namespace tiravel
