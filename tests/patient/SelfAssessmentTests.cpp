// The self-assessment of the patient window: answer texts, bands, panel
// colours, the block saved to the patient document and read back, the
// before/after bars and the before/after choice from a sound file name.
#include "patient/PatientSummary.h"
#include "patient/SelfAssessment.h"
#include "analysis/Spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tiravel {
namespace {

constexpr Language kLanguages[] = {Language::French, Language::English, Language::Spanish};

TEST(SelfAssessmentTexts, AnswersKeepTheirExactSpacing)
{
    // The texts are shown as they were written, double and trailing spaces
    // included.
    EXPECT_EQ(factorAnswer(0, 3, Language::English), "I  feel a voice discomfort when I speak loudly");
    EXPECT_EQ(factorAnswer(2, 3, Language::French),
        "Je me sens assez limitée dans ma capacité à parler fort et/ou à faire monter ma voix dans les aigus ");
    EXPECT_EQ(factorAnswer(0, 2, Language::Spanish), "A menudo siento  malestar vocal");
    EXPECT_EQ(factorAnswer(0, 4, Language::Spanish), "Apenas siento malestar o rara vez ");
    EXPECT_EQ(factorAnswer(4, 5, Language::French),
        "Je perçois que ma voix est très bien adaptée aux différentes situations d'interaction");
    EXPECT_EQ(factorQuestion(3, Language::French), "Trouvez-vous votre voix agréable à entendre ? ");
    EXPECT_EQ(factorQuestion(2, Language::Spanish),
        "¿Puede usted usar su voz a alta intensidad – gran volumen- y/o en tonos agudos?");
    EXPECT_EQ(factorQuestion(1, Language::English),
        "Are you able to to speak a long time without experiencing fatigue?");
}

TEST(SelfAssessmentTexts, EveryAnswerIsItsOwnShortText)
{
    // A row copied twice or a score shifted would repeat a text.
    for (Language language : kLanguages) {
        std::set<std::string> seen;
        for (int factor = 0; factor < kFactorCount; ++factor) {
            for (int score = 1; score <= 5; ++score) {
                const std::string& answer = factorAnswer(factor, score, language);
                EXPECT_FALSE(answer.empty());
                EXPECT_LE(answer.size(), 250u);
                EXPECT_TRUE(seen.insert(answer).second) << answer;
            }
            EXPECT_FALSE(factorQuestion(factor, language).empty());
        }
    }
}

TEST(SelfAssessmentTexts, AnswersMemoAndCaptions)
{
    const std::vector<std::string> memo = answerMemoLines(1, Language::French);
    ASSERT_EQ(memo.size(), 5u);
    EXPECT_EQ(memo.front(), "1) Je me sens en permanence fatigable vocalement");
    EXPECT_EQ(memo.back(), "5) Je ne ressens jamais de fatigabilité vocale même si je parle longtemps");
    EXPECT_EQ(factorCaption(0, 3, Language::French), "Confort 3/5");
    EXPECT_EQ(factorCaption(2, 4, Language::Spanish), "Rendimiento 4/5");
    EXPECT_EQ(factorCaption(3, 1, Language::English), "Quality 1/5");
}

TEST(SelfAssessmentTexts, OutOfRangeFactorOrScoreIsRefused)
{
    EXPECT_THROW(factorAnswer(5, 3, Language::French), std::out_of_range);
    EXPECT_THROW(factorAnswer(-1, 3, Language::French), std::out_of_range);
    EXPECT_THROW(factorAnswer(0, 0, Language::French), std::out_of_range);
    EXPECT_THROW(factorAnswer(0, 6, Language::French), std::out_of_range);
    EXPECT_THROW(factorQuestion(5, Language::English), std::out_of_range);
    EXPECT_THROW(factorName(5, Language::English), std::out_of_range);
}

struct BandCase {
    int total;
    const char* french;
    const char* english;
    const char* spanish;
};

TEST(SelfAssessmentBands, EachBoundaryInThreeLanguages)
{
    const BandCase cases[] = {
        {0, "Gêne sévère", "Severe discomfort", "Malestar severo"},
        {7, "Gêne sévère", "Severe discomfort", "Malestar severo"},
        {8, "Gêne marquée", "Important discomfort", "Malestar marcado"},
        {12, "Gêne marquée", "Important discomfort", "Malestar marcado"},
        {13, "Gêne modérée", "Moderated discomfort", "Malestar moderado"},
        {17, "Gêne modérée", "Moderated discomfort", "Malestar moderado"},
        {18, "Gêne discrète", "Small discomfort", "Malestar discreto"},
        {22, "Gêne discrète", "Small discomfort", "Malestar discreto"},
        {23, "Aucune gêne", "No discomfort", "Ningún malestar"},
        {25, "Aucune gêne", "No discomfort", "Ningún malestar"},
    };
    for (const BandCase& c : cases) {
        EXPECT_EQ(bandText(c.total, Language::French), c.french) << c.total;
        EXPECT_EQ(bandText(c.total, Language::English), c.english) << c.total;
        EXPECT_EQ(bandText(c.total, Language::Spanish), c.spanish) << c.total;
    }
}

struct ColourCase {
    double v;
    ScaleColour colour;
};

TEST(SelfAssessmentColours, ScaleOverItsFourRangesAndBeyond)
{
    const ColourCase cases[] = {
        {0, {75, 200, 75}},
        {24, {3, 200, 3}},
        {25, {0, 200, 0}},
        {49, {192, 200, 0}},
        {50, {200, 200, 0}},
        {74, {200, 8, 0}},
        {75, {200, 0, 250}},
        {100, {0, 0, 0}},
        {-5, {75, 200, 75}},
        {130, {0, 0, 0}},
        {24.5, {3, 200, 3}}, // halves to even: 24
        {25.5, {8, 200, 0}}, // halves to even: 26
        {std::nan(""), {75, 200, 75}},
    };
    for (const ColourCase& c : cases) {
        const ScaleColour got = colourScale(c.v);
        EXPECT_EQ(got, c.colour) << c.v << " gives " << int(got.red) << "," << int(got.green) << ","
                                 << int(got.blue);
    }
}

TEST(SelfAssessmentColours, FactorPanelsForEachPosition)
{
    const int expected[] = {69, 62, 55, 48, 41};
    for (int position = 1; position <= 5; ++position)
        EXPECT_EQ(factorPanelValue(position), expected[position - 1]) << position;
}

struct TotalCase {
    double total;
    int panelValue;
    std::string label;
    std::string band;
    std::string summary;
};

TEST(SelfAssessmentTotals, LabelPanelAndBandOfATotal)
{
    const TotalCase cases[] = {
        {5, 70, "Score   5/25", "Gêne sévère", " 5/25 - Gêne sévère"},
        {25, 30, "Score  25/25", "Aucune gêne", "25/25 - Aucune gêne"},
        {15, 50, "Score  15/25", "Gêne modérée", "15/25 - Gêne modérée"},
        {12.5, 55, "Score  12/25", "Gêne marquée", "12/25 - Gêne marquée"}, // halves to even
        {13.5, 53, "Score  14/25", "Gêne modérée", "14/25 - Gêne modérée"},
    };
    for (const TotalCase& c : cases) {
        EXPECT_EQ(totalPanelValue(c.total), c.panelValue) << c.total;
        EXPECT_EQ(totalLabel(c.total, Language::French), c.label) << c.total;
        EXPECT_EQ(bandText(roundEven(c.total), Language::French), c.band) << c.total;
        EXPECT_EQ(summaryTotalText(c.total, Language::French), c.summary) << c.total;
    }
    EXPECT_EQ(totalLabel(15, Language::Spanish), "Puntuación  15/25");
    EXPECT_EQ(totalLabel(15, Language::English), "Score  15/25");
    EXPECT_EQ(scoreText(5, Language::French), "5/25 - Gêne sévère");
    EXPECT_EQ(scoreText(12.5, Language::English), "12/25 - Important discomfort");
}

TEST(SelfAssessmentBlockLines, FrenchBlockInOrder)
{
    const SelfAssessmentBlock block = selfAssessmentBlock({1, 2, 3, 4, 5}, "12/03/2024", Language::French);
    const std::vector<std::string> expected = {
        " ",
        "Auto-évaluation",
        "Date : 12/03/2024",
        " 1) Confort 1/5",
        " 2) Endurance 2/5",
        " 3) Performance 3/5",
        " 4) Qualité 4/5",
        " 5) Adaptation 5/5",
        " -> Score: 15/25 - Gêne modérée",
    };
    EXPECT_EQ(block.lines, expected);
    EXPECT_EQ(block.boldLine, 1u);
}

TEST(SelfAssessmentBlockLines, HeadingAndScoreLinePerLanguage)
{
    const SelfAssessmentBlock english = selfAssessmentBlock({5, 5, 5, 5, 5}, "03/12/2024", Language::English);
    EXPECT_EQ(english.lines[english.boldLine], "Self-assessment");
    EXPECT_EQ(english.lines.back(), " -> Score: 25/25 - No discomfort");
    const SelfAssessmentBlock spanish = selfAssessmentBlock({1, 1, 1, 1, 1}, "12/03/2024", Language::Spanish);
    EXPECT_EQ(spanish.lines[spanish.boldLine], "Autoevaluación");
    EXPECT_EQ(spanish.lines[3], " 1) Confort 1/5");
    EXPECT_EQ(spanish.lines[5], " 3) Rendimiento 1/5");
    EXPECT_EQ(spanish.lines.back(), " -> Puntuación: 5/25 - Malestar severo");
}

TEST(SelfAssessmentBlockLines, ScoresReadBackInEveryLanguage)
{
    // What the button writes must be what the patient window reads again.
    for (Language language : kLanguages) {
        std::vector<std::string> lines = selfAssessmentBlock({2, 2, 2, 2, 2}, "01/02/2024", language).lines;
        const std::vector<std::string> second = selfAssessmentBlock({4, 1, 5, 3, 2}, "12/03/2024", language).lines;
        lines.insert(lines.end(), second.begin(), second.end());
        PatientSummary summary;
        summary.scores = {3, 3, 3, 3, 3};
        readSummaryLines(lines, language, summary, {});
        const std::array<int, 5> expected = {4, 1, 5, 3, 2};
        EXPECT_EQ(summary.scores, expected) << static_cast<int>(language);
        EXPECT_TRUE(summary.anamnesis.empty()) << static_cast<int>(language);
    }
}

TEST(SelfAssessmentBlockLines, DateLineReadBackInEveryLanguage)
{
    const std::pair<Language, const char*> cases[] = {{Language::French, "Date : 12/03/2024"},
        {Language::English, "Date : 12/03/2024"}, {Language::Spanish, "Fecha : 12/03/2024"}};
    for (const auto& [language, dateLine] : cases) {
        PatientSummary summary;
        readSummaryLines(selfAssessmentBlock({3, 3, 3, 3, 3}, "12/03/2024", language).lines, language, summary, {});
        EXPECT_EQ(summary.lastDateLine, dateLine) << static_cast<int>(language);
        ASSERT_EQ(summary.assessments.size(), 1u);
        EXPECT_EQ(summary.assessments[0].dateLine, dateLine);
    }
}

struct BarCase {
    double x;
    int height;
};

TEST(SelfAssessmentBars, HeightOfAnIndicatorBar)
{
    const BarCase cases[] = {
        {1.0, 100},
        {0.1, 8},
        {10.0, 192},
        {0.0, 50},
        {-1.0, 50},
        {0.05, 0}, // would be -20: a bar never goes below the base line
        {1e-300, 0},
        {std::nan(""), 50},
    };
    for (const BarCase& c : cases)
        EXPECT_EQ(beforeAfterBarHeight(c.x), c.height) << c.x;
    const int infinite = beforeAfterBarHeight(std::numeric_limits<double>::infinity());
    EXPECT_GT(infinite, 192);
    EXPECT_GE(infinite, beforeAfterBarHeight(1e300));
}

struct MomentCase {
    const char* name;
    RecordingMoment moment;
};

TEST(SelfAssessmentRecordingMoment, FromTheSoundFileName)
{
    using enum RecordingMoment;
    const MomentCase cases[] = {
        {"patient_apres_a-chant.wav", After},
        {"ab.wav", None},
        {"avant.wav", None},  // 9 characters
        {"après.wav", None},  // 9 characters in 10 bytes
        {"x_après.wav", After},
        {"x_avant.wav", Before},
        {"xx_after.", None},  // 9 characters
        {"xxx_after.", After}, // 10 characters
        {"DUPONT_APRES.WAV", After},
        {"Dupont_Avant.Wav", Before},
        {"dupont_APRÈS.wav", None}, // accented letters compare exactly
        {"marie_before.wav", Before},
        {"marie-after.wav", After},
        {"antes_juan.wav", Before},
        {"despues_juan.wav", After},
        {"después_ana.wav", After},
        {"avant_apres.wav", After}, // after wins
        {"session_after", None},    // the occurrence ends at the last character
        {"session_after1", After},
        {"session_avant", None},
        {"dupont_bilan.wav", None},
    };
    for (const MomentCase& c : cases)
        EXPECT_EQ(recordingMomentOfFileName(c.name), c.moment) << c.name;
}

} // namespace
} // namespace tiravel
