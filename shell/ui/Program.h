#pragma once

#include "shell/TFormFFT.h"
#include "shell/ui/ErrorRouter.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tiravel {

class AudioInputDevice;
class DataFolders;
class Shell;
class SoundPlayer;
struct SoundFileState;
class TiravelWindow;
class WindowPresenter;
struct ProgramState;

class TFormStart;
class TFormError;
class TFormRecord;
class TFormFFTHost;
class TFormHauteurTonale;
class TFormArticulation;
class TFormSpectrumRT;
class TFormAbout;
class TFormEvaluation;
class TFormReeducation;
class TFormSouffle;
class TFormMedia;
class TFormVideos;
class TFormSoundBiblio;
class TFormPatient;
class TFormTimbre;
class TFormTPM;
class TFormProfil;
class TFormReperes;
class TForm3Choice;
class TFormVideoOK;

// The running program: its shared state, the platform services, and the 21
// windows, created once in a fixed order and kept until the end.
class Program {
public:
    // What a tool is prepared with before a menu shows it.
    enum class Preparation { None, Options, OptionsAndResize };

    // The analysis window and the recorder capture from their own devices;
    // with one device for both, only one of them may capture at a time.
    Program(ProgramState& state, WindowPresenter& presenter, Shell& shell, AudioInputDevice& analysisInput,
        AudioInputDevice& recorderInput);
    Program(ProgramState& state, WindowPresenter& presenter, Shell& shell, AudioInputDevice& audioInput);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the windows in order, each running its FormCreate before the
    // next one is created; the first, the start window, reads the settings.
    void createWindows();
    // Opens the tool that the command-line argument names, if any.
    void runLauncher(const std::string& argument);

    // Sets toolMode, prepares the tool and shows it modally.
    void openTool(TiravelWindow& tool, std::uint8_t toolMode, Preparation preparation);
    void showModal(TiravelWindow& window);

    ProgramState& state() const { return state_; }
    WindowPresenter& presenter() const { return presenter_; }
    Shell& shell() const { return shell_; }
    ErrorReporter& errors() { return errors_; }
    // The analysis window's engine: the live recorder and the analysis.
    TFormFFT& analysisEngine() { return analysis_; }
    // Where the windows play their sounds; silent until the program entry
    // (or a test) gives it the system's player.
    SoundPlayer& soundPlayer() const { return *soundPlayer_; }
    void setSoundPlayer(SoundPlayer& player) { soundPlayer_ = &player; }
    // The loaded sound file and the buffers of its signal operations.
    SoundFileState& soundFiles() const { return *soundFiles_; }
    // The device of the recorder window's own live recorder.
    AudioInputDevice& recorderInput() const { return recorderInput_; }

    // Set by the start-up sequence; the data folders exist from then on.
    void setInstallDir(const std::filesystem::path& installDir);
    DataFolders& folders() const;

    // Ends the program: the main event loop returns.
    void terminate();
    bool ending() const { return ending_; }

    // The windows in creation order.
    const std::vector<TiravelWindow*>& windows() const { return windows_; }

    TFormStart& start() const { return existing(start_); }
    TFormError& error() const { return existing(error_); }
    TFormRecord& record() const { return existing(record_); }
    TFormFFTHost& fft() const { return existing(fft_); }
    TFormHauteurTonale& hauteurTonale() const { return existing(hauteurTonale_); }
    TFormArticulation& articulation() const { return existing(articulation_); }
    TFormSpectrumRT& spectrumRT() const { return existing(spectrumRT_); }
    TFormAbout& about() const { return existing(about_); }
    TFormEvaluation& evaluation() const { return existing(evaluation_); }
    TFormReeducation& reeducation() const { return existing(reeducation_); }
    TFormSouffle& souffle() const { return existing(souffle_); }
    TFormMedia& media() const { return existing(media_); }
    TFormVideos& videos() const { return existing(videos_); }
    TFormSoundBiblio& soundBiblio() const { return existing(soundBiblio_); }
    TFormPatient& patient() const { return existing(patient_); }
    TFormTimbre& timbre() const { return existing(timbre_); }
    TFormTPM& tpm() const { return existing(tpm_); }
    TFormProfil& profil() const { return existing(profil_); }
    TFormReperes& reperes() const { return existing(reperes_); }
    TForm3Choice& threeChoice() const { return existing(threeChoice_); }
    TFormVideoOK& videoOK() const { return existing(videoOK_); }

private:
    template <typename Window>
    void create(std::unique_ptr<Window>& slot);
    template <typename Window>
    static Window& existing(const std::unique_ptr<Window>& slot)
    {
        if (!slot)
            throw std::logic_error("a window is used before it is created");
        return *slot;
    }

    ProgramState& state_;
    WindowPresenter& presenter_;
    Shell& shell_;
    AudioInputDevice& recorderInput_;
    ErrorRouter errors_;
    TFormFFT analysis_;
    std::unique_ptr<DataFolders> folders_;
    std::unique_ptr<SoundPlayer> silentPlayer_;
    SoundPlayer* soundPlayer_;
    std::unique_ptr<SoundFileState> soundFiles_;
    bool ending_ = false;
    std::vector<TiravelWindow*> windows_;

    std::unique_ptr<TFormStart> start_;
    std::unique_ptr<TFormError> error_;
    std::unique_ptr<TFormRecord> record_;
    std::unique_ptr<TFormFFTHost> fft_;
    std::unique_ptr<TFormHauteurTonale> hauteurTonale_;
    std::unique_ptr<TFormArticulation> articulation_;
    std::unique_ptr<TFormSpectrumRT> spectrumRT_;
    std::unique_ptr<TFormAbout> about_;
    std::unique_ptr<TFormEvaluation> evaluation_;
    std::unique_ptr<TFormReeducation> reeducation_;
    std::unique_ptr<TFormSouffle> souffle_;
    std::unique_ptr<TFormMedia> media_;
    std::unique_ptr<TFormVideos> videos_;
    std::unique_ptr<TFormSoundBiblio> soundBiblio_;
    std::unique_ptr<TFormPatient> patient_;
    std::unique_ptr<TFormTimbre> timbre_;
    std::unique_ptr<TFormTPM> tpm_;
    std::unique_ptr<TFormProfil> profil_;
    std::unique_ptr<TFormReperes> reperes_;
    std::unique_ptr<TForm3Choice> threeChoice_;
    std::unique_ptr<TFormVideoOK> videoOK_;
    // Forwards the dispatcher's live operations to the tools' windows.
    std::unique_ptr<class ProgramLiveTools> liveTools_;
};

} // namespace tiravel
