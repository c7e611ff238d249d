// Renders the menus, the start, About and error windows and the evaluation
// screen in expert mode in French, English and Spanish to PNG files, at the
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
#include "shell/ui/WindowPresenter.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>

#include <cstdio>
#include <filesystem>
#include <fstream>

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
        std::ofstream(install / "div_tiravel" / "tiravel4.ini") << "\nhttp://www.tiravel.example/\n1.0\n" << language << "\n";
        std::ofstream(install / "div_tiravel" / "reference" / "nomenclature.txt") << "0001 Nodule\n";
        std::ofstream(install / "div_tiravel" / "reference" / "nomenclature_en.txt") << "0001 Nodule\n";
        std::ofstream(install / "div_tiravel" / "reference" / "nomenclature_sp.txt") << "0001 Nódulo\n";
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
