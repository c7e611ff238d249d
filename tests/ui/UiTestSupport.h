#pragma once

#include "audio/ScriptedAudioInputDevice.h"
#include "evaluation/ui/SoundFileChooser.h"
#include "platform/SoundPlayer.h"
#include "shell/LanguageTexts.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/WindowPresenter.h"
#include "support/TestSupport.h"

#include <QString>

#include <filesystem>
#include <ostream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tiravel::test {

// Remembers every window a handler asked to show modally, with what the
// user would have seen at that moment.
class RecordingPresenter final : public WindowPresenter {
public:
    struct Shown {
        QString name;       // object name of the window; "QMessageBox" for a message box
        QString caption;
        QString line1;      // error window: its two lines; message box: its text
        QString line2;
        int toolMode = -1;  // toolMode when the window was shown
        bool startVisible = false;
    };

    void showModal(QDialog& window) override;

    // Reads the program's state at each showing; set by the fixture.
    std::function<int()> toolMode = [] { return -1; };
    std::function<bool()> startVisible = [] { return false; };
    std::vector<Shown> shown;
};

// Remembers the sounds it is asked to play; a sound plays until stopped.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void playAsync(const std::string& wavPath) override
    {
        played.push_back(wavPath);
        playing_ = true;
    }
    void stop() override
    {
        ++stops;
        playing_ = false;
    }
    bool playing() const override { return playing_; }
    std::vector<std::string> played;
    int stops = 0;

private:
    bool playing_ = false;
};

// Answers the sound-file dialog with a fixed path (nothing: cancelled) and
// counts how often it was asked.
class FixedSoundChooser final : public SoundFileChooser {
public:
    std::optional<std::string> chooseSoundFile(QWidget& /*parent*/, const QString& /*title*/,
        const QString& /*filter*/) override
    {
        ++asked;
        return path;
    }
    std::optional<std::string> path;
    int asked = 0;
};

// An installation folder of its own with a complete data folder (or parts
// of one), made the current folder while the fixture lives.
class Installation {
public:
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // Every sub-folder and the three classification files.
    void makeCompleteDataFolder();
    void removeFolder(const std::string& sub);
    // Writes div_tiravel/tiravel4.ini.
    void writeSettings(const std::vector<std::string>& lines);

private:
    std::filesystem::path saved_;
    TempFolder temp_;
    std::filesystem::path root_;
};

// A whole program on the offscreen platform, its windows created (the
// start-up sequence run) in the installation folder.
class ProgramUnderTest {
public:
    // The settings file chooses the language; none for French.
    explicit ProgramUnderTest(Language language = Language::French, bool completeDataFolder = true);

    Program& operator*() { return *program; }
    Program* operator->() { return program.get(); }
    AnalysisState& analysis() { return state.analysis(); }
    // The names of the windows shown so far.
    std::vector<QString> shownNames() const;

    Installation installation;
    RecordingPresenter presenter;
    RecordingShell shell;
    RecordingSoundPlayer soundPlayer;
    ScriptedAudioInputDevice audioInput;
    ScriptedAudioInputDevice recorderInput; // the recorder window's own
    ProgramState state;
    std::unique_ptr<Program> program;
};

// The settings-file line of a language.
std::string languageCode(Language language);

} // namespace tiravel::test
