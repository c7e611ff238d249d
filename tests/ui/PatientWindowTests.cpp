// The patient window on the offscreen platform: creating, naming, opening,
// saving and erasing records in the data folder, what the pages append to
// the record and read back from it, and the summary report.
#include "UiTestSupport.h"

#include "patient/PatientSummary.h"
#include "patient/RtfReader.h"
#include "patient/RtfWriter.h"
#include "patient/ui/PatientFileDialogs.h"
#include "patient/ui/TFormPatient.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

// Answers the file dialogs as a test says.
class ScriptedDialogs final : public PatientFileDialogs {
public:
    std::optional<std::string> chooseSoundFile(QWidget&, const QString&) override { return sound; }
    std::optional<std::string> chooseReportFile(QWidget&, const QString&, const QString& proposed) override
    {
        proposedPaths.push_back(proposed.toStdString());
        return report;
    }
    std::optional<std::string> sound;
    std::optional<std::string> report;
    std::vector<std::string> proposedPaths;
};

class PatientWindow : public ::testing::Test {
protected:
    explicit PatientWindow(Language language = Language::French)
        : program(language)
        , window(program->patient())
        , dataFolder(program.installation.root() / "div_tiravel")
    {
        window.setFileDialogs(dialogs);
        window.FormActivate();
    }

    template <typename Widget>
    Widget& control(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        if (!widget)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }

    void saveAs(const std::string& name)
    {
        control<QLineEdit>("EditNew").setText(QString::fromStdString(name));
        window.sbSaveClick();
    }

    void open(const std::string& fileName)
    {
        QListWidget& list = control<QListWidget>("FileListBox");
        const auto found = list.findItems(QString::fromStdString(fileName), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << fileName;
        list.setCurrentItem(found.first());
        window.FileListClick();
        window.FileListBoxChange();
    }

    std::vector<std::string> recordLines(const std::string& fileName) const
    {
        const RtfReadResult read = readRtfFile(dataFolder / fileName);
        EXPECT_TRUE(read.ok) << fileName << ": " << read.error;
        return read.document.plainLines();
    }

    void writeRecord(const std::string& fileName, const std::vector<std::string>& lines) const
    {
        RtfDocument document;
        for (const std::string& line : lines)
            document.appendParagraph(line);
        ASSERT_TRUE(writeRtfFile(document, dataFolder / fileName));
    }

    std::vector<std::string> listed()
    {
        std::vector<std::string> names;
        QListWidget& list = control<QListWidget>("FileListBox");
        for (int i = 0; i < list.count(); ++i)
            names.push_back(list.item(i)->text().toStdString());
        return names;
    }

    const test::RecordingPresenter::Shown* lastError() const
    {
        for (auto it = program.presenter.shown.rbegin(); it != program.presenter.shown.rend(); ++it)
            if (it->name == "FormError")
                return &*it;
        return nullptr;
    }

    test::ProgramUnderTest program;
    TFormPatient& window;
    fs::path dataFolder;
    ScriptedDialogs dialogs;
};

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PatientWindow, StartsWithTheBlankRecordOfTheLanguage)
{
    const std::vector<std::string> lines = window.documentLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Nom: ");
    EXPECT_TRUE(contains(lines, "Anamnèse:"));
    EXPECT_EQ(control<QLabel>("LabelActive").text(), "nouveau");
    EXPECT_EQ(window.windowTitle(), "Fiche patient de nouveau");
    EXPECT_EQ(window.currentPageName(), "TabAnamnese");
    EXPECT_GT(control<QTreeWidget>("TreeView").topLevelItemCount(), 5);
}

