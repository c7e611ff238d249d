// The summary report: keywords read from the template, the values and marks
// written for them, the embedded metafile pictures, the generation of the
// file and the three bundled templates.
#include "patient/SummaryReport.h"

#include "patient/RtfReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;
using V = SummaryReportValues;

// The bundled data folder, found from this file's place in the source tree.
const fs::path kReferenceFolder = fs::path(__FILE__).parent_path().parent_path().parent_path() / "div_tiravel"
    / "reference";

// Pixel (x, y) has red x, green y and blue 7 (each modulo 256).
ReportPicture gradientPicture(int width, int height)
{
    ReportPicture picture{true, width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rgb.push_back(static_cast<std::uint8_t>(x));
            picture.rgb.push_back(static_cast<std::uint8_t>(y));
            picture.rgb.push_back(7);
        }
    }
    return picture;
}

// Answer texts "A<factor><score>", factors numbered from 1.
SummaryReportValues valuesWithAnswers()
{
    SummaryReportValues values;
    for (int f = 0; f < 5; ++f)
        for (int s = 0; s < 5; ++s)
            values.factorAnswers[f][s] = "A" + std::to_string(f + 1) + std::to_string(s + 1);
    return values;
}

struct Filled {
    std::string rtf;
    std::vector<std::string> log;
};

Filled fill(std::string_view templateText, const SummaryReportValues& values, Language language = Language::French)
{
    std::ostringstream out;
    Filled filled;
    fillReportTemplate(templateText, out, values, language, filled.log, {});
    filled.rtf = out.str();
    return filled;
}

std::string picturePart(const ReportPicture& picture)
{
    std::ostringstream out;
    writeMetafilePicture(out, picture);
    return out.str();
}

struct FlagCase {
    std::string keyword;
    std::string V::*field;
    std::string text;
    std::string written;
};

// Guards the colour and bold marks that draw the clinician's eye to abnormal values.
TEST(SummaryReportFlags, MeasuresAreMarkedByTheirRule)
{
    const FlagCase cases[] = {
        {"tpm-avant", &V::phonationTime, "9", "\\cf6 \\b 9\\b0 \\cf0 "},
        {"tpm-avant", &V::phonationTime, "8.5s", "\\cf6 \\b 8.5s\\b0 \\cf0 "},
        {"tpm-avant", &V::phonationTime, "10", "\\b 10\\b0 "},
        {"tpm-avant", &V::phonationTime, "abc", "\\b abc\\b0 "},
        // Numbers beyond a rule's range are judged by the range's end.
        {"tpm-avant", &V::phonationTime, "0.5", "\\cf6 \\b 0.5\\b0 \\cf0 "},
        {"ih-avant", &V::pitchInstability, "150", "\\cf6 \\b 150"},
        {"ih-avant", &V::pitchInstability, "0.001", "0.001"},
        {"az-avant", &V::ratioAZ, "250", "\\cf6 \\b 250"},
        {"aa-avant", &V::attackAlteration, "1.5", "\\cf13 \\b 1.5"},
        {"ih-avant", &V::pitchInstability, "1.51", "\\cf6 \\b 1.51"},
        {"ii-avant", &V::amplitudeInstability, "0.8", "0.8"},
        {"snr-avant", &V::noiseSignal, "0.81", "\\cf13 \\b 0.81"},
        {"ph-avant", &V::harmonicPoverty, "n/a", "n/a"},
        {"sz-avant", &V::ratioSZ, "0.3", "\\cf13 \\b 0.3"},
        {"sz-avant", &V::ratioSZ, "0.29", "\\cf6 \\b 0.29"},
        {"sz-avant", &V::ratioSZ, "0.5", "0.5"},
        {"sz-avant", &V::ratioSZ, "1.5", "1.5"},
        {"az-avant", &V::ratioAZ, "0.49", "\\cf13 \\b 0.49"},
        {"az-avant", &V::ratioAZ, "1.7", "\\cf13 \\b 1.7"},
        {"az-avant", &V::ratioAZ, "1.71", "\\cf6 \\b 1.71"},
        {"az-avant", &V::ratioAZ, "", ""},
        // The space after "\b" keeps the first digit from becoming its parameter.
        {"notes-sirene-avant", &V::rangeNotes, "7", "\\cf6 \\b 7 notes"},
        {"notes-sirene-avant", &V::rangeNotes, "8", "8 notes"},
        {"notes-sirene-avant", &V::rangeNotes, "", " notes"},
    };
    for (const FlagCase& c : cases) {
        SummaryReportValues values;
        values.*c.field = c.text;
        const Filled filled = fill("{\"" + c.keyword + "\"}", values);
        EXPECT_EQ(filled.rtf, "{" + c.written + "}") << c.keyword << " = " << c.text;
    }
}

