// Reading the summary values back from the lines of a patient document.
#include "patient/PatientSummary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tiravel {
namespace {

using Getter = std::function<std::string(const PatientSummary&)>;

struct SummaryCase {
    std::vector<std::string> lines;
    Getter field;
    std::string expected;
};

Getter text(std::string PatientSummary::*member)
{
    return [member](const PatientSummary& s) { return s.*member; };
}

Getter score(int factor)
{
    return [factor](const PatientSummary& s) { return std::to_string(s.scores[factor]); };
}

// The anamnesis lines joined by "|".
Getter anamnesis()
{
    return [](const PatientSummary& s) {
        std::string joined;
        for (const std::string& line : s.anamnesis)
            joined += (joined.empty() ? "" : "|") + line;
        return joined;
    };
}

const std::vector<std::string> kClassificationList = {"1200 Nodules", "1300 Polypes", "4100 Parálisis"};

void checkCases(Language language, const std::vector<SummaryCase>& cases)
{
    for (const SummaryCase& c : cases) {
        PatientSummary summary;
        readSummaryLines(c.lines, language, summary, kClassificationList);
        EXPECT_EQ(c.field(summary), c.expected) << '"' << c.lines.front() << '"';
    }
}

TEST(PatientSummaryReading, FrenchDocumentLines)
{
    checkCases(Language::French, {
        {{"Nom: Dupont"}, text(&PatientSummary::name), "Dupont"},
        {{"Nom: Dupont", "Nom Martin"}, text(&PatientSummary::name), "Martin"},
        {{"Nomenclature X"}, text(&PatientSummary::name), "X"},
        {{"No Dupont"}, text(&PatientSummary::name), "inconnu"},
        {{";Nom Dupont"}, text(&PatientSummary::name), "inconnu"},
        {{"Nom Date"}, text(&PatientSummary::lastDateLine), ""},
        {{"prénom: Marie"}, text(&PatientSummary::surname), "Marie"},
        {{"PRÉNOM: Marie"}, text(&PatientSummary::surname), ""},
        {{"Sexe : F"}, text(&PatientSummary::sex), "F"},
        {{"Profession: chanteuse lyrique"}, text(&PatientSummary::job), "chanteuse"},
        {{"Date de naissance : 12/03/1970"}, text(&PatientSummary::birthDate), "12/03/1970"},
        {{"Date de naissance : 12/03/1970"}, text(&PatientSummary::lastDateLine), ""},
        {{"naissance 12 03 1970"}, text(&PatientSummary::birthDate), "01/01/1960"},
        {{"Date de naissance:"}, text(&PatientSummary::birthDate), ""},
        {{"Classification: 1300 Polypes"}, text(&PatientSummary::classification), "1300 Polypes"},
        {{"Classification: 1300 Polypes"}, text(&PatientSummary::classificationChoice), "1300 Polypes"},
        {{"Classification: 9999 inconnue"}, text(&PatientSummary::classificationChoice), ""},
        {{" 1) Altération attaque: 0.52"}, text(&PatientSummary::attackAlteration), "0.52"},
        {{" 2) Instabilité hauteur: 0.31"}, text(&PatientSummary::pitchInstability), "0.31"},
        {{"x y z hauteur 0.4"}, text(&PatientSummary::pitchInstability), "0.4"},
        {{" 3) Instabilité amplitude: 0.2"}, text(&PatientSummary::amplitudeInstability), ""},
        {{"x y intensité 0.7"}, text(&PatientSummary::amplitudeInstability), ""},
        {{"x y z intensité 0.7"}, text(&PatientSummary::amplitudeInstability), "0.7"},
        {{" 4) Rapport signal/bruit: 12.5"}, text(&PatientSummary::noiseSignal), "12.5"},
        {{" 4) Rapport signal/bruit: 12.5"}, text(&PatientSummary::ratioSZ), ""},
        {{" 5) Pauvreté harmonique: 0.1"}, text(&PatientSummary::harmonicPoverty), "0.1"},
        {{". Rapport S/Z: 1.2"}, text(&PatientSummary::ratioSZ), "1.2"},
        {{". Rapport A/Z: 0.9"}, text(&PatientSummary::ratioAZ), "0.9"},
        {{"Rapport A/Z 0.8"}, text(&PatientSummary::ratioAZ), "0.8"},
        {{"Rapport S/Z 1.4"}, text(&PatientSummary::ratioSZ), "1.4"},
        {{". moyenne du A :12.3s"}, text(&PatientSummary::phonationTime), "12.3s"},
        {{". moyenne du S :10s"}, text(&PatientSummary::phonationTime), ""},
        {{"2) Fondamental moyen: 210 Hz"}, text(&PatientSummary::meanF0), "moyen 210 Hz"},
        {{"3) Etendue vocale de :100 à 400"}, text(&PatientSummary::vocalRange), "100 à 400"},
        {{"4) Etendue en notes :24"}, text(&PatientSummary::rangeNotes), "24"},
        {{"4) Etendue en notes :24"}, text(&PatientSummary::vocalRange), ""},
        {{"Motif de la consultation: dysphonie chronique"}, text(&PatientSummary::reason), "dysphonie chronique"},
        {{" 1) Confort 3/5"}, score(0), "3"},
        {{" 2) Endurance 4/5", " 2) Endurance x/5"}, score(1), "2"},
        {{" 3) Performance 3.6/5"}, score(2), "4"},
        {{" 3) Performance 3.4/5"}, score(2), "3"},
        {{" 3) Performance 2.5/5"}, score(2), "2"},
        {{" 3) Performance 3.5/5"}, score(2), "4"},
        {{" 4) Qualité 9/5"}, score(3), "5"},
        {{" 4) Qualité 0/5"}, score(3), "1"},
        {{" 5) Adaptation 4"}, score(4), "4"},
        {{" 5) Comfort 4"}, score(0), "2"},
        {{"Date du calcul: 01/02/2024", "Date : 05/06/2024"}, text(&PatientSummary::lastDateLine), "Date : 05/06/2024"},
        {{"Anamnèse", "Voix fatiguée le soir", "", "Fume depuis 10 ans", "Nom Dupont", "après"}, anamnesis(),
            "Voix fatiguée le soir|Fume depuis 10 ans"},
        {{"Anamnèse", "; commentaire"}, anamnesis(), "; commentaire"},
        {{"Anamnèse", " ", "\t", "texte"}, anamnesis(), "texte"},
        {{"Anamnèse", "Anamnèse suite", "ligne"}, anamnesis(), "ligne"},
        {{"Voix fatiguée", "Anamnèse"}, anamnesis(), ""},
        {{"Anamnèse", "Spectre sauvegardé dans \"a.bmp\"", "texte"}, anamnesis(), ""},
        {{"Anamnèse", "Répertoire de travail: c", "texte"}, anamnesis(), ""},
        {{"Anamnèse", "Evaluation", "texte"}, anamnesis(), ""},
        {{"Anamnèse", "Date : 01/02/2024", "texte"}, anamnesis(), ""},
        {{"Anamnèse", " 1) Confort 3/5", "texte"}, anamnesis(), ""},
    });
}

TEST(PatientSummaryReading, EnglishDocumentLines)
{
    checkCases(Language::English, {
        {{"Name: Smith"}, text(&PatientSummary::name), "Smith"},
        {{"Nom: Dupont"}, text(&PatientSummary::name), "inconnu"},
        {{"Surname: John"}, text(&PatientSummary::surname), "John"},
        {{"Sex: M"}, text(&PatientSummary::sex), "M"},
        {{"Job: teacher"}, text(&PatientSummary::job), "teacher"},
        {{"Birthdate: 12 March 1970"}, text(&PatientSummary::birthDate), "12 March 1970"},
        {{"Date of birthdate: 12 March 1970"}, text(&PatientSummary::birthDate), "01/01/1960"},
        {{"Date of birthdate: 12 March 1970"}, text(&PatientSummary::lastDateLine), "Date of birthdate: 12 March 1970"},
        {{"Birth: 12 March 1970"}, text(&PatientSummary::birthDate), "01/01/1960"},
        {{"Classification: 1200 Nodules"}, text(&PatientSummary::classificationChoice), "1200 Nodules"},
        {{" 1) Attack alteration: 0.5"}, text(&PatientSummary::attackAlteration), "0.5"},
        {{" 2) Pitch instability: 0.3"}, text(&PatientSummary::pitchInstability), "0.3"},
        {{" 3) Amplitude instability: 0.2"}, text(&PatientSummary::amplitudeInstability), ""},
        {{" 3) Intensity instability: 0.2"}, text(&PatientSummary::amplitudeInstability), "0.2"},
        {{" 4) Noise/Signal ratio: 12.5"}, text(&PatientSummary::noiseSignal), "12.5"},
        {{" 5) Harmonic poverty: 0.1"}, text(&PatientSummary::harmonicPoverty), ""},
        {{" 5) Harmonics poverty: 0.1"}, text(&PatientSummary::harmonicPoverty), "0.1"},
        {{". Ratio S/Z: 1.1"}, text(&PatientSummary::ratioSZ), "1.1"},
        {{"Ratio A/Z 0.7"}, text(&PatientSummary::ratioAZ), "0.7"},
        {{". average of A :11s"}, text(&PatientSummary::phonationTime), "11s"},
        {{". average A :11s"}, text(&PatientSummary::phonationTime), ""},
        {{"1) F0 mean: 200 Hz"}, text(&PatientSummary::meanF0), "200 Hz"},
        {{"1) mean f0 : 180 Hz"}, text(&PatientSummary::meanF0), "180 Hz"},
        {{"1) Fondamental x 200"}, text(&PatientSummary::meanF0), "x 200"},
        {{"3) Range vocal from :100 to 400"}, text(&PatientSummary::vocalRange), "100 to 400"},
        {{"4) Range in notes :20"}, text(&PatientSummary::rangeNotes), "20"},
        {{"Reason for the visit: hoarseness"}, text(&PatientSummary::reason), "hoarseness"},
        {{" 1) Comfort 4/5"}, score(0), "4"},
        {{" 4) Quality 3/5"}, score(3), "3"},
        {{" 5) Adaptation -3/5"}, score(4), "1"},
        {{"Anamnesis", "Hoarse voice", "Date: 01/01/2024", "after"}, anamnesis(), "Hoarse voice"},
        {{"Anamnesis", "Spectrum saved in \"a.bmp\"", "after"}, anamnesis(), ""},
        {{"Anamnesis", "Directory: c", "after"}, anamnesis(), ""},
    });
}

TEST(PatientSummaryReading, SpanishDocumentLines)
{
    checkCases(Language::Spanish, {
        {{"Nombre: García"}, text(&PatientSummary::name), "García"},
        {{"Nom: García"}, text(&PatientSummary::name), "inconnu"},
        {{"Apellidos: Pérez"}, text(&PatientSummary::surname), "Pérez"},
        {{"Sexo: F"}, text(&PatientSummary::sex), "F"},
        {{"Profesión: maestra"}, text(&PatientSummary::job), "maestra"},
        {{"Fecha de nacimiento: 12/03/1970"}, text(&PatientSummary::birthDate), "12/03/1970"},
        {{"Fecha de nacimiento: 12/03/1970"}, text(&PatientSummary::lastDateLine), ""},
        {{"Clasificación: 4100 Parálisis"}, text(&PatientSummary::classificationChoice), "4100 Parálisis"},
        {{" 1) Alteración ataque: 0.5"}, text(&PatientSummary::attackAlteration), "0.5"},
        {{" 2) Inestabilidad altura: 0.3"}, text(&PatientSummary::pitchInstability), "0.3"},
        {{" 2) altura x 0.3"}, text(&PatientSummary::pitchInstability), ""},
        {{" 3) Inestabilidad amplitud: 0.2"}, text(&PatientSummary::amplitudeInstability), "0.2"},
        {{" 3) amplitud x 0.2"}, text(&PatientSummary::amplitudeInstability), ""},
        {{" 4) Ruido/señal ratio: 12.5"}, text(&PatientSummary::noiseSignal), "12.5"},
        {{" 5) Pobreza armónica: 0.1"}, text(&PatientSummary::harmonicPoverty), "0.1"},
        {{". Ratio S/Z: 1.1"}, text(&PatientSummary::ratioSZ), "1.1"},
        {{". media A :12s"}, text(&PatientSummary::phonationTime), "12s"},
        {{". media de A :13s"}, text(&PatientSummary::phonationTime), "13s"},
        {{"1) F0 medio: 200 Hz"}, text(&PatientSummary::meanF0), "200 Hz"},
        {{"1) medio f0 : 180"}, text(&PatientSummary::meanF0), ""},
        {{"3) rango vocal de :100 a 400"}, text(&PatientSummary::vocalRange), "100 a 400"},
        {{"4) rango de notas :20"}, text(&PatientSummary::rangeNotes), "20"},
        {{"Objeto de la consulta: disfonía"}, text(&PatientSummary::reason), "disfonía"},
        {{" 2) Resistencia 5/5"}, score(1), "5"},
        {{" 2) Endurance 5/5"}, score(1), "2"},
        {{" 5) Adaptación 2.4/5"}, score(4), "2"},
        {{"Observaciones", "Disfonía", "Fecha: 01/01/2024", "x"}, anamnesis(), "Disfonía"},
        {{"Observaciones", "Directorio de trabajo: c", "x"}, anamnesis(), ""},
    });
}

// Two self-assessment blocks: the first is the "before" mark, the last the
// "after" one, each with the date line read before it; the scores end with
// the last block's values.
TEST(PatientSummaryReading, SelfAssessmentBlocksAreMarkedWithTheirDates)
{
    const std::vector<std::string> lines = {"Date : 01/02/2026", " 1) Confort 1/5", " 2) Endurance 2/5",
        " 3) Performance 3/5", " 4) Qualité 4/5", " 5) Adaptation 5/5", "Date : 01/06/2026", " 1) Confort 4/5",
        " 2) Endurance 4/5", " 3) Performance 4/5", " 4) Qualité 4/5", " 5) Adaptation 4/5", " 1) Confort 5/5"};
    PatientSummary summary;
    readSummaryLines(lines, Language::French, summary, kClassificationList);
    ASSERT_EQ(summary.assessments.size(), 2u);
    EXPECT_EQ(summary.assessments[0], (AssessmentMark {{1, 2, 3, 4, 5}, "Date : 01/02/2026"}));
    EXPECT_EQ(summary.assessments[1], (AssessmentMark {{4, 4, 4, 4, 4}, "Date : 01/06/2026"}));
    EXPECT_EQ(summary.scores, (std::array<int, 5> {5, 4, 4, 4, 4}));
    readSummaryLines({"Nom Dupont"}, Language::French, summary, kClassificationList);
    EXPECT_TRUE(summary.assessments.empty());
}

TEST(PatientSummaryClearing, RestoresTheClearedValues)
{
    PatientSummary summary;
    readSummaryLines({"Nom Dupont", "Prénom Marie", " 1) Confort 4/5", ". Rapport S/Z: 1.2", "Motif a b c toux"},
        Language::French, summary, kClassificationList);
    summary.clearId(Language::English);
    summary.clearAutoEvaluation();
    summary.clearEndurance();
    EXPECT_EQ(summary.name, "unknown");
    EXPECT_EQ(summary.surname, "");
    EXPECT_EQ(summary.birthDate, "01/01/1960");
    EXPECT_EQ(summary.scores[0], 2);
    EXPECT_EQ(summary.total, "5/25");
    EXPECT_EQ(summary.ratioSZ, "");
    EXPECT_EQ(summary.reason, "toux"); // the reason is never cleared
    summary.clearId(Language::French);
    EXPECT_EQ(summary.name, "inconnu");
}

} // namespace
} // namespace tiravel
