#include "SelfAssessment.h"

#include "TextRules.h"
#include "analysis/Spectrum.h"
#include "evaluation/SpectrogramGeometry.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace tiravel {

namespace {

constexpr int kMaxScore = 5;
constexpr int kFirstFactorText = 14;
constexpr int kTextSelfAssessment = 36;
constexpr std::size_t kShortestDatedName = 10;

using FactorAnswers = std::array<std::string, kMaxScore>;
using LanguageAnswers = std::array<FactorAnswers, kFactorCount>;

// The patient's answers by language (French, English, Spanish), factor and
// score 1..5, as the patient reads them.
const std::array<LanguageAnswers, 3> kAnswers = {{
    // French
    {{
        {"Je me sens en permanence une sensation d'inconfort vocal",
            "Je ressens souvent un inconfort vocal",
            "Je ressens un inconfort vocal seulement lorsque je parle fort ou que je crie",
            "Je ne ressens de l'inconfort vocal que très occasionnellement",
            "Je ne ressens jamais d'inconfort"},
        {"Je me sens en permanence fatigable vocalement",
            "Je me sens souvent fatigable vocalement",
            "Je me sens fatigable seulement quand je parle longtemps",
            "Je ne ressens de la fatigabilité que lorsque je parle longtemps dans le bruit",
            "Je ne ressens jamais de fatigabilité vocale même si je parle longtemps"},
        {"J'éprouve de grande difficultés à faire monter ma voix et/ou à parler fort",
            "J'éprouve des difficultés à parler fort et/ou à faire monter ma voix dans les aigus.",
            "Je me sens assez limitée dans ma capacité à parler fort et/ou à faire monter ma voix dans les aigus ",
            "Je ne perçois des limitations pour parler /chanter à forte intensité ou faible intensité et ou à monter ma voix dans les aigus qu'occasionnellement",
            "Je ne perçois aucune limitations pour parler /chanter à forte intensité ou faible intensité et ou à monter dans les aigus."},
        {"Ma voix est désagréable en permanence (soufflée, voilée, éraillée, bruitée)",
            "Ma voix est souvent désagréable (soufflée, voilée, éraillée, bruitée)",
            "Ma voix est parfois désagréable",
            "La qualité de ma voix est plutôt bonne",
            "Ma voix est toujours de bonne qualité et ne s'altère jamais"},
        {"Je perçois un malaise récurrent chez les autres à cause de ma voix",
            "Je me sens peu à l'aise en société à cause de ma voix",
            "Il m'arrive de ne pas me sentir très à l'aise en société à cause de ma voix",
            "Je ressens ma voix comme plutôt adaptée à ce que j'en fais",
            "Je perçois que ma voix est très bien adaptée aux différentes situations d'interaction"},
    }},
    // English
    {{
        {"I always feel a voice discomfort",
            "I often feel a voice discomfort",
            "I  feel a voice discomfort when I speak loudly",
            "I rarely feel a voice discomfort",
            "I never feel any voice discomfort"},
        {"I feel constantly indefatigable voice",
            "I often feel indefatigable voice",
            "I feel easily tired only when I talk long",
            "I only feel the fatigue when I talk long in the noise",
            "I never feel vocal fatigue even if I talk long"},
        {"I am having great difficulty raising my voice and / or talking loudly",
            "I am having some difficulties raising my voice and / or talking loudly",
            "I feel pretty limited in my ability to speak loudly and / or to raise my voice in high pitch",
            "I perceive limitations to speak or sing intensively only occasionally",
            "I perceive no limitations to speak or sing intensively or at high frequencies."},
        {"My voice is always bad (breathy, noisy, etc.)",
            "My voice is often bad (breathy, noisy, etc.)",
            "My voice is sometimes unpleasant",
            "The quality of my voice is rather good",
            "My voice is always good and is never altered"},
        {"I see a recurring discomfort in others because of my voice",
            "I feel uncomfortable in society because of my voice",
            "Sometimes I do not feel very comfortable because of my voice",
            "I feel like my voice is rather suited to what I am doing",
            "I see that my voice is well suited to different situations of interaction"},
    }},
    // Spanish
    {{
        {"En sociedad, siento permanentemente malestar debido a mi voz",
            "A menudo siento  malestar vocal",
            "Siento malestar sólo cuando hablo o grito",
            "Apenas siento malestar o rara vez ",
            "Nunca siento malestar"},
        {"Permanentemente siento fatiga vocal",
            "Me canso a menudo",
            "Siento fatiga sólo cuando hablo mucho rato",
            "Apenas siento fatiga vocal salvo cuando hablo mucho rato y en ambientes ruidosos",
            "Nunca siento fatiga incluso cuando hablo mucho rato"},
        {"Siento gran dificultad para elevar mi voz y/o hablar fuerte",
            "Siento dificultad cuando tengo que hablar fuerte o en tono agudo",
            "Siento algo limitado cuando tengo que hablar fuerte o en tono agudo",
            "Apenas tengo dificultades cuando tengo que hablar fuerte o en tono agudo",
            "No tengo ninguna dificultad cuando tengo que hablar fuerte o en tono agudo"},
        {"Mi voz es desagradable permanentemente (soplada, velada, ruidosa, etc.)",
            "Mi voz es a menudo desagradable (soplada, velada, ruidosa, etc.)",
            "Mi voz es a veces desagradable",
            "La calidad de mi voz es bastante buena",
            "Mi voz es siempre buena y nunca se altera"},
        {"Siento permanentemente una molestia",
            "Me siento poco cómodo en sociedad debido a mi voz",
            "Alguna vez no me siento demasiado cómodo en sociedad debido a mi voz",
            "Siento mi voz bastante bien adaptada a mis necesidades",
            "Percibo que mi voz se adapta muy bien a las distintas situaciones de interacción"},
    }},
}};

// The question of each factor, French, English and Spanish.
const std::array<std::array<std::string, 3>, kFactorCount> kQuestions = {{
    {"Avez-vous une sensation de confort vocal lorsque vous discutez avec quelqu'un?",
        "Do you have a feeling of comfort with your voice when you talk to someone?",
        "¿Tiene usted sensación de confort cuando habla con alguien?"},
    {"Avez-vous la possibilité de parler longtemps sans éprouver de fatigue ?",
        "Are you able to to speak a long time without experiencing fatigue?",
        "¿Es usted capaz de hablar durante largo tiempo sin acusar fatiga?"},
    {"Avez-vous la possibilité d'utiliser votre voix à forte intensité et/ou dans les aigus ?",
        "Do you have the ability to use your voice intensively and at high pitch?",
        "¿Puede usted usar su voz a alta intensidad – gran volumen- y/o en tonos agudos?"},
    {"Trouvez-vous votre voix agréable à entendre ? ",
        "Do you find your voice pleasant to hear?",
        "¿Considera que su voz es agradable de escuchar?"},
    {"Trouvez-vous que votre voix est adaptée aux besoins de votre vie professionnelle et personnelle ?",
        "Do you find your voice well fitted to your professional and personal life?",
        "¿Le parece que su voz se adapta a las necesidades de su vida profesional y personal?"},
}};

// Band texts from the most to the least severe, and the highest rounded
// total of each band but the last.
constexpr std::array<TriText, 5> kBands = {{
    {"Gêne sévère", "Severe discomfort", "Malestar severo"},
    {"Gêne marquée", "Important discomfort", "Malestar marcado"},
    {"Gêne modérée", "Moderated discomfort", "Malestar moderado"},
    {"Gêne discrète", "Small discomfort", "Malestar discreto"},
    {"Aucune gêne", "No discomfort", "Ningún malestar"},
}};
constexpr std::array<int, 4> kBandTops = {7, 12, 17, 22};

constexpr TriText kScoreCaption = {"Score", "Score", "Puntuación"};

std::size_t checkedFactor(int factor)
{
    if (factor < 0 || factor >= kFactorCount)
        throw std::out_of_range("self-assessment factor out of range");
    return static_cast<std::size_t>(factor);
}

std::size_t checkedScore(int score)
{
    if (score < 1 || score > kMaxScore)
        throw std::out_of_range("self-assessment score out of range");
    return static_cast<std::size_t>(score - 1);
}

std::size_t languageIndex(Language language)
{
    return static_cast<std::size_t>(language);
}

std::uint8_t component(int value)
{
    return static_cast<std::uint8_t>(value);
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Whether one of the words occurs in name and ends at or before byte end.
bool occursBefore(std::string_view name, std::size_t end, std::initializer_list<std::string_view> words)
{
    for (std::string_view word : words)
        if (containsIgnoringAsciiCase(name.substr(0, end), word))
            return true;
    return false;
}

} // namespace

const std::string& factorAnswer(int factor, int score, Language language)
{
    return kAnswers[languageIndex(language)][checkedFactor(factor)][checkedScore(score)];
}

const std::string& factorQuestion(int factor, Language language)
{
    return kQuestions[checkedFactor(factor)][languageIndex(language)];
}

std::string factorName(int factor, Language language)
{
    return languageText(kFirstFactorText + static_cast<int>(checkedFactor(factor)), language);
}

std::string factorCaption(int factor, int score, Language language)
{
    return factorName(factor, language) + " " + std::to_string(score) + "/5";
}

std::vector<std::string> answerMemoLines(int factor, Language language)
{
    std::vector<std::string> lines;
    for (int score = 1; score <= kMaxScore; ++score)
        lines.push_back(std::to_string(score) + ") " + factorAnswer(factor, score, language));
    return lines;
}

std::string bandText(int roundedTotal, Language language)
{
    const auto band = std::lower_bound(kBandTops.begin(), kBandTops.end(), roundedTotal) - kBandTops.begin();
    return kBands[static_cast<std::size_t>(band)].in(language);
}

ScaleColour colourScale(double v)
{
    const int x = std::isnan(v) ? 0 : roundEven(std::clamp(v, 0.0, 100.0));
    if (x < 25)
        return {component(75 - 3 * x), 200, component(75 - 3 * x)};
    if (x < 50)
        return {component(8 * x - 200), 200, 0};
    if (x < 75)
        return {200, component(200 - 8 * (x - 50)), 0};
    return {component(8 * (100 - x)), 0, component(10 * (100 - x))};
}

int factorPanelValue(int position)
{
    return roundEven(55.0 - (position - 3) * 7.0);
}

int totalPanelValue(double total)
{
    return roundEven(80.0 - 2.0 * total);
}

std::string totalLabel(double total, Language language)
{
    return std::string(kScoreCaption.in(language)) + " " + fixedText(total, 3, 0) + "/25";
}

std::string summaryTotalText(double sum, Language language)
{
    return fixedText(sum, 2, 0) + "/25 - " + bandText(roundEven(sum), language);
}

std::string scoreText(double total, Language language)
{
    return fixedText(total, 0, 0) + "/25 - " + bandText(roundEven(total), language);
}

SelfAssessmentBlock selfAssessmentBlock(const std::array<int, kFactorCount>& scores, const std::string& today,
    Language language)
{
    // The date line starts with the language's date keyword ("Fecha" in
    // Spanish) so that reading the record back finds the block's date.
    const std::string dateLine = std::string(TriText {"Date : ", "Date : ", "Fecha : "}.in(language)) + today;
    SelfAssessmentBlock block{{" ", languageText(kTextSelfAssessment, language), dateLine}, 1};
    int total = 0;
    for (int f = 0; f < kFactorCount; ++f) {
        const int score = scores[static_cast<std::size_t>(f)];
        block.lines.push_back(" " + std::to_string(f + 1) + ") " + factorCaption(f, score, language));
        total += score;
    }
    block.lines.push_back(std::string(" -> ") + kScoreCaption.in(language) + ": " + scoreText(total, language));
    return block;
}

int beforeAfterBarHeight(double x)
{
    if (!(x > 0.0))
        return 50;
    // Clamped so that a tiny indicator stands on the base line and an
    // infinite one stays a number.
    const double logarithm = std::clamp(20.0 * std::log(x), -50.0, 10000.0);
    return 2 * (roundEven(logarithm) + 50);
}

RecordingMoment recordingMomentOfFileName(std::string_view fileName)
{
    const auto characters =
        std::count_if(fileName.begin(), fileName.end(), [](char c) { return !isContinuationByte(c); });
    if (characters < static_cast<std::ptrdiff_t>(kShortestDatedName))
        return RecordingMoment::None;
    std::size_t lastCharacter = fileName.size() - 1;
    while (lastCharacter > 0 && isContinuationByte(fileName[lastCharacter]))
        --lastCharacter;
    if (occursBefore(fileName, lastCharacter, {"apres", "après", "después", "despues", "after"}))
        return RecordingMoment::After;
    if (occursBefore(fileName, lastCharacter, {"avant", "antes", "before"}))
        return RecordingMoment::Before;
    return RecordingMoment::None;
}

} // namespace tiravel