TEST(SummaryReportFlags, FactorSentenceUsesTheRoundedScore)
{
    struct FactorCase {
        std::string keyword;
        int factor;
        std::string text;
        std::string written;
    };
    const FactorCase cases[] = {
        {"confort", 0, "2.6", "\\cf13 3/5 - A13"},
        {"endurance", 1, "2.5", "\\cf6 2/5 - A22"}, // halves to even
        {"performance", 2, "4", "4/5 - A34"},
        {"qualite", 3, "x", "\\cf6 2/5 - A42"},  // unreadable: the default score
        {"adaptation", 4, "9", "5/5 - A55"},     // clamped to 5
        {"adaptation", 4, "0", "\\cf6 1/5 - A51"}, // clamped to 1
    };
    for (const FactorCase& c : cases) {
        SummaryReportValues values = valuesWithAnswers();
        values.factorTexts[c.factor] = c.text;
        const Filled filled = fill("\"" + c.keyword + "\"", values);
        EXPECT_EQ(filled.rtf, c.written) << c.keyword << " = " << c.text;
        const std::string sentence = c.written.substr(c.written.find('/') - 1);
        EXPECT_EQ(filled.log, std::vector<std::string>{c.keyword + " -> " + sentence});
    }
}

// Each keyword of each language column writes its own field.
TEST(SummaryReportKeywords, TextFieldsOfBothColumns)
{
    struct FieldCase {
        std::string french, english;
        std::string V::*field;
        bool bold;
    };
    const FieldCase cases[] = {
        {"sexe", "sex", &V::sex, false},
        {"nom-patient", "name", &V::name, true},
        {"date-consultation", "date-interview", &V::consultationDate, false},
        {"prenom-patient", "surname", &V::surname, true},
        {"date-naissance", "birthdate", &V::birthDate, false},
        {"profession", "job", &V::job, false},
        {"pathologie", "pathology", &V::classification, true},
        {"motif-consultation", "reason", &V::reason, false},
        {"f0-avant", "f0-before", &V::meanF0, false},
        {"sirene-avant", "range-before", &V::vocalRange, false},
        {"score-autoevaluation", "score-autoeval", &V::total, true},
    };
    for (const FieldCase& c : cases) {
        SummaryReportValues values;
        values.*c.field = "v";
        const std::string expected = c.bold ? "\\b v\\b0 " : "v";
        EXPECT_EQ(fill("\"" + c.french + "\"", values, Language::French).rtf, expected) << c.french;
        EXPECT_EQ(fill("\"" + c.french + "\"", values, Language::Spanish).rtf, expected) << c.french;
        EXPECT_EQ(fill("\"" + c.english + "\"", values, Language::English).rtf, expected) << c.english;
    }
}

TEST(SummaryReportKeywords, ValuesAreWrittenAsRtfText)
{
    SummaryReportValues values;
    values.name = "Zoé {x}\\ Łukasz 😀";
    EXPECT_EQ(fill("\"nom-patient\"", values).rtf,
        "\\b Zo\\'e9 \\{x\\}\\\\ \\u321?ukasz \\u-10179?\\u-8704?\\b0 ");
    values.anamnesis = {"Fumeur", "Voix {rauque}"};
    const Filled filled = fill("\"anamnese\"", values);
    EXPECT_EQ(filled.rtf, "Fumeur\\line \nVoix \\{rauque\\}\n");
    EXPECT_EQ(filled.log, std::vector<std::string>{"anamnese -> Anamnese"});
    EXPECT_EQ(fill("\"version\"", values).rtf, "TIRAVEL 4");
}

