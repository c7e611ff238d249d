#include "UiTestSupport.h"

#include "shell/ui/TFormStart.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include <fstream>

namespace tiravel::test {

namespace {

const char* const kDataSubFolders[] = {"html", "html_en", "html_sp", "video", "piano", "mediatheque", "mes patients",
    "my patients", "mis pacientes", "reference", "stats", "database"};

QString labelText(const QDialog& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QString();
}

} // namespace

void RecordingPresenter::showModal(QDialog& window)
{
    Shown shown{window.objectName(), window.windowTitle(), labelText(window, "LabelError1"),
        labelText(window, "LabelError2"), toolMode(), startVisible()};
    if (const auto* box = qobject_cast<QMessageBox*>(&window)) {
        shown.name = QStringLiteral("QMessageBox");
        shown.line1 = box->text();
    }
    this->shown.push_back(shown);
}

Installation::Installation()
    : saved_(std::filesystem::current_path())
    , root_(std::filesystem::canonical(temp_.path("")))
{
    std::filesystem::current_path(root_);
}

Installation::~Installation()
{
    std::filesystem::current_path(saved_);
}

void Installation::makeCompleteDataFolder()
{
    for (const char* sub : kDataSubFolders)
        std::filesystem::create_directories(root_ / "div_tiravel" / sub);
    for (const char* file : {"nomenclature.txt", "nomenclature_en.txt", "nomenclature_sp.txt"})
        std::ofstream(root_ / "div_tiravel" / "reference" / file) << "0012 Nodule\n0013 Polyp\n";
    // The record and report templates and the anamnesis trees, as installed.
    const std::filesystem::path bundled = std::filesystem::path(TIRAVEL_SOURCE_DIR) / "div_tiravel" / "reference";
    for (const auto& entry : std::filesystem::directory_iterator(bundled)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("nomenclature", 0) != 0)
            std::filesystem::copy_file(entry.path(), root_ / "div_tiravel" / "reference" / name);
    }
}

void Installation::removeFolder(const std::string& sub)
{
    std::filesystem::remove_all(root_ / sub);
}

void Installation::writeSettings(const std::vector<std::string>& lines)
{
    std::filesystem::create_directories(root_ / "div_tiravel");
    std::ofstream out(root_ / "div_tiravel" / "tiravel4.ini");
    for (const std::string& line : lines)
        out << line << "\n";
}

std::string languageCode(Language language)
{
    switch (language) {
    case Language::English: return "EN";
    case Language::Spanish: return "SP";
    case Language::French: break;
    }
    return "FR";
}

ProgramUnderTest::ProgramUnderTest(Language language, bool completeDataFolder)
{
    if (completeDataFolder)
        installation.makeCompleteDataFolder();
    if (language != Language::French)
        installation.writeSettings({"TIRAVEL 4", "http://www.example.org/voice", "1.0", languageCode(language)});
    program = std::make_unique<Program>(state, presenter, shell, audioInput, recorderInput);
    program->setSoundPlayer(soundPlayer);
    presenter.toolMode = [this] { return state.analysis().toolMode; };
    presenter.startVisible = [this] { return !program->windows().empty() && program->start().isVisible(); };
    program->createWindows();
    std::filesystem::current_path(installation.root());
}

std::vector<QString> ProgramUnderTest::shownNames() const
{
    std::vector<QString> names;
    for (const auto& shown : presenter.shown)
        names.push_back(shown.name);
    return names;
}

} // namespace tiravel::test
