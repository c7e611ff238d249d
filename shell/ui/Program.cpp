#include "Program.h"

#include "audio/ui/TFormRecord.h"
#include "evaluation/ui/TFormProfil.h"
#include "evaluation/ui/TFormReperes.h"
#include "evaluation/SoundFileState.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "evaluation/ui/TFormTPM.h"
#include "media/ui/TFormMedia.h"
#include "media/ui/TFormSoundBiblio.h"
#include "media/ui/TFormVideoOK.h"
#include "media/ui/TFormVideos.h"
#include "patient/ui/TFormPatient.h"
#include "platform/SoundPlayer.h"
#include "shell/DataFolders.h"
#include "shell/ui/CommandLauncher.h"
#include "shell/ui/ProgramLiveTools.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/TForm3Choice.h"
#include "shell/ui/TFormAbout.h"
#include "shell/ui/TFormError.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormFFTHost.h"
#include "shell/ui/TFormReeducation.h"
#include "shell/ui/TFormStart.h"
#include "shell/ui/WindowPresenter.h"
#include "therapy/ui/TFormArticulation.h"
#include "therapy/ui/TFormHauteurTonale.h"
#include "therapy/ui/TFormSouffle.h"
#include "therapy/ui/TFormTimbre.h"

#include <QCoreApplication>
#include <QThread>

#include <stdexcept>

namespace tiravel {

namespace {

// The player of a program without sound output.
class SilentSoundPlayer final : public SoundPlayer {
public:
    void playAsync(const std::string& /*wavPath*/) override {}
    void stop() override {}
    bool playing() const override { return false; }
};

} // namespace

Program::Program(ProgramState& state, WindowPresenter& presenter, Shell& shell, AudioInputDevice& analysisInput,
    AudioInputDevice& recorderInput)
    : state_(state)
    , presenter_(presenter)
    , shell_(shell)
    , recorderInput_(recorderInput)
    , errors_(presenter)
    , analysis_(state.analysis(), analysisInput)
    , silentPlayer_(std::make_unique<SilentSoundPlayer>())
    , soundPlayer_(silentPlayer_.get())
    , soundFiles_(std::make_unique<SoundFileState>())
{
    analysis_.setErrorReporter(errors_);
}

Program::Program(ProgramState& state, WindowPresenter& presenter, Shell& shell, AudioInputDevice& audioInput)
    : Program(state, presenter, shell, audioInput, audioInput)
{
}

Program::~Program()
{
    analysis_.LiveAudioRecorderDeActivate();
    errors_.clearErrorWindow();
}

void Program::createWindows()
{
    create(start_);
    create(error_);
    errors_.setErrorWindow(*error_);
    create(record_);
    create(fft_);
    create(hauteurTonale_);
    create(articulation_);
    create(spectrumRT_);
    create(about_);
    create(evaluation_);
    create(reeducation_);
    create(souffle_);
    create(media_);
    create(videos_);
    create(soundBiblio_);
    create(patient_);
    create(timbre_);
    create(tpm_);
    create(profil_);
    create(reperes_);
    create(threeChoice_);
    create(videoOK_);
    liveTools_ = std::make_unique<ProgramLiveTools>(*this);
    analysis_.dispatcher().setTools(liveTools_.get());
}

void Program::runLauncher(const std::string& argument)
{
    CommandLauncher(*this).run(argument);
}

void Program::openTool(TiravelWindow& tool, std::uint8_t toolMode, Preparation preparation)
{
    state_.analysis().toolMode = toolMode;
    if (preparation != Preparation::None)
        tool.UpdateOptions();
    if (preparation == Preparation::OptionsAndResize)
        tool.FormResize();
    showModal(tool);
}

void Program::showModal(TiravelWindow& window)
{
    presenter_.showModal(window);
}

void Program::setInstallDir(const std::filesystem::path& installDir)
{
    state_.installDir = installDir;
    folders_ = std::make_unique<DataFolders>(installDir, [this] { return state_.language(); }, errors_, shell_);
}

DataFolders& Program::folders() const
{
    if (!folders_)
        throw std::logic_error("the data folders are used before the installation folder is known");
    return *folders_;
}

void Program::terminate()
{
    ending_ = true;
    // Without a running event loop there is nothing to leave, and asking
    // would make the next loop return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

template <typename Window>
void Program::create(std::unique_ptr<Window>& slot)
{
    slot = std::make_unique<Window>(*this);
    windows_.push_back(slot.get());
    slot->FormCreate();
}

} // namespace tiravel