TEST(SummaryReportKeywords, KeywordReadingFromTheTemplate)
{
    struct ReadCase {
        std::string templateText;
        std::string written;
        std::vector<std::string> log;
    };
    const ReadCase cases[] = {
        {"avant \"nom-patient\" apr\\'e8s", "avant \\b Dupont\\b0  apr\\'e8s", {"nom-patient -> Dupont"}},
        {"{\"\\b nom-{pat}ient\"}", "{\\b Dupont\\b0 }", {"nom-patient -> Dupont"}},
        {"\"\\b\\i nom-patient\"", "\\b Dupont\\b0 ", {"nom-patient -> Dupont"}},
        {"\"nom-\r\npatient\"", "\r\n\\b Dupont\\b0 ", {"nom-patient -> Dupont"}},
        // A control word that the closing quote ends does not swallow the text after it.
        {"\"nom-patient\\b0\" fin", "\\b Dupont\\b0  fin", {"nom-patient -> Dupont"}},
        {"\"NOM-PAT\"", "\\b Dupont\\b0 ", {"NOM-PAT -> Dupont"}},
        {"\"\"", "F", {" -> F"}},
        {"\"date-\"", "03/02/2026", {"date- -> 03/02/2026"}},
        {"\"name\"", "", {"name ignoré"}},
        {"\"inconnu\" x", " x", {"inconnu ignoré"}},
        {"\"pr\xe9nom\"", "", {"pr\xc3\xa9nom ignoré"}},
        {"abc \"nom-patient", "abc ", {}},
        {"abc \"nom\r\n", "abc \r\n", {}},
        {"\"" + std::string(300, 'x') + "\"", "", {std::string(250, 'x') + " ignoré"}},
    };
    SummaryReportValues values;
    values.name = "Dupont";
    values.sex = "F";
    values.consultationDate = "03/02/2026";
    for (const ReadCase& c : cases) {
        const Filled filled = fill(c.templateText, values);
        EXPECT_EQ(filled.rtf, c.written) << c.templateText;
        EXPECT_EQ(filled.log, c.log) << c.templateText;
    }
}

TEST(SummaryReportKeywords, EnglishColumnAndEmptyKeyword)
{
    SummaryReportValues values;
    values.name = "Smith";
    values.sex = "M";
    EXPECT_EQ(fill("\"name\"", values, Language::English).rtf, "\\b Smith\\b0 ");
    EXPECT_EQ(fill("\"\"", values, Language::English).log, std::vector<std::string>{" -> M"});
    EXPECT_EQ(fill("\"nom-patient\"", values, Language::English).log, std::vector<std::string>{"nom-patient ignoré"});
}

TEST(SummaryReportKeywords, TemplateWithoutQuotesIsCopiedUnchanged)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '"')
            bytes += static_cast<char>(b);
    bytes += "{\\rtf1 {\\b x}\\'e9\r\n}";
    const Filled filled = fill(bytes, valuesWithAnswers());
    EXPECT_EQ(filled.rtf, bytes);
    EXPECT_TRUE(filled.log.empty());
}

TEST(SummaryReportPictures, PictureKeywords)
{
    SummaryReportValues values;
    values.pictures[1] = gradientPicture(20, 10);
    const std::string power = picturePart(values.pictures[1]);
    ASSERT_FALSE(power.empty());

    Filled filled = fill("{\"image-p\"}", values);
    EXPECT_EQ(filled.rtf, "{" + power + "}");
    EXPECT_EQ(filled.log, std::vector<std::string>{"image-p -> Image power"});
    EXPECT_EQ(fill("\"image-p\"", values, Language::English).log, std::vector<std::string>{"image-p -> Image power"});

    filled = fill("\"image-spectrogramme\"\"image-phonetogramme\"", values);
    EXPECT_EQ(filled.rtf, "");
    EXPECT_EQ(filled.log, (std::vector<std::string>{"image-spectrogramme ignoré", "image-phonetogramme ignoré"}));
}

