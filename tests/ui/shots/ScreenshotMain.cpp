// Renders the menus, the start, About, error and patient windows and the
// evaluation screen in expert mode in French, English and Spanish to PNG files, at the
// design size and at 800 x 600, to look at them.
#include "audio/ScriptedAudioInputDevice.h"
#include "platform/Shell.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "shell/ui/TFormAbout.h"
#include "shell/ui/TFormError.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormReeducation.h"
#include "shell/ui/TFormStart.h"
#include "media/ui/TFormMedia.h"
#include "patient/ui/PatientFileDialogs.h"
#include "patient/ui/TFormPatient.h"
#include "shell/ui/WindowPresenter.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

class SilentPresenter final : public tiravel::WindowPresenter {
public:
    void showModal(QDialog& /*window*/) override {}
};

class SilentShell final : public tiravel::Shell {
public:
    bool openDocument(const std::string& /*pathOrUrl*/) override { return true; }
};

void save(QWidget& window, QSize size, const std::filesystem::path& file)
{
    window.resize(size);
    if (window.layout() != nullptr)
        window.layout()->activate();
    if (!window.grab().save(QString::fromStdString(file.string())))
        std::fprintf(stderr, "could not write %s\n", file.c_str());
}

// Answers the report dialog with a fixed file.
class FixedReportFile final : public tiravel::PatientFileDialogs {
public:
    explicit FixedReportFile(std::string file) : file_(std::move(file)) {}
    std::optional<std::string> chooseSoundFile(QWidget&, const QString&) override { return std::nullopt; }
    std::optional<std::string> chooseReportFile(QWidget&, const QString&, const QString&) override { return file_; }

private:
    std::string file_;
};

// The patient window on each of its pages, with a record that a
// consultation would have filled.
void renderPatient(tiravel::Program& program, const std::string& suffix, const std::filesystem::path& folder)
{
    tiravel::TFormPatient& patient = program.patient();
    for (const char* line : {"Prénom: Marie", "Calcul des indicateurs qualité de voix du fichier : \"dupont-a.wav\"",
             "Date du calcul: 10/12/2026", " 1) Altération attaque: 0.62", " 2) Instabilité hauteur: 1.31",
             " 3) Instabilité amplitude: 0.84", " 4) Rapport signal/bruit: 1.72", " 5) Pauvreté harmonique: 0.40",
             ". Rapport S/Z: 1.60"})
        patient.appendPatientLine(line);
    patient.findChild<QSlider*>("TrackConfort")->setValue(2);
    patient.findChild<QSlider*>("TrackQualite")->setValue(4);
    patient.sbPatientClick();
    // The sample voice as the recording before therapy, and the same voice
    // with other indicators as the one after.
    program.spectrumRT().DoLoadFile(TIRAVEL_SAMPLE_VOICE);
    program.spectrumRT().resize(1280, 860);
    program.spectrumRT().sbPatientClick();
    patient.UpdateAAvant("dupont-avant-a.wav");
    tiravel::AnalysisState& analysis = program.state().analysis();
    analysis.attackAlteration *= 0.6;
    analysis.pitchInstability *= 0.5;
    analysis.noiseSignalRatio *= 0.7;
    patient.UpdateAApres("dupont-apres-a.wav");
    auto* tree = patient.findChild<QTreeWidget*>("TreeView");
    tree->expandItem(tree->topLevelItem(0));
    auto* pages = patient.findChild<QTabWidget*>("PageControl");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        save(patient, QSize(1280, 800), folder / ("patient-" + std::to_string(page + 1) + "-" + suffix + ".png"));
    }
    save(patient, QSize(1024, 700), folder / ("patient-small-" + suffix + ".png"));
    // The summary report of that record, to open in a word processor.
    FixedReportFile report((folder / ("report-" + suffix + ".rtf")).string());
    patient.setFileDialogs(report);
    patient.sbGenerateFileClick();
}

void renderAll(tiravel::Program& program, const std::string& suffix, const std::filesystem::path& folder)
{
    struct Shot {
        const char* name;
        QWidget* window;
    };
    const Shot shots[] = {{"start", &program.start()}, {"evaluation", &program.evaluation()},
        {"therapy", &program.reeducation()}, {"media", &program.media()}};
    for (const Shot& shot : shots) {
        save(*shot.window, QSize(1024, 768), folder / (std::string(shot.name) + "-" + suffix + ".png"));
        save(*shot.window, QSize(800, 600), folder / (std::string(shot.name) + "-800-" + suffix + ".png"));
    }
    save(program.about(), program.about().size(), folder / ("about-" + suffix + ".png"));
    renderPatient(program, suffix, folder);
    // The evaluation screen with its expert controls.
    program.state().expertMode = true;
    program.spectrumRT().UpdateOptions();
    save(program.spectrumRT(), QSize(1280, 860), folder / ("spectrum-expert-" + suffix + ".png"));
    program.state().expertMode = false;
    program.error().DisplayError("\"div_tiravel/video\" sous-répertoire non trouvé", "Attention - problème d'installation");
    save(program.error(), program.error().size(), folder / ("error-" + suffix + ".png"));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path folder = argc > 1 ? argv[1] : "/tmp/tiravel-shots";
    std::filesystem::create_directories(folder);
    const std::filesystem::path install = std::filesystem::temp_directory_path() / "tiravel-shots-install";
    for (const char* language : {"FR", "EN", "SP"}) {
        std::filesystem::create_directories(install / "div_tiravel" / "reference");
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TIRAVEL_SOURCE_DIR) / "div_tiravel" / "reference"))
            std::filesystem::copy_file(entry.path(), install / "div_tiravel" / "reference" / entry.path().filename(),
                std::filesystem::copy_options::overwrite_existing);
        std::ofstream(install / "div_tiravel" / "tiravel4.ini") << "\nhttp://www.tiravel.example/\n1.0\n" << language << "\n";
        std::filesystem::current_path(install);
        tiravel::ProgramState state;
        SilentPresenter presenter;
        SilentShell shell;
        tiravel::ScriptedAudioInputDevice audioInput;
        tiravel::Program program(state, presenter, shell, audioInput);
        program.createWindows();
        const std::string code(language);
        renderAll(program, code == "FR" ? "fr" : code == "EN" ? "en" : "sp", folder);
    }
    std::filesystem::current_path(folder);
    std::filesystem::remove_all(install);
    std::printf("screenshots in %s\n", folder.c_str());
    return 0;
}