// A record is named, filled by a tool, left for another one and reopened:
// its lines are on disk and read back into the summary.
TEST_F(PatientWindow, RecordSurvivesLeavingAndIsReadBack)
{
    saveAs("dupont");
    EXPECT_EQ(listed(), std::vector<std::string> {"dupont.RTF"});
    EXPECT_EQ(window.windowTitle(), "Fiche patient de dupont");
    window.appendPatientLine("Prénom: Marie");
    window.appendPatientLine(". Rapport S/Z: 1.20");

    writeRecord("martin.rtf", {"Nom: Martin", "Anamnèse:", "Voix fatiguée le soir"});
    window.FormActivate();
    open("martin.rtf");
    EXPECT_EQ(window.windowTitle(), "Fiche patient de martin");
    EXPECT_EQ(window.summary().name, "Martin");
    EXPECT_EQ(window.summary().anamnesis, std::vector<std::string> {"Voix fatiguée le soir"});
    EXPECT_TRUE(contains(recordLines("dupont.RTF"), "Prénom: Marie"));
    EXPECT_FALSE(fs::exists(dataFolder / "dupont.rtf")) << "one file per patient whatever the extension's case";

    open("dupont.RTF");
    EXPECT_TRUE(contains(window.documentLines(), ". Rapport S/Z: 1.20"));
    EXPECT_EQ(window.summary().surname, "Marie");
    EXPECT_EQ(window.summary().ratioSZ, "1.20");
    EXPECT_EQ(control<QLineEdit>("EditSummarySZ").text(), "1.20");
}

// A record opened and saved again through the edit box keeps its text and
// its runs: bold, italic, underline, size and colour.
TEST_F(PatientWindow, RecordKeepsItsFormattingThroughTheEditBox)
{
    RtfDocument document;
    document.colors = {{0, 0, 0, true}, {255, 0, 0, false}};
    RtfParagraph title;
    title.append("Bilan ", {true, false, false, 32, 0});
    title.append("urgent", {true, true, true, 32, 1});
    document.paragraphs.push_back(title);
    document.appendParagraph("Voix\tsoufflée\navec pauses");
    document.appendParagraph("");
    ASSERT_TRUE(writeRtfFile(document, dataFolder / "forme.rtf"));
    window.FormActivate();
    open("forme.rtf");
    window.appendPatientLine("ajout");
    saveAs("forme");
    const RtfReadResult read = readRtfFile(dataFolder / "forme.rtf");
    ASSERT_TRUE(read.ok) << read.error;
    RtfDocument expected = document;
    expected.appendParagraph("ajout");
    EXPECT_EQ(read.document.paragraphs, expected.paragraphs);
    ASSERT_EQ(read.document.colors.size(), 2u);
    EXPECT_EQ(read.document.colors[1], (RtfColor {255, 0, 0, false}));
}

TEST_F(PatientWindow, NamesLeavingTheDataFolderAreRefused)
{
    for (const char* typed : {"../dehors", "mes patients/x", "/tmp/fiche", "a\\b", ".cache", "-2"}) {
        const std::size_t shownBefore = program.presenter.shown.size();
        saveAs(typed);
        ASSERT_GT(program.presenter.shown.size(), shownBefore) << typed;
        const auto* error = lastError();
        ASSERT_NE(error, nullptr);
        EXPECT_TRUE(error->line1.startsWith("Nom de fiche refusé: ")) << error->line1.toStdString();
        EXPECT_EQ(control<QLabel>("LabelActive").text(), "nouveau") << typed;
    }
    EXPECT_TRUE(listed().empty());
    EXPECT_FALSE(fs::exists(program.installation.root() / "dehors.RTF"));
    EXPECT_FALSE(fs::exists("/tmp/fiche.RTF"));
}

TEST_F(PatientWindow, EmptyNameSavesTheRecordAsNouveau)
{
    saveAs("");
    EXPECT_EQ(listed(), std::vector<std::string> {"nouveau.RTF"});
}

TEST_F(PatientWindow, ErasingKeepsTheErasedRecordAside)
{
    window.sbErasePatientClick(); // nothing selected: nothing happens
    EXPECT_EQ(lastError(), nullptr);

    saveAs("dupont");
    window.appendPatientLine("à garder");
    saveAs("dupont");
    window.sbErasePatientClick();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(control<QLabel>("LabelActive").text(), "nouveau");
    EXPECT_EQ(window.documentLines().front(), "Nom: ");
    bool kept = false;
    for (const auto& entry : fs::directory_iterator(dataFolder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("dupont.RTF.erased-", 0) == 0)
            kept = contains(recordLines(name), "à garder");
    }
    EXPECT_TRUE(kept);
}