TEST(SummaryReportPictures, PicturesTooSmallOrMalformedAreNotEmbedded)
{
    ReportPicture absent = gradientPicture(20, 10);
    absent.present = false;
    ReportPicture shortData = gradientPicture(20, 10);
    shortData.rgb.pop_back();
    for (const ReportPicture& picture : {absent, gradientPicture(3, 10), gradientPicture(10, 3), shortData}) {
        EXPECT_FALSE(canEmbedPicture(picture)) << picture.width << " x " << picture.height;
        EXPECT_EQ(picturePart(picture), "");
    }
    EXPECT_TRUE(canEmbedPicture(gradientPicture(4, 4)));
}

// The metafile of one picture: its lines and its bytes decoded from hexadecimal.
struct DecodedMetafile {
    std::string opening;            // up to and including the first line end after the goals
    std::vector<std::string> lines; // the hexadecimal lines
    std::vector<std::uint8_t> bytes;

    std::uint32_t number(std::size_t at, int size) const
    {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value * 256 + bytes.at(at + i);
        return value;
    }
};

DecodedMetafile decodeMetafile(const std::string& rtf)
{
    DecodedMetafile decoded;
    const std::size_t hexStart = rtf.find('\n', 1) + 1;
    decoded.opening = rtf.substr(0, hexStart);
    std::istringstream hex(rtf.substr(hexStart));
    for (std::string line; std::getline(hex, line);) {
        decoded.lines.push_back(line);
        for (std::size_t i = 0; i + 1 < line.size() && line[i] != ' '; i += 2)
            decoded.bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16)));
    }
    return decoded;
}

// Offsets in the metafile bytes.
constexpr std::size_t kWindowExtentAt = 28;
constexpr std::size_t kBlitAt = 38;
constexpr std::size_t kBitmapInfoAt = 64;
constexpr std::size_t kPixelsAt = 104;

// Guards pictures that a reader would refuse, cut or show slanted.
TEST(SummaryReportPictures, MetafileOfA300By201Picture)
{
    const DecodedMetafile m = decodeMetafile(picturePart(gradientPicture(300, 201)));
    EXPECT_EQ(m.opening, "\n{\\pict\\wmetafile8\\picwgoal2980\\pichgoal1980\n");
    EXPECT_EQ(m.lines.back(), "030000000000 }");
    const std::uint32_t rowBytes = 896; // 298 pixels of 3 bytes, padded to whole words
    ASSERT_EQ(m.bytes.size(), kPixelsAt + rowBytes * 198 + 6);

    EXPECT_EQ(m.lines[0].substr(0, 12), "010009000003");
    EXPECT_EQ(m.number(6, 4) * 2, m.bytes.size()); // total size in words
    EXPECT_EQ(m.number(12, 4), m.number(6, 4) - 22);
    EXPECT_EQ(m.lines[1], "050000000b0200000000050000000c02c6002a01"); // extent 198 x 298
    EXPECT_EQ(m.number(kWindowExtentAt + 6, 2), 198u);
    EXPECT_EQ(m.number(kWindowExtentAt + 8, 2), 298u);
    EXPECT_EQ(m.number(kBlitAt, 4) * 2, m.bytes.size() - kBlitAt - 6); // the blit record reaches the end record
    EXPECT_EQ(m.number(kBlitAt, 4), m.number(12, 4));
    EXPECT_EQ(m.lines[2].substr(8), "410b2000cc00c6002a0100000000c6002a0100000000");
    EXPECT_EQ(m.number(kBitmapInfoAt, 4), 40u);
    EXPECT_EQ(m.number(kBitmapInfoAt + 4, 4), 298u);
    EXPECT_EQ(m.number(kBitmapInfoAt + 8, 4), 198u);
    EXPECT_EQ(m.number(kBitmapInfoAt + 14, 2), 24u);

    // Bottom row first, blue green red; each row starts on a 4-byte boundary.
    const std::vector<std::uint8_t> firstPixel(m.bytes.begin() + kPixelsAt, m.bytes.begin() + kPixelsAt + 3);
    EXPECT_EQ(firstPixel, (std::vector<std::uint8_t>{7, 197, 0}));
    EXPECT_EQ(m.bytes[kPixelsAt + 297 * 3 + 2], 297 % 256);
    EXPECT_EQ(m.bytes[kPixelsAt + 894], 0);
    EXPECT_EQ(m.bytes[kPixelsAt + rowBytes + 3 + 1], 196); // x = 1, y = 196
    EXPECT_EQ(m.bytes[kPixelsAt + rowBytes + 3 + 2], 1);
    // Header lines, one line per 64 pixels, the end record.
    EXPECT_EQ(m.lines.size(), 4u + (298 * 198 + 63) / 64 + 1);
}

