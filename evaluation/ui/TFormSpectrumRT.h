#pragma once

#include "LiveSpectrogram.h"
#include "SpectrogramLook.h"
#include "evaluation/SoundFileOperations.h"
#include "evaluation/SpectrumScreenState.h"
#include "shell/ui/TiravelWindow.h"

#include <QElapsedTimer>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QLabel;
class QTabBar;
class QTimer;

namespace tiravel {

class IndicatorPanel;
class MailClient;
class PaintBox;
class SoundFileChooser;
class SoundFileControls;
class SpectrumButtonPanel;
struct SpectrumViewDefaults;

// The real-time spectrum screen, the main evaluation tool: a scrolling
// spectrogram of the live voice with its F0 and level, a second panel with
// the patient's spectrogram or one of the analysis views of the tab strip,
// and, on an analysed sound, mouse selections and the five voice indicators.
class TFormSpectrumRT final : public TiravelWindow {
public:
    explicit TFormSpectrumRT(Program& program);
    ~TFormSpectrumRT() override;

    void FormCreate() override;

    // --- Live loop (called by the dispatcher in toolMode 1) ----------------------
    void DrawEnergyRealTime();
    void DumpVoiceParams();
    void ClearVoiceParams();

    // --- Drawing and readouts ------------------------------------------------------
    // Repaints a whole spectrogram from the stored frames: 1 top, 0 bottom.
    void DrawEnergyTable(std::int32_t topBottom);
    void DumpF0(double myF0);
    void DumpdB(double mydB);
    void DumpDuration(std::int32_t iStart, std::int32_t iStop);
    // Draws one gauge into image and returns its colour (also in colorOut).
    BgrColor DrawRectInImage(QImage& image, BgrColor& colorOut, double value);
    // The indicator curve of tab option (3..6) over the stored frames; returns its average.
    double DrawMarker(std::int32_t option);

    // --- Controls ---------------------------------------------------------------------
    void sbRecordOnClick();
    void sbClearSpaceClick();
    void ComboFreqChange();
    void TrackBarChange();
    void TrackSpeedChange();
    void sbWhiteBGClick();
    void sbFormantsClick();
    void energyTopBtnClick();
    void energyBottomBtnClick();
    void sbFullClick();
    void EnableFullScreen();
    void DisableFullScreen();
    void LargePanelEnergyTop();
    void TabIndicatorsChange();
    void RefreshBottomScreen(std::int32_t option);
    void sbOkClick();
    void sbHelpClick();
    // Redraws after option changes; runs every 1500 ms while the screen is shown.
    void TimerWait();

    // --- Selection and indicators ----------------------------------------------------
    void PaintEnergyTopMouseDown(int x, int y);
    void PaintEnergyTopMouseMove(int x, int y);
    void PaintEnergyTopMouseUp(int x, int y);
    void PaintEnergyTopDblClick(int x, int y);
    void PaintEnergyBottomMouseDown(int x, int y);
    void PaintEnergyBottomMouseMove(int x, int y);
    void PaintEnergyBottomMouseUp(int x, int y);
    void sbAllClick();
    void sbOneSecondClick();
    void EnableAllIndicators();
    void DisableAllIndicators();
    void sbAgeClick();
    void ImageHautClick();
    void ImageAmplClick();
    void ImageSNRClick();
    void ImageHarmClick();

    // --- Entry points of the sound-file analysis -------------------------------------
    // After the engine has analysed a sound into the shared state (energy
    // table, per-frame results, markers, soundLength, and the indicators the
    // caller wants shown): redraws the panels and enables mouse selections
    // on the top panel, or on the bottom one when the patient panel is the
    // selected one.
    void showAnalysedSound();
    // The patient's age in years (0 unknown); above 65 the age button is offered.
    void setPatientAge(std::int32_t age);
    // After a filter has been used, a double click copies the clicked
    // frequency into EditFilter.
    void enableFilterDoubleClick() { filterDoubleClick_ = true; }

    // --- Sound files ------------------------------------------------------------------
    // What sbEqualize does when it is shown.
    enum class EqualizeRole { Recompute, KeepSelection, Amplify };

    void sbLoadClick();
    // Reads, analyses and shows a WAV file.
    void DoLoadFile(const std::string& myFilename);
    void sbFilterClick();
    void sbBoostClick();
    void sbPlus3dBClick();
    void sbMinus3dBClick();
    void sbEqualizeClick();
    void sbHearF1Click() { hearFormantBand(1); }
    void sbHearF2Click() { hearFormantBand(2); }
    void sbHearF3Click() { hearFormantBand(3); }
    void sbHearF4Click() { hearFormantBand(4); }
    void EditFilterChange();
    void EditHFBFChange();
    void sbPlayClick();
    void sbRecorderClick();
    // Expert file list: loads the chosen file and makes its folder the current one.
    void FileListBoxChange();
    // "-", "+" and "F".
    void EnableTunings();
    void DisableTunings();
    // Where sbLoad asks for the file instead of the standard dialog.
    void setSoundFileChooser(SoundFileChooser& chooser) { chooser_ = &chooser; }

    // --- Results: patient file, dumps and mail ---------------------------------------
    // Saves myBitmap in the working folder under the picture name rule (with
    // the date stamp in expert mode), appends its three lines to the patient
    // report and puts it on the clipboard. Returns its full path; empty, after
    // an error message, when the file could not be written.
    std::string AddNameAndSave(const std::string& myTitle, QImage myBitmap);
    // Both pictures and the indicator block into the patient file, then the
    // patient window.
    void sbPatientClick();
    // Expert: "dump_fft.txt" and the F0 dump in the current folder.
    void sbDumpClick();
    void sbDumpF0Click();
    // Expert: mails the spectrogram picture to the address of EditEmail.
    void sbEmailClick();
    // Where sbEmail sends; the libcurl client unless a test gives another.
    void setMailClient(MailClient& client) { mailClient_ = &client; }

