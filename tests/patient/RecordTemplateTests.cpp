// The empty-record templates of the reference folder: a record started from
// one and filled in by the therapist must be read back by the patient window.
#include "patient/AnamnesisTree.h"
#include "patient/PatientSummary.h"
#include "patient/RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tiravel {
namespace {

// One field line of a template, the value typed after it and where the
// summary shows it.
struct Field {
    std::string line;
    std::string value;
    std::string PatientSummary::*member;
};

struct TemplateCase {
    const char* label;
    Language language;
    std::string nameLine; // the first line, as renaming the record rewrites it
    std::vector<Field> fields;
    std::string anamnesisHeading;
};

const TemplateCase kTemplates[] = {
    {"French", Language::French, "Nom: ",
        {
            {"Nom: ", "Dupont", &PatientSummary::name},
            {"Prénom: ", "Hélène", &PatientSummary::surname},
            {"Date de naissance: ", "12 mars 1970", &PatientSummary::birthDate},
            {"Sexe: ", "F", &PatientSummary::sex},
            {"Profession: ", "enseignante", &PatientSummary::job},
            {"Motif de la consultation: ", "voix fatiguée le soir", &PatientSummary::reason},
        },
        "Anamnèse:"},
    {"English", Language::English, "Name: ",
        {
            {"Name: ", "Smith", &PatientSummary::name},
            {"Surname: ", "Anna", &PatientSummary::surname},
            {"Birthdate: ", "12 March 1970", &PatientSummary::birthDate},
            {"Sex: ", "F", &PatientSummary::sex},
            {"Job: ", "teacher", &PatientSummary::job},
            {"Reason for the consultation: ", "hoarse voice since May", &PatientSummary::reason},
        },
        "Anamnesis:"},
    {"Spanish", Language::Spanish, "Nombre: ",
        {
            {"Nombre: ", "García", &PatientSummary::name},
            {"Apellidos: ", "López", &PatientSummary::surname},
            {"Fecha de nacimiento: ", "12 marzo 1970", &PatientSummary::birthDate},
            {"Sexo: ", "M", &PatientSummary::sex},
            {"Profesión: ", "cantante", &PatientSummary::job},
            {"Objeto de la consulta: ", "disfonía desde hace meses", &PatientSummary::reason},
        },
        "Observaciones:"},
};

std::vector<std::string> templateLines(Language language)
{
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path() / "../../div_tiravel/reference" / recordTemplateName(language);
    const RtfReadResult read = readRtfFile(file);
    EXPECT_TRUE(read.ok) << file << ": " << read.error;
    return read.document.plainLines();
}

class RecordTemplate : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(RecordTemplate, BeginsWithTheNameLine)
{
    const std::vector<std::string> lines = templateLines(GetParam().language);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), GetParam().nameLine);
}

TEST_P(RecordTemplate, FilledValuesAreReadBack)
{
    const TemplateCase& c = GetParam();
    std::vector<std::string> lines = templateLines(c.language);
    for (const Field& field : c.fields) {
        const auto line = std::find(lines.begin(), lines.end(), field.line);
        ASSERT_NE(line, lines.end()) << '"' << field.line << '"';
        *line += field.value;
    }
    ASSERT_NE(std::find(lines.begin(), lines.end(), c.anamnesisHeading), lines.end()) << c.anamnesisHeading;
    lines.push_back("Enrouement depuis trois mois");
    lines.push_back("Chanteuse amateur");

    PatientSummary summary;
    readSummaryLines(lines, c.language, summary, {});
    for (const Field& field : c.fields)
        EXPECT_EQ(summary.*field.member, field.value) << '"' << field.line << '"';
    const std::vector<std::string> anamnesis = {"Enrouement depuis trois mois", "Chanteuse amateur"};
    EXPECT_EQ(summary.anamnesis, anamnesis);
}

TEST_P(RecordTemplate, EmptyRecordHasNoAnamnesisLines)
{
    PatientSummary summary;
    readSummaryLines(templateLines(GetParam().language), GetParam().language, summary, {});
    EXPECT_TRUE(summary.anamnesis.empty());
    EXPECT_EQ(summary.reason, "");
}

INSTANTIATE_TEST_SUITE_P(ThreeLanguages, RecordTemplate, ::testing::ValuesIn(kTemplates),
    [](const ::testing::TestParamInfo<TemplateCase>& info) { return std::string(info.param.label); });

} // namespace
} // namespace tiravel
