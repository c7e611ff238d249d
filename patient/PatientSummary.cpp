#include "PatientSummary.h"

#include "PatientKeywords.h"
#include "TextRules.h"
#include "analysis/Spectrum.h"

#include <initializer_list>
#include <span>

namespace tiravel {

namespace {

constexpr int kFirstFactorText = 14;
constexpr std::size_t kClassificationCodeLength = 4;

// What every rule sees while reading one line.
struct LineContext {
    const PatientKeywords& keys;
    Language language;
    const std::vector<std::string>& classificationList;
    const std::string& line;
    const LineWords& w;
    PatientSummary& summary;
};

bool begins(const LineWords& w, int i, std::string_view keyword)
{
    return prefixMatch(keyword, w[i], keyword.size());
}

// Three words joined by spaces, without the trailing spaces of missing ones
// (a date typed as "12/03/1970" is one word).
std::string threeWords(const LineWords& w, int first)
{
    std::string joined = w[first] + " " + w[first + 1] + " " + w[first + 2];
    joined.erase(joined.find_last_not_of(' ') + 1);
    return joined;
}

bool readBirthDate(LineContext& c)
{
    if (c.language == Language::English && begins(c.w, 1, c.keys.birth)) {
        c.summary.birthDate = threeWords(c.w, 2);
        return true;
    }
    if (c.language != Language::English && begins(c.w, 3, c.keys.birth)) {
        c.summary.birthDate = threeWords(c.w, 4);
        return true;
    }
    return false;
}

bool readClassification(LineContext& c)
{
    if (!begins(c.w, 1, c.keys.classification))
        return false;
    c.summary.classification = c.w.joinFrom(2);
    for (const std::string& entry : c.classificationList) {
        if (prefixMatch(entry, c.summary.classification, kClassificationCodeLength)) {
            c.summary.classificationChoice = entry;
            break;
        }
    }
    return true;
}

bool readAttack(LineContext& c)
{
    if (!begins(c.w, 3, c.keys.attack) && !begins(c.w, 2, c.keys.attack))
        return false;
    c.summary.attackAlteration = c.w.joinFrom(4);
    return true;
}

// The value after the keyword at word 4 or 3, or, in the given language only,
// the value at word 4 after the keyword at word 2.
bool readInstability(LineContext& c, std::string_view keyword, bool thirdWordAllowed, Language wordTwoLanguage,
    std::string& field)
{
    if (begins(c.w, 4, keyword))
        field = c.w[5];
    else if (thirdWordAllowed && begins(c.w, 3, keyword))
        field = c.w[4];
    else if (c.language == wordTwoLanguage && begins(c.w, 2, keyword))
        field = c.w[4];
    else
        return false;
    return true;
}

bool readPitch(LineContext& c)
{
    return readInstability(c, c.keys.pitch, true, Language::English, c.summary.pitchInstability);
}

bool readIntensity(LineContext& c)
{
    return readInstability(c, c.keys.intensity, c.language == Language::Spanish, Language::English,
        c.summary.amplitudeInstability);
}

bool readNoise(LineContext& c)
{
    if (!begins(c.w, 3, c.keys.noise) && !begins(c.w, 2, c.keys.noise))
        return false;
    c.summary.noiseSignal = c.w[4];
    return true;
}

bool readHarmonic(LineContext& c)
{
    if (!begins(c.w, 2, c.keys.harmonic) && !begins(c.w, 3, c.keys.harmonic))
        return false;
    c.summary.harmonicPoverty = c.w[4];
    return true;
}

// A ratio keyword at word k, the ratio name at k + 1 and its value at k + 2.
bool readRatio(LineContext& c, int k)
{
    if (!begins(c.w, k, c.keys.ratio))
        return false;
    if (begins(c.w, k + 1, "A/Z"))
        c.summary.ratioAZ = c.w[k + 2];
    else if (begins(c.w, k + 1, "S/Z"))
        c.summary.ratioSZ = c.w[k + 2];
    return true;
}

bool readRatioFirst(LineContext& c) { return readRatio(c, 1); }

bool readRatioSecond(LineContext& c) { return readRatio(c, 2); }

bool readAverage(LineContext& c)
{
    if (!begins(c.w, 2, c.keys.average))
        return false;
    if (begins(c.w, 4, "a"))
        c.summary.phonationTime = c.w[5];
    if (c.language == Language::Spanish && begins(c.w, 3, "a"))
        c.summary.phonationTime = c.w[4];
    return true;
}

bool readFundamental(LineContext& c)
{
    if (!begins(c.w, 2, "Fondamental"))
        return false;
    c.summary.meanF0 = c.w.joinFrom(3);
    return true;
}

bool readF0(LineContext& c)
{
    const bool englishThird = c.language == Language::English && begins(c.w, 3, c.keys.f0);
    if (!begins(c.w, 2, c.keys.f0) && !englishThird)
        return false;
    c.summary.meanF0 = c.w.joinFrom(4);
    return true;
}

bool readRange(LineContext& c)
{
    if (!begins(c.w, 2, c.keys.range))
        return false;
    if (begins(c.w, 3, c.keys.vocal))
        c.summary.vocalRange = c.w.joinFrom(5);
    if (begins(c.w, 4, c.keys.notes))
        c.summary.rangeNotes = c.w.joinFrom(5);
    return true;
}

bool readReason(LineContext& c)
{
    if (!begins(c.w, 1, c.keys.reason))
        return false;
    c.summary.reason = c.w.joinFrom(5);
    return true;
}

bool readFactor(LineContext& c)
{
    for (int f = 0; f < PatientSummary::kFactorCount; ++f) {
        if (begins(c.w, 2, languageText(kFirstFactorText + f, c.language))) {
            const double score = readLenientNumber(c.w[3], PatientSummary::kClearedScore, 5.0, 1.0).value;
            c.summary.scores[f] = roundEven(score);
            if (f == PatientSummary::kFactorCount - 1)
                c.summary.assessments.push_back({c.summary.scores, c.summary.lastDateLine});
            return true;
        }
    }
    return false;
}

bool skipToolLine(LineContext& c)
{
    return begins(c.w, 1, c.keys.spectrum) || begins(c.w, 1, c.keys.directory) || begins(c.w, 1, "Evaluation");
}

// A rule that stores the word after its keyword at word 1.
bool readFirstWordValue(LineContext& c, std::string_view keyword, std::string& field)
{
    if (!begins(c.w, 1, keyword))
        return false;
    field = c.w[2];
    return true;
}

bool readName(LineContext& c) { return readFirstWordValue(c, c.keys.name, c.summary.name); }

bool readSurname(LineContext& c) { return readFirstWordValue(c, c.keys.surname, c.summary.surname); }

bool readSex(LineContext& c) { return readFirstWordValue(c, c.keys.sex, c.summary.sex); }

bool readJob(LineContext& c) { return readFirstWordValue(c, c.keys.job, c.summary.job); }

bool readDate(LineContext& c)
{
    if (!begins(c.w, 1, c.keys.date))
        return false;
    c.summary.lastDateLine = c.line;
    return true;
}

using Rule = bool (*)(LineContext&);

// The rules before the anamnesis heading, in order.
constexpr Rule kIdentityRules[] = {readName, readSurname, readSex, readJob};

// The rules after the anamnesis heading, in order.
constexpr Rule kValueRules[] = {
    readBirthDate, readClassification, readAttack, readPitch, readIntensity, readNoise, readHarmonic,
    readRatioFirst, readRatioSecond, readAverage, readFundamental, readF0, readRange, readReason,
    readFactor, skipToolLine, readDate,
};

bool applyRules(LineContext& c, std::span<const Rule> rules)
{
    for (Rule rule : rules)
        if (rule(c))
            return true;
    return false;
}

// Blank lines (the " " line that opens every tool's block among them) are
// not anamnesis.
bool isBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

void readLine(LineContext& c, bool& anamnesisMode)
{
    if (applyRules(c, kIdentityRules)) {
        anamnesisMode = false;
    } else if (begins(c.w, 1, c.keys.anamnesis)) {
        anamnesisMode = true;
    } else if (applyRules(c, kValueRules)) {
        anamnesisMode = false;
    } else if (anamnesisMode && !isBlank(c.line)) {
        c.summary.anamnesis.push_back(c.line);
    }
}

} // namespace

void PatientSummary::clearId(Language language)
{
    name = language == Language::English ? "unknown" : "inconnu";
    surname.clear();
    sex.clear();
    birthDate = "01/01/1960";
    job.clear();
}

void PatientSummary::clearAutoEvaluation()
{
    scores.fill(kClearedScore);
    total = "5/25";
}

void PatientSummary::clearEndurance()
{
    for (std::string* field : {&phonationTime, &ratioSZ, &ratioAZ, &meanF0, &vocalRange, &rangeNotes,
             &attackAlteration, &pitchInstability, &amplitudeInstability, &noiseSignal, &harmonicPoverty})
        field->clear();
}

void readSummaryLines(const std::vector<std::string>& lines, Language language, PatientSummary& summary,
    const std::vector<std::string>& classificationList)
{
    summary.anamnesis.clear();
    summary.lastDateLine.clear();
    summary.assessments.clear();
    bool anamnesisMode = false;
    const PatientKeywords& keys = PatientKeywords::of(language);
    for (const std::string& line : lines) {
        const LineWords words = splitLineWords(line);
        LineContext context{keys, language, classificationList, line, words, summary};
        readLine(context, anamnesisMode);
    }
}

} // namespace tiravel