    // --- Inspection ------------------------------------------------------------------
    SpectrumScreenState& screenState() { return screen_; }
    PaintBox& PaintEnergyTop() const { return *paintEnergyTop_; }
    PaintBox& PaintEnergyBottom() const { return *paintEnergyBottom_; }
    PaintBox& PaintPalette() const { return *paintPalette_; }
    SpectrumButtonPanel& buttons() const { return *buttons_; }
    IndicatorPanel& indicatorPanel() const { return *indicators_; }
    QTabBar& TabIndicators() const { return *tabIndicators_; }
    const QImage& ImageRef() const { return imageRef_; }
    bool microphoneOn() const;
    bool selectionEnabled() const { return selectionEnabled_; }
    // Shown and not yet closed.
    bool opened() const { return opened_; }
    SoundFileControls& fileControls() const { return *files_; }
    bool loadingSound() const { return loadingSound_; }
    // Row of the loaded file in the expert file list, -1 when not listed.
    int loadedFileIndex() const { return loadedFileIndex_; }
    bool recomputePending() const { return recomputePending_; }
    EqualizeRole equalizeRole() const { return equalizeRole_; }
    // Seconds since the epoch of the loaded file's modification, 0 when unknown.
    std::int64_t currentSoundDate() const { return currentSoundDate_; }
    // The play cursor is moving.
    bool playingSound() const;

protected:
    void prepareOptions() override;
    void layoutControls() override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void connectControls();
    void connectMouse();
    void setTexts();
    void setIndicatorTexts();
    void setAgeCaption();
    void applyComboFreq();
    void drawPalette();
    void drawEmptySpectrogram(PaintBox& box);
    void drawLaterView(std::int32_t tab);
    void clearLiveTrace();
    void refreshGauges();
    void showGaugeValue(std::size_t gauge, double value);
    void setPanelFonts();
    void FormClose();
    void stopLiveInput();
    void updateMicrophoneIcon();
    void recordSelectionEnd(int x, int y, const SpectrogramAxes& axes);
    void analyseClickedFrame(std::int32_t frame);
    void selectTopSpan(std::int32_t first, std::int32_t last);
    bool writeSelectionSound(std::int32_t first, std::int32_t last);
    void connectFileControls();
    void setFileTexts();
    void resetForLoading();
    void setLoadProgress(int value);
    void showReadError(const std::string& fileName);
    void showLoadedFile(const std::string& myFilename);
    void showSpeaker(const std::string& fileName);
    void analyseLoadedFile();
    void offerQuietFileAmplification();
    void showEqualize(EqualizeRole role, const QString& caption);
    void amplify(bool selectionOnly, double factor);
    void hearFormantBand(int formant);
    void drawPlayCursor();
    void pointFileList(const std::string& loadedPath);
    void stopPlayCursor();
    void connectResultControls();
    void setResultTexts();
    void stampExpertPicture(QImage& picture, const QString& stamp) const;
    QImage bottomPicture() const;
    void appendIndicatorBlock();
    void classifyRecording(const std::string& fileName);
    void writeDump(const std::string& fileName, const std::string& text, const QString& memoPrefix);
    void addMemoLine(const std::string& line);

    SpectrumViewDefaults& view() const;
    SpectrogramLook lookFor(const PaintBox& box) const;
    void noteFormantZones(const SpectrogramLook& look);
    PaintBox& targetPanel() const;
    bool bottomIsTarget() const;
    std::int32_t currentTab() const;
    bool topSelectionActive() const;
    bool bottomSelectionActive() const;

    SpectrumScreenState screen_;
    LevelScale levels_ {2000};       // the levels at spectrogramGain
    LiveSpectrogram live_;
    SpectrumButtonPanel* buttons_;
    PaintBox* paintPalette_;
    PaintBox* paintEnergyTop_;
    QTabBar* tabIndicators_;
    PaintBox* paintEnergyBottom_;
    IndicatorPanel* indicators_;
    QLabel* labelDbReadout_;
    QTimer* timerWait_;
    SoundFileControls* files_;
    SoundFileOperations operations_;
    std::unique_ptr<SoundFileChooser> dialogChooser_;
    SoundFileChooser* chooser_;
    std::unique_ptr<MailClient> curlMail_;
    MailClient* mailClient_;
    QTimer* playTimer_;
    QElapsedTimer playClock_;
    std::int32_t playStartX_ = 0;
    double playDurationMs_ = 0;
    double playPixelsPerMs_ = 0;
    bool loadingSound_ = false;
    bool recomputePending_ = false;
    EqualizeRole equalizeRole_ = EqualizeRole::Recompute;
    std::int64_t currentSoundDate_ = 0;
    std::filesystem::path fileListFolder_; // the folder the expert file list shows
    int loadedFileIndex_ = -1;             // the loaded file's row in that list
    QImage imageRef_;
    bool created_ = false;
    bool opened_ = false;
    bool selectionEnabled_ = false;  // a sound has been analysed
    bool filterDoubleClick_ = false;
    std::int32_t lastDrawnGainPosition_ = 2;
    std::int32_t xorLineX_ = -1;     // x of the dotted line while dragging, -1 for none
    std::int32_t selectionRectX0_ = 0;
    std::int32_t selectionRectX1_ = 0;
};

} // namespace tiravel
