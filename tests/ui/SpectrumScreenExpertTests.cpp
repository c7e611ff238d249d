// The spectrum screen in expert mode: the list of the current folder's sound
// files, loading from it, and the memo of the expert functions.
#include "UiTestSupport.h"

#include "audio/SyntheticVoice.h"
#include "evaluation/SoundFileState.h"
#include "evaluation/ui/IndicatorPanel.h"
#include "evaluation/ui/SoundFileChooser.h"
#include "evaluation/ui/SoundFileControls.h"
#include "evaluation/ui/TFormSpectrumRT.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

constexpr int kTabIndicatorsIndex = 2;

std::vector<std::string> rowsOf(const QListWidget& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.count(); ++i)
        rows.push_back(list.item(i)->text().toStdString());
    return rows;
}

std::vector<std::string> linesOf(const QPlainTextEdit& memo)
{
    std::vector<std::string> lines;
    for (const QString& line : memo.toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.push_back(line.toStdString());
    return lines;
}

// A folder holding a.wav, b.WAV and notes.txt, below the installation.
class ExpertFileList : public testing::Test {
protected:
    explicit ExpertFileList(bool expert = true)
    {
        program.state.expertMode = expert;
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
        window().setSoundFileChooser(chooser);
        fs::create_directories(folder);
        VoiceSpec sound;
        sound.f0Hz = 220;
        sound.seconds = 1.0;
        test::writeFile(folder / "a.wav", test::wavBytes(synthesizeVoice(sound)));
        sound.f0Hz = 150;
        test::writeFile(folder / "b.WAV", test::wavBytes(synthesizeVoice(sound)));
        test::writeFile(folder / "notes.txt", std::vector<std::uint8_t> {'x'});
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    QListWidget& list() { return *window().indicatorPanel().FileListBox; }
    QPlainTextEdit& memo() { return *window().indicatorPanel().MemoExpert; }
    std::string soundPath() { return program->soundFiles().currentSoundPath; }
    void showGauges() { window().TabIndicators().setCurrentIndex(kTabIndicatorsIndex); }

    void openA()
    {
        chooser.path = (folder / "a.wav").string();
        window().sbLoadClick();
    }

    test::ProgramUnderTest program;
    fs::path folder = program.installation.root() / "voices";
    test::FixedSoundChooser chooser;
};

class NormalFileList : public ExpertFileList {
protected:
    NormalFileList() : ExpertFileList(false) {}
};

TEST_F(NormalFileList, ListAndMemoStayHiddenAndEmpty)
{
    openA();
    showGauges();
    EXPECT_TRUE(list().isHidden());
    EXPECT_TRUE(memo().isHidden());
    EXPECT_EQ(list().count(), 0);
    EXPECT_TRUE(memo().toPlainText().isEmpty());
    EXPECT_EQ(window().loadedFileIndex(), -1);
}

TEST_F(ExpertFileList, ListShowsTheFolderWavFilesWithTheLoadedOneSelected)
{
    openA();
    showGauges();
    EXPECT_FALSE(list().isHidden());
    EXPECT_FALSE(memo().isHidden());
    EXPECT_EQ(rowsOf(list()), (std::vector<std::string> {"a.wav", "b.WAV"}));
    EXPECT_EQ(list().currentRow(), 0);
    EXPECT_EQ(window().loadedFileIndex(), 0);
    EXPECT_EQ(soundPath(), (folder / "a.wav").string());
}

TEST_F(ExpertFileList, ListFollowsTheGaugePanel)
{
    openA();
    showGauges();
    EXPECT_TRUE(list().isVisibleTo(&window()));
    window().TabIndicators().setCurrentIndex(0);
    EXPECT_FALSE(list().isVisibleTo(&window()));
}

TEST_F(ExpertFileList, ChoosingAFileLoadsItAndMakesItsFolderCurrent)
{
    openA();
    list().setCurrentRow(1);
    EXPECT_EQ(soundPath(), (folder / "b.WAV").string());
    EXPECT_EQ(window().windowTitle().toStdString(), "Spectrogramme du son \"b.WAV\"");
    EXPECT_EQ(window().loadedFileIndex(), 1);
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(folder));
    EXPECT_FALSE(window().loadingSound());
}

TEST_F(ExpertFileList, ChangeDuringALoadIsIgnored)
{
    openA();
    bool changed = false;
    QObject::connect(window().fileControls().ProgressLoad, &QProgressBar::valueChanged, [&](int value) {
        if (value == 10 && !changed) {
            changed = true;
            list().setCurrentRow(1);
        }
    });
    window().DoLoadFile((folder / "a.wav").string());
    ASSERT_TRUE(changed);
    EXPECT_EQ(soundPath(), (folder / "a.wav").string());
    EXPECT_EQ(linesOf(memo()), (std::vector<std::string> {"Read a.wav", "Read a.wav"}));
}

TEST_F(ExpertFileList, EachLoadAddsAReadLineToTheMemo)
{
    openA();
    list().setCurrentRow(1);
    window().DoLoadFile((folder / "missing.wav").string());
    EXPECT_EQ(linesOf(memo()), (std::vector<std::string> {"Read a.wav", "Read b.WAV", "Read missing.wav"}));
}

} // namespace
} // namespace tiravel