// A file that is not a record must neither replace the open record nor be
// overwritten by it.
TEST_F(PatientWindow, UnreadableRecordLeavesTheOpenRecordAndTheFileAlone)
{
    saveAs("dupont");
    window.appendPatientLine("ligne de Dupont");
    std::ofstream(dataFolder / "abime.rtf") << "ceci n'est pas une fiche";
    window.FormActivate();
    open("abime.rtf");
    const auto* error = lastError();
    ASSERT_NE(error, nullptr);
    EXPECT_TRUE(error->line1.startsWith("Fiche illisible: abime.rtf")) << error->line1.toStdString();
    EXPECT_EQ(control<QLabel>("LabelActive").text(), "dupont");
    EXPECT_TRUE(contains(window.documentLines(), "ligne de Dupont"));
    window.sbQuitClick();
    std::ifstream in(dataFolder / "abime.rtf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "ceci n'est pas une fiche");
    EXPECT_TRUE(contains(recordLines("dupont.RTF"), "ligne de Dupont"));
}

TEST_F(PatientWindow, QuittingSavesTheRecordAndAnUnchangedRecordIsNotRewritten)
{
    writeRecord("nouveau.rtf", {"Nom: ancien", "Anamnèse:", "note d'hier"});
    window.FormActivate();
    open("nouveau.rtf"); // the blank record of the start is not written over it
    EXPECT_TRUE(contains(window.documentLines(), "note d'hier"));
    window.appendPatientLine("note du jour");
    window.sbQuitClick();
    const std::vector<std::string> lines = recordLines("nouveau.rtf");
    EXPECT_TRUE(contains(lines, "note d'hier"));
    EXPECT_TRUE(contains(lines, "note du jour"));
}

TEST_F(PatientWindow, SelfAssessmentBlocksAreAppendedAndMarkedBeforeAndAfter)
{
    control<QSlider>("TrackConfort").setValue(1);
    control<QSlider>("TrackEndurance").setValue(5);
    EXPECT_EQ(control<QLabel>("LabelConfort").text(), "Confort 1/5");
    EXPECT_EQ(control<QLabel>("LabelTotal").text(), "Score  15/25");
    window.sbPatientClick();
    std::vector<std::string> lines = window.documentLines();
    EXPECT_TRUE(contains(lines, "Auto-évaluation"));
    EXPECT_TRUE(contains(lines, " 1) Confort 1/5"));
    EXPECT_TRUE(contains(lines, " -> Score: 15/25 - Gêne modérée"));
    EXPECT_FALSE(control<QLabel>("LabelEvalBefore").isHidden());
    EXPECT_TRUE(control<QLabel>("LabelEvalAfter").isHidden());

    control<QSlider>("TrackConfort").setValue(5);
    window.sbPatientClick();
    EXPECT_FALSE(control<QLabel>("LabelEvalAfter").isHidden());
    EXPECT_EQ(control<QLabel>("LabelEvalAfter").text(), "Après : Score  19/25");
    EXPECT_EQ(control<QComboBox>("ComboComfort").currentText(), "5");
    EXPECT_EQ(control<QLineEdit>("EditSummaryTotal").text(), "19/25 - Gêne discrète");
}

// Changing page reads the record back; the patient's answers not yet saved
// stay on the track bars and the corrected combo boxes keep their values.
TEST_F(PatientWindow, PageChangesKeepUnsavedAnswers)
{
    control<QSlider>("TrackConfort").setValue(5);
    control<QComboBox>("ComboQuality").setCurrentText("4");
    window.PageControlPatientChange();
    EXPECT_EQ(control<QSlider>("TrackConfort").value(), 5);
    EXPECT_EQ(control<QComboBox>("ComboQuality").currentText(), "4");
}

TEST_F(PatientWindow, BlankRecordWithoutItsTemplateIsEmpty)
{
    saveAs("dupont");
    window.appendPatientLine("ligne de Dupont");
    fs::remove(dataFolder / "reference" / "patient.rtf");
    window.sbNewClick();
    const auto* error = lastError();
    ASSERT_NE(error, nullptr);
    EXPECT_TRUE(error->line1.startsWith("Fichier introuvable: ")) << error->line1.toStdString();
    EXPECT_EQ(window.documentLines(), std::vector<std::string> {""});
    EXPECT_EQ(control<QLabel>("LabelActive").text(), "nouveau");
    EXPECT_TRUE(contains(recordLines("dupont.RTF"), "ligne de Dupont"));
}

TEST_F(PatientWindow, AnamnesisEntryIsInsertedOnceAtTheCaret)
{
    QTreeWidget& tree = control<QTreeWidget>("TreeView");
    QTreeWidgetItem* chapter = tree.topLevelItem(0);
    tree.setCurrentItem(chapter);
    window.TreeViewClick();
    window.TreeViewClick();
    const std::string inserted = " > " + chapter->text(0).toStdString();
    const std::vector<std::string> lines = window.documentLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), inserted), 1);
    tree.setCurrentItem(chapter->child(0));
    window.TreeViewClick();
    tree.setCurrentItem(chapter);
    window.TreeViewClick();
    const std::vector<std::string> after = window.documentLines();
    EXPECT_EQ(std::count(after.begin(), after.end(), inserted), 2);
}