TEST(SummaryReportPictures, SizeAndScaleOfTheMetafile)
{
    struct SizeCase {
        int width, height;
        std::uint32_t w, h;
        std::string goals;
    };
    const SizeCase cases[] = {
        {5, 5, 2, 2, "\\picwgoal20\\pichgoal20"},
        {1050, 40, 1048, 38, "\\picwgoal10480\\pichgoal380"},
        {1300, 10, 1200, 8, "\\picwgoal9600\\pichgoal64"}, // 10240 / 1300 rounds to 8 twips per pixel
        {2048, 6, 1200, 4, "\\picwgoal6000\\pichgoal20"},
    };
    for (const SizeCase& c : cases) {
        const DecodedMetafile m = decodeMetafile(picturePart(gradientPicture(c.width, c.height)));
        EXPECT_EQ(m.opening, "\n{\\pict\\wmetafile8" + c.goals + "\n") << c.width;
        EXPECT_EQ(m.number(kBitmapInfoAt + 4, 4), c.w) << c.width;
        EXPECT_EQ(m.number(kBitmapInfoAt + 8, 4), c.h) << c.width;
        EXPECT_EQ(m.bytes.size(), kPixelsAt + (c.w * 3 + 3) / 4 * 4 * c.h + 6) << c.width;
        EXPECT_EQ(m.number(6, 4) * 2, m.bytes.size()) << c.width;
    }
}

TEST(SummaryReportFolders, OnlyTheDataFolderItselfIsForbidden)
{
    const std::pair<std::string, bool> cases[] = {
        {"/opt/tiravel/div_tiravel", true},
        {"/opt/tiravel/div_tiravel/", true},
        {"/opt/tiravel/div_tiravel//", true},
        {"div_tiravel", true},
        {"/opt/tiravel/div_tiravel/mes patients/..", true},
        {"/opt/tiravel/div_tiravel/mes patients", false},
        {"/opt/tiravel/div_tiravel/reference", false},
        {"/opt/tiravel/my_div_tiravel", false},
        {"/opt/tiravel/div_tiravel2", false},
        {"/", false},
        {"", false},
    };
    for (const auto& [folder, forbidden] : cases)
        EXPECT_EQ(isForbiddenReportFolder(folder), forbidden) << folder;
}

TEST(SummaryReportMessages, ErrorWindowAndDoneTexts)
{
    struct MessageCase {
        ReportStatus status;
        Language language;
        std::string first, second;
    };
    const MessageCase cases[] = {
        {ReportStatus::ForbiddenFolder, Language::French, "Erreur: répertoire protégé",
            "Sélectionner un répertoire dans \"/mes patients\""},
        {ReportStatus::ForbiddenFolder, Language::Spanish, "Directorio prohibido: Error",
            "Por favor, seleccione un directorio en \"/mis pacientes\""},
        {ReportStatus::TemplateUnreadable, Language::English, "Error: could not read \"reference-file.rtf\"",
            "The file is used by another application"},
        {ReportStatus::OutputUncreatable, Language::French, "Accès au fichier refusé",
            "bilan.rtf est peut-être déjà ouvert"},
        {ReportStatus::OutputUncreatable, Language::Spanish, "Cannot generate file", "bilan.rtf file already opened"},
        {ReportStatus::Done, Language::French, "", ""},
    };
    for (const MessageCase& c : cases) {
        const ReportMessage message = reportErrorMessage(c.status, c.language, "bilan.rtf");
        EXPECT_EQ(message.first, c.first);
        EXPECT_EQ(message.second, c.second);
    }
    EXPECT_EQ(reportDoneText(Language::French, "a.rtf"), "Fiche de synthèse a.rtf créée avec succès");
    EXPECT_EQ(reportDoneText(Language::Spanish, "a.rtf"), "Ficha balance a.rtf generado correctamente");
}

class SummaryReportGeneration : public testing::Test {
protected:
    SummaryReportGeneration()
    {
        values.name = "Dupont";
        writeText(templateFile, "a \"nom-patient\" b");
    }

