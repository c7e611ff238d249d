#include "PatientResults.h"

#include "SpectrogramGeometry.h"

#include <algorithm>
#include <cstring>

namespace tiravel {

namespace {

constexpr std::size_t kShortestNamedFile = 5; // characters before the extension
constexpr int kFirstIndicatorText = 40;       // "Attack alteration" .. "Harmonic poverty"

constexpr TriText kSavedIn {" sauvegardé dans ", " saved in ", " guardado en "};
constexpr TriText kWorkingFolder {"Répertoire de travail: ", "Working directory: ", "Directorio de trabajo: "};
constexpr TriText kPasteHint {"Ouvrir un éditeur de texte et taper CTRL+V pour coller l'image",
    "Open a word processor and click CTRL+V to paste the image ",
    "Abra un procesador de texto y haga clic en CTRL + V para pegar la imagen "};
constexpr TriText kHeading {"Calcul des indicateurs qualité de voix :", "Compute voice pathology indicators : ",
    "Evaluar los indicadores de patología de voz : "};
constexpr TriText kHeadingWithFile {"Calcul des indicateurs qualité de voix du fichier : ",
    "Compute voice pathology indicators for file : ", "Evaluar los indicadores de patología de voz para el archivo : "};
constexpr TriText kCalculationDate {"Date du calcul: ", "Date of evaluation : ", "Fecha de evaluación : "};
constexpr TriText kRecordingDate {"Date d'enregistrement du fichier : ", "Date of recording of file : ",
    "Fecha de la grabación de archivos : "};

bool continuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !continuationByte(c); }));
}

bool unsafeInFileName(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

} // namespace

std::string expertDateStamp(std::string_view dateText)
{
    std::string stamp;
    for (char c : dateText) {
        if (c >= '0' && c <= '9')
            stamp += c;
        else if (!continuationByte(c))
            stamp += '_';
    }
    return stamp;
}

std::string pictureStampText(std::string_view firstLine, std::string_view secondLine, std::string_view stamp)
{
    return std::string(firstLine) + ", date : " + std::string(secondLine) + " " + std::string(stamp);
}

std::string pictureFileName(std::string_view title, std::string_view summaryName, std::string_view stamp,
    std::int32_t counter)
{
    std::string name = "image-" + std::string(title) + "-" + std::string(summaryName) + "-" + std::string(stamp)
        + "-" + std::to_string(counter) + ".bmp";
    std::replace_if(name.begin(), name.end(), unsafeInFileName, '_');
    return name;
}

std::array<std::string, 3> savedPictureLines(std::string_view title, std::string_view fileName,
    std::string_view folder, Language language)
{
    return {std::string(title) + kSavedIn.in(language) + quoted(fileName),
        kWorkingFolder.in(language) + std::string(folder), kPasteHint.in(language)};
}

std::string indicatorsHeadingLine(std::string_view soundFileName, Language language)
{
    const std::string_view stem = soundFileName.substr(0, std::min(soundFileName.rfind('.'), soundFileName.size()));
    if (characterCount(stem) < kShortestNamedFile)
        return kHeading.in(language);
    return kHeadingWithFile.in(language) + quoted(soundFileName);
}

std::string indicatorsDateLine(std::int64_t soundDate, std::string_view formattedDate, Language language)
{
    const TriText& label = soundDate <= 0 ? kCalculationDate : kRecordingDate;
    return label.in(language) + std::string(formattedDate);
}

std::array<std::string, 5> indicatorLines(const IndicatorValues& values, Language language)
{
    const std::array<double, 5> ordered = {values.attackAlteration, values.pitchInstability,
        values.amplitudeInstability, values.noiseSignalRatio, values.harmonicPoverty};
    std::array<std::string, 5> lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = " " + std::to_string(i + 1) + ") " + languageText(kFirstIndicatorText + static_cast<int>(i), language)
            + ": " + fixedText(ordered[i], 4, 2);
    }
    return lines;
}

} // namespace tiravel