TEST_F(PatientWindow, ClassificationIsSearchedAndSavedInBold)
{
    QListWidget& list = control<QListWidget>("ListPatho");
    ASSERT_GE(list.count(), 2);
    control<QLineEdit>("EditSearch").setText("POLY");
    QComboBox& combo = control<QComboBox>("ComboClassification");
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), "13 - Polyp");
    window.sbSavePathoClick();
    const std::vector<std::string> lines = window.documentLines();
    EXPECT_EQ(lines.back(), "Classification: 13 - Polyp");
    const QTextBlock last = control<QTextEdit>("RichEdit").document()->lastBlock();
    EXPECT_EQ(last.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    window.appendPatientLine("suite");
    EXPECT_EQ(control<QTextEdit>("RichEdit").document()->lastBlock().begin().fragment().charFormat().fontWeight(),
        QFont::Normal);
    window.UpdateSummaryFromPatientFile();
    EXPECT_EQ(window.summary().classification, "13 - Polyp");
    control<QLineEdit>("EditSearch").clear();
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(PatientWindow, ReportIsGeneratedFromTheTemplateAndOpened)
{
    saveAs("dupont");
    window.appendPatientLine("Prénom: Marie");
    window.UpdateSummaryFromPatientFile();
    control<QLineEdit>("EditSummaryTPM").setText("9");
    const fs::path report = program.installation.root() / "div_tiravel" / "my patients" / "bilan-dupont.rtf";
    dialogs.report = report.string();
    window.sbGenerateFileClick();
    ASSERT_TRUE(fs::exists(report));
    std::ifstream in(report, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("Marie"), std::string::npos);
    EXPECT_NE(text.find("\\cf6 \\b 9"), std::string::npos);
    EXPECT_EQ(text.find("\"prenom-patient\""), std::string::npos);
    EXPECT_EQ(program.shell.opened.back(), report.string());
    EXPECT_FALSE(control<QLabel>("LabelDone").isHidden());
    EXPECT_EQ(control<QLabel>("LabelDone").text(), "Fiche de synthèse bilan-dupont.rtf créée avec succès");
    EXPECT_EQ(control<QPushButton>("sbGenerateFile").text(), "Terminé");
    EXPECT_TRUE(readRtfFile(report).ok);

    // The data folder itself is refused, and nothing is written there.
    dialogs.report = (dataFolder / "bilan.rtf").string();
    window.sbGenerateFileClick();
    const auto* error = lastError();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->line1, "Erreur: répertoire protégé");
    EXPECT_FALSE(fs::exists(dataFolder / "bilan.rtf"));

    dialogs.report.reset(); // a cancelled dialog does nothing
    const std::size_t opened = program.shell.opened.size();
    window.sbGenerateFileClick();
    EXPECT_EQ(program.shell.opened.size(), opened);
}

TEST_F(PatientWindow, LanguageSwitchKeepsTheOpenRecord)
{
    window.appendPatientLine("notes en cours");
    program.state.setLanguage(Language::English);
    window.FormCreate();
    EXPECT_TRUE(contains(window.documentLines(), "notes en cours"));
    EXPECT_EQ(control<QPushButton>("sbNew").text(), "Blank record");
}

class EnglishPatientWindow : public PatientWindow {
protected:
    EnglishPatientWindow() : PatientWindow(Language::English) {}
};

TEST_F(EnglishPatientWindow, BlankRecordAndNamesAreEnglish)
{
    EXPECT_EQ(window.documentLines().front(), "Name: ");
    EXPECT_EQ(control<QLabel>("LabelActive").text(), "new");
    window.appendPatientLine("Surname: John");
    window.UpdateSummaryFromPatientFile();
    EXPECT_EQ(control<QLineEdit>("EditSummarySurname").text(), "John");
    EXPECT_EQ(control<QLineEdit>("EditSummaryName").text(), "");
}

} // namespace
} // namespace tiravel
