#include "evaluation/PatientResults.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

TEST(PictureFileNameTest, NameRule)
{
    // Outside expert mode the stamp is empty: two dashes in a row.
    EXPECT_EQ(pictureFileName("Spectre", "Bilan", "", 3), "image-Spectre-Bilan--3.bmp");
    EXPECT_EQ(pictureFileName("Power", "", "12_03_2024", 12), "image-Power--12_03_2024-12.bmp");
    EXPECT_EQ(pictureFileName("Espectro", "Ñandú", "", 1), "image-Espectro-Ñandú--1.bmp");
}

// A summary name typed by the user must never move the picture out of the
// working folder or make the save fail.
TEST(PictureFileNameTest, UnsafeCharactersBecomeUnderscores)
{
    EXPECT_EQ(pictureFileName("Spectre", "../x/y", "", 1), "image-Spectre-.._x_y--1.bmp");
    EXPECT_EQ(pictureFileName("Spectre", "a\\b:c*d?e\"f<g>h|i\tj", "", 1), "image-Spectre-a_b_c_d_e_f_g_h_i_j--1.bmp");
}

TEST(ExpertDateStampTest, EveryNonDigitCharacterBecomesOneUnderscore)
{
    EXPECT_EQ(expertDateStamp("12/03/2024 14:05"), "12_03_2024_14_05");
    EXPECT_EQ(expertDateStamp("5 févr. 2024"), "5_______2024");
    EXPECT_EQ(expertDateStamp(""), "");
    EXPECT_EQ(pictureStampText("Nom : Dupont", "Prénom : Jean", "12_03_2024"),
        "Nom : Dupont, date : Prénom : Jean 12_03_2024");
}

struct LanguageCase {
    Language language;
    std::array<std::string, 3> savedLines;
    std::string shortHeading;
    std::string fileHeading;
    std::string calculationDate;
    std::string recordingDate;
    std::array<std::string, 5> indicators;
};

class PatientLinesTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(PatientLinesTest, LinesOfTheLanguage)
{
    const LanguageCase& c = GetParam();
    EXPECT_EQ(savedPictureLines("Titre", "image-Titre-B--1.bmp", "/home/p", c.language), c.savedLines);
    EXPECT_EQ(indicatorsHeadingLine("ab.wav", c.language), c.shortHeading);
    EXPECT_EQ(indicatorsHeadingLine("voix1.wav", c.language), c.fileHeading);
    EXPECT_EQ(indicatorsDateLine(0, "01/02/2024", c.language), c.calculationDate);
    EXPECT_EQ(indicatorsDateLine(-5, "01/02/2024", c.language), c.calculationDate);
    EXPECT_EQ(indicatorsDateLine(1700000000, "01/02/2024 10:20", c.language), c.recordingDate);
    EXPECT_EQ(indicatorLines({0.125, 1.5, 12.375, 100, 0}, c.language), c.indicators);
}

INSTANTIATE_TEST_SUITE_P(Languages, PatientLinesTest,
    ::testing::Values(
        LanguageCase {Language::French,
            {"Titre sauvegardé dans \"image-Titre-B--1.bmp\"", "Répertoire de travail: /home/p",
                "Ouvrir un éditeur de texte et taper CTRL+V pour coller l'image"},
            "Calcul des indicateurs qualité de voix :",
            "Calcul des indicateurs qualité de voix du fichier : \"voix1.wav\"", "Date du calcul: 01/02/2024",
            "Date d'enregistrement du fichier : 01/02/2024 10:20",
            {" 1) Altération attaque: 0.12", " 2) Instabilité hauteur: 1.50", " 3) Instabilité amplitude: 12.38",
                " 4) Rapport signal/bruit: 100.00", " 5) Pauvreté harmonique: 0.00"}},
        LanguageCase {Language::English,
            {"Titre saved in \"image-Titre-B--1.bmp\"", "Working directory: /home/p",
                "Open a word processor and click CTRL+V to paste the image "},
            "Compute voice pathology indicators : ", "Compute voice pathology indicators for file : \"voix1.wav\"",
            "Date of evaluation : 01/02/2024", "Date of recording of file : 01/02/2024 10:20",
            {" 1) Attack alteration: 0.12", " 2) Pitch instability: 1.50", " 3) Amplitude instability: 12.38",
                " 4) Noise/Signal ratio: 100.00", " 5) Harmonic poverty: 0.00"}},
        LanguageCase {Language::Spanish,
            {"Titre guardado en \"image-Titre-B--1.bmp\"", "Directorio de trabajo: /home/p",
                "Abra un procesador de texto y haga clic en CTRL + V para pegar la imagen "},
            "Evaluar los indicadores de patología de voz : ",
            "Evaluar los indicadores de patología de voz para el archivo : \"voix1.wav\"",
            "Fecha de evaluación : 01/02/2024", "Fecha de la grabación de archivos : 01/02/2024 10:20",
            {" 1) Alteración ataque: 0.12", " 2) Inestabilidad altura: 1.50", " 3) Inestabilidad amplitud: 12.38",
                " 4) Ruido/señal ratio: 100.00", " 5) Pobreza armónica: 0.00"}}));

// The file is named only when its name, without the extension, says
// something: 5 characters or more.
TEST(IndicatorsHeadingTest, ShortNamesAreLeftOut)
{
    const std::string withFile = "Calcul des indicateurs qualité de voix du fichier : ";
    EXPECT_EQ(indicatorsHeadingLine("", Language::French), "Calcul des indicateurs qualité de voix :");
    EXPECT_EQ(indicatorsHeadingLine("abcd.wav", Language::French), "Calcul des indicateurs qualité de voix :");
    EXPECT_EQ(indicatorsHeadingLine("éèàù.wav", Language::French), "Calcul des indicateurs qualité de voix :");
    EXPECT_EQ(indicatorsHeadingLine("abcde.wav", Language::French), withFile + "\"abcde.wav\"");
    EXPECT_EQ(indicatorsHeadingLine("patient_apres_a-chant.wav", Language::French),
        withFile + "\"patient_apres_a-chant.wav\"");
}

} // namespace
} // namespace tiravel
