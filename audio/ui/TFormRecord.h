#pragma once

#include "audio/LiveAudioRecorder.h"
#include "audio/RecordingSession.h"
#include "shell/ui/TiravelWindow.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QGroupBox;
class QIcon;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tiravel {

class OpenSaveDialog;
class SaveNameDialog;

// The recorder: shows the input level, records up to about 22.7 s from the
// microphone into the shared sample buffer, builds the energy table of the
// recording and saves it as a WAV file, guiding the user through five steps.
// It captures with a live recorder of its own, independent of the analysis
// window's.
class TFormRecord final : public TiravelWindow {
public:
    explicit TFormRecord(Program& program);
    ~TFormRecord() override;

    void FormCreate() override;

    void sbRecordClick();
    void sbSaveClick();
    void sbCloseClick();
    // Any key shows the last sound saved.
    void FormKeyPress();
    // However the window closes: the recorder stops and no tool takes live input.
    void FormClose();

    void StartRecord();
    void StopRecord();
    void DisplayEndRecord();
    void SaveToWav(const std::string& inFilename);
    void DrawProgressLevel(double variance);

    // OnData of the recorder: a buffer of BufferSize bytes of 16-bit samples.
    void LiveAudioRecorderData(TWaveAudioIO* Sender, const void* Buffer, std::uint32_t BufferSize);

    // Where the save dialog's question goes instead of the file dialog.
    void setSaveNameDialog(SaveNameDialog& dialog) { saveName_ = &dialog; }

    const RecordingSession& session() const { return session_; }
    // Another patient record is opened or started.
    void resetSaveCounter() { session_.resetSaveCounter(); }
    const TLiveAudioRecorder& recorder() const { return LiveAudioRecorder; }

protected:
    // UpdateOptions: a fresh start at step 2, the level monitored.
    void prepareOptions() override;
    // Places the seconds under the progress bar.
    void layoutControls() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeTitle();
    QWidget* makeLevelGroup();
    QWidget* makeParametersGroup();
    QWidget* makeSteps();
    QWidget* makeProgress();
    QLayout* makeButtons();
    QPushButton* makeButton(const char* name, const QIcon& icon);
    void setUpRecorder();
    void setButtonTexts();
    void setStepTexts();
    void boldStep(int step);
    void saveUnderChosenName();
    // Runs the pending window messages, except while a capture buffer is
    // handled: the recorder may free that buffer's ring once it is closed.
    void letPendingMessagesRun();
    void LiveAudioRecorderError(TWaveAudioIO* Sender);

    RecordingSession session_;
    std::unique_ptr<OpenSaveDialog> openSave_;
    SaveNameDialog* saveName_;
    bool handlingBuffer_ = false;

    QLabel* labelTitle_;
    QGroupBox* groupLevel_;
    QLabel* labelStrong_;
    QLabel* labelWeak_;
    QProgressBar* progressLevel_;
    QLabel* labelSaturation_;
    QGroupBox* groupParameters_;
    QLabel* labelFreq_;
    QLabel* labelDuration_;
    std::array<QLabel*, 5> steps_; // LabelGiveInstruction .. LabelQuit
    QProgressBar* progressRecord_;
    QWidget* scale_;
    std::array<QLabel*, 5> scaleLabels_; // 0, 5, 10, 15 and 20 s
    QLabel* labelRecorded_;
    QLabel* labelLast_;
    QPushButton* sbRecord_;
    QPushButton* sbSave_;
    QPushButton* sbClose_;

    // Declared last: it is closed first, while the window's controls exist.
    TLiveAudioRecorder LiveAudioRecorder;
};

} // namespace tiravel