    static void writeText(const fs::path& path, const std::string& text)
    {
        test::writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    static std::string readText(const fs::path& path)
    {
        const std::vector<std::uint8_t> bytes = test::readFile(path);
        return std::string(bytes.begin(), bytes.end());
    }

    ReportResult generate(const fs::path& output)
    {
        return generateSummaryReport(templateFile, output, values, Language::French,
            [this](int percent) { progress.push_back(percent); });
    }

    test::TempFolder folder;
    fs::path templateFile = folder.path("fiche-reference.rtf");
    SummaryReportValues values;
    std::vector<int> progress;
};

TEST_F(SummaryReportGeneration, WritesTheReportReplacingAnOldOne)
{
    const fs::path output = folder.path("bilan.rtf");
    writeText(output, std::string(5000, 'o'));
    const ReportResult result = generate(output);
    EXPECT_EQ(result.status, ReportStatus::Done);
    EXPECT_EQ(readText(output), "a \\b Dupont\\b0  b");
    EXPECT_EQ(result.log, std::vector<std::string>{"nom-patient -> Dupont"});
    EXPECT_EQ(progress, std::vector<int>{100});
}

TEST_F(SummaryReportGeneration, ProgressCountsCopiedCharacters)
{
    writeText(templateFile, std::string(2500, 'a') + "\"nom-patient\"");
    EXPECT_EQ(generate(folder.path("bilan.rtf")).status, ReportStatus::Done);
    EXPECT_EQ(progress, (std::vector<int>{40, 80, 100})); // of 2513 template characters
}

TEST_F(SummaryReportGeneration, FailuresWriteNothing)
{
    fs::create_directories(folder.path("div_tiravel") / "mes patients");
    const fs::path forbidden = folder.path("div_tiravel") / "bilan.rtf";
    EXPECT_EQ(generate(forbidden).status, ReportStatus::ForbiddenFolder);
    EXPECT_FALSE(fs::exists(forbidden));
    EXPECT_EQ(generate(folder.path("div_tiravel") / "mes patients" / "bilan.rtf").status, ReportStatus::Done);

    EXPECT_EQ(generate(folder.path("missing") / "bilan.rtf").status, ReportStatus::OutputUncreatable);
    EXPECT_FALSE(fs::exists(folder.path("missing")));

    fs::remove(templateFile);
    EXPECT_EQ(generate(folder.path("other.rtf")).status, ReportStatus::TemplateUnreadable);
    EXPECT_FALSE(fs::exists(folder.path("other.rtf")));
    fs::create_directory(templateFile);
    EXPECT_EQ(generate(folder.path("other.rtf")).status, ReportStatus::TemplateUnreadable);
}

// Choosing the template itself as the report's file must not destroy it.
TEST_F(SummaryReportGeneration, TheTemplateIsNeverReplaced)
{
    const ReportResult result = generate(templateFile);
    EXPECT_EQ(result.status, ReportStatus::ForbiddenFolder);
    EXPECT_EQ(readText(templateFile), "a \"nom-patient\" b");
}

// Values whose texts can be found again in the report; the measures get
// alarm (6), warning (13) or no (0) colour.
SummaryReportValues bundledTemplateValues()
{
    SummaryReportValues values = valuesWithAnswers();
    values.sex = "F-sex";
    values.name = "Dupont-name";
    values.consultationDate = "03/02/2026";
    values.surname = "Marie-surname";
    values.birthDate = "12/03/1970";
    values.job = "chanteuse-job";
    values.classification = "1300 Polypes";
    values.reason = "fatigue-reason";
    values.anamnesis = {"Fumeuse depuis 10 ans", "Voix rauque le soir"};
    values.phonationTime = "9.25";
    values.pitchInstability = "1.22";
    values.attackAlteration = "1.61";
    values.amplitudeInstability = "0.45";
    values.noiseSignal = "0.95";
    values.harmonicPoverty = "2.07";
    values.ratioSZ = "1.64";
    values.meanF0 = "212 Hz";
    values.vocalRange = "G3 - C5";
    values.rangeNotes = "6";
    values.ratioAZ = "0.27";
    values.total = "15/25 - Gêne modérée";
    values.factorTexts = {"1", "2", "3", "4", "5"};
    for (ReportPicture& picture : values.pictures)
        picture = gradientPicture(300, 201);
    return values;
}

struct FoundRun {
    const RtfParagraph* paragraph = nullptr;
    std::size_t run = 0;
};

FoundRun findRun(const RtfDocument& document, const std::string& text)
{
    for (const RtfParagraph& paragraph : document.paragraphs)
        for (std::size_t i = 0; i < paragraph.runs.size(); ++i)
            if (paragraph.runs[i].text.find(text) != std::string::npos)
                return {&paragraph, i};
    return {};
}

// Every keyword of the bundled templates is known, and the report they give
// reads back with each value as text in its colour, the marks ending with it.
TEST(SummaryReportTemplates, BundledTemplatesFillEveryKeyword)
{
    const SummaryReportValues values = bundledTemplateValues();
    const std::pair<std::string, int> coloured[] = {{"9.25", 6}, {"1.22", 13}, {"1.61", 6}, {"0.45", 0},
        {"0.95", 13}, {"2.07", 6}, {"1.64", 13}, {"6 notes", 6}, {"0.27", 6}, {"1/5 - A11", 6}, {"3/5 - A33", 13},
        {"5/5 - A55", 0}};
    const std::string texts[] = {"F-sex", "Dupont-name", "03/02/2026", "Marie-surname", "12/03/1970",
        "chanteuse-job", "1300 Polypes", "fatigue-reason", "Fumeuse depuis 10 ans", "Voix rauque le soir", "212 Hz",
        "G3 - C5", "15/25 - Gêne modérée", "2/5 - A22", "4/5 - A44", "TIRAVEL 4"};
    for (Language language : {Language::French, Language::English, Language::Spanish}) {
        const fs::path file = kReferenceFolder / reportTemplateName(language);
        SCOPED_TRACE(file.string());
        const std::vector<std::uint8_t> bytes = test::readFile(file);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; }));
        const std::string templateText(bytes.begin(), bytes.end());
        EXPECT_NE(templateText.find("\\ansi\\ansicpg1252"), std::string::npos);
        const RtfReadResult read = readRtf(templateText);
        ASSERT_TRUE(read.ok) << read.error;
        ASSERT_GT(read.document.colors.size(), 13u);
        EXPECT_TRUE(read.document.colors[0].automatic);
        EXPECT_EQ(read.document.colors[6], (RtfColor{255, 0, 0, false}));
        EXPECT_EQ(read.document.colors[13], (RtfColor{224, 112, 0, false}));

        const Filled filled = fill(templateText, values, language);
        EXPECT_EQ(filled.log.size(), 31u);
        for (const std::string& line : filled.log)
            EXPECT_EQ(line.find(" ignoré"), std::string::npos) << line;
        EXPECT_EQ(filled.rtf.find('"'), std::string::npos);
        std::size_t pictures = 0;
        for (std::size_t at = 0; (at = filled.rtf.find("{\\pict\\wmetafile8", at)) != std::string::npos; ++at)
            ++pictures;
        EXPECT_EQ(pictures, 4u);

        const RtfReadResult report = readRtf(filled.rtf);
        ASSERT_TRUE(report.ok) << report.error;
        for (const std::string& text : texts)
            EXPECT_NE(findRun(report.document, text).paragraph, nullptr) << text;
        const FoundRun name = findRun(report.document, "Dupont-name");
        ASSERT_NE(name.paragraph, nullptr);
        EXPECT_TRUE(name.paragraph->runs[name.run].format.bold);
        for (const auto& [text, colour] : coloured) {
            const FoundRun found = findRun(report.document, text);
            ASSERT_NE(found.paragraph, nullptr) << text;
            EXPECT_EQ(found.paragraph->runs[found.run].format.colorIndex, colour) << text;
            if (found.run + 1 < found.paragraph->runs.size()) {
                const RtfCharFormat& after = found.paragraph->runs[found.run + 1].format;
                EXPECT_TRUE(after.colorIndex != 6 && after.colorIndex != 13 && !after.bold) << "after " << text;
            }
        }
    }
}

} // namespace
} // namespace tiravel
