#include "TFormSpectrumRT.h"

#include "GaugePainter.h"
#include "IndicatorCurvePainter.h"
#include "IndicatorPanel.h"
#include "PaintBox.h"
#include "ScreenColors.h"
#include "SelectionOverlay.h"
#include "SoundFileChooser.h"
#include "SoundFileControls.h"
#include "SoundFileTexts.h"
#include "SpectrogramPainter.h"
#include "SpectrumButtonPanel.h"
#include "SpectrumIcons.h"
#include "SpectrumTexts.h"
#include "analysis/F0Detection.h"
#include "analysis/LoadedSoundAnalysis.h"
#include "analysis/PeakTools.h"
#include "analysis/SoundAnalysis.h"
#include "analysis/Spectrum.h"
#include "audio/RecordingSession.h"
#include "audio/WavReader.h"
#include "audio/ui/TFormRecord.h"
#include "evaluation/EvaluationEdits.h"
#include "evaluation/FormantZones.h"
#include "evaluation/IndicatorScale.h"
#include "evaluation/LiveIndicators.h"
#include "evaluation/PatientResults.h"
#include "evaluation/QuietFileOffer.h"
#include "evaluation/RecordingNames.h"
#include "evaluation/ResultDumps.h"
#include "evaluation/SelectionWav.h"
#include "evaluation/SpectrogramGeometry.h"
#include "evaluation/SpectrogramMail.h"
#include "patient/SelfAssessment.h"
#include "patient/ui/TFormPatient.h"
#include "platform/mail/CurlMailClient.h"
#include "shell/DataFolders.h"
#include "shell/LiveDispatcher.h"
#include "shell/MailSettings.h"
#include "shell/StartupSettings.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "platform/SoundPlayer.h"
#include "shell/ui/SharedTexts.h"
#include "shell/ui/ShortDates.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tiravel {

namespace texts = spectrum_texts;
namespace file_texts = sound_file_texts;

namespace {

constexpr int kTabCount = 9;

constexpr std::int32_t kDisplayMaxHz[5] = {10000, 5000, 2500, 1000, 500};
constexpr std::int32_t kWaveWindowEnd[5] = {4096, 2048, 1024, 512, 256};
constexpr std::int32_t kNoteFrequencies[SpectrumScreenState::kNoteCount] = {65, 73, 82, 87, 98, 110, 123, 131, 147,
    165, 175, 196, 220, 250, 262, 295, 330, 350, 392, 440, 500, 524, 588, 660, 698, 784, 880, 998, 1048, 1176, 1320,
    1396};

constexpr int kDefaultComboItem = 2;      // 2500 Hz
constexpr int kDefaultGainPosition = 2;   // gain 2000
constexpr int kDefaultSpeedPosition = 1;  // columns of 2 pixels
constexpr double kBaseGain = 500;
constexpr std::int32_t kShortestSpan = 100;  // samples: a shorter drag is a click
constexpr int kClickTravel = 2;              // pixels
constexpr int kRepaintDelayMs = 1500;
constexpr std::int32_t kAgeOfAdjustment = 65;

// Window layout, pixels.
constexpr int kMargin = 6;
constexpr int kPaletteWidth = 30;
constexpr int kPaletteHeight = 150;
constexpr int kTabHeight = 28;
constexpr int kFullScreenReserve = 70;
constexpr int kHalfScreenReserve = 35;

constexpr int kPlayCursorMs = 100;
constexpr int kPlayCursorHeight = 5;
constexpr double kPlusFactor = 1.5;
constexpr double kMinusFactor = 0.66;
constexpr double kAmplifiedBandEnergy = 0.3;
constexpr std::size_t kShortestPlayedName = 5;
constexpr const char* kSilenceSound = "silence.WAV";

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 860;

// The date stamp of an expert picture: top-left corner, pixels.
constexpr int kStampX = 25;
constexpr int kStampY = 35;

constexpr TriText kPatientHint {"Sauvegarder dans le fichier patient", "Save in the patient file",
    "Guardar en el archivo del paciente"};
constexpr TriText kPatientCaption {"Fiche patient", "Patient file", "Ficha paciente"};
constexpr TriText kFileNotCreated {"Impossible de créer le fichier ", "Cannot create the file ",
    "No se puede crear el archivo "};
constexpr TriText kFileErrorHeading {"Erreur de fichier", "File error", "Error de archivo"};

QString fixed(double value, int width, int decimals)
{
    return QString::fromStdString(fixedText(value, width, decimals));
}

void setTextColor(QWidget& widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(role, color);
    widget.setPalette(palette);
}

QString quoted(const std::string& text)
{
    return QStringLiteral("\"") + QString::fromStdString(text) + QStringLiteral("\"");
}

std::string fileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::int64_t modificationDate(const std::string& path)
{
    const QDateTime date = QFileInfo(QString::fromStdString(path)).lastModified();
    return date.isValid() ? date.toSecsSinceEpoch() : 0;
}

// The WAV files of a folder, by name.
QStringList wavFilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const QString extension = QString::fromStdString(entry.path().extension().string());
        if (entry.is_regular_file(error) && extension.compare(QStringLiteral(".wav"), Qt::CaseInsensitive) == 0)
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

// Lets the window messages run while a long file is read.
class WindowProgress final : public ProgressSink {
public:
    void advance() override {}
    void processMessages() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
};

} // namespace

TFormSpectrumRT::TFormSpectrumRT(Program& program)
    : TiravelWindow(program, "FormSpectrumRT")
    , live_(program.state().analysis(), screen_)
    , buttons_(new SpectrumButtonPanel(this))
    , paintPalette_(new PaintBox(this, "PaintPalette"))
    , paintEnergyTop_(new PaintBox(this, "PaintEnergyTop"))
    , tabIndicators_(new QTabBar(this))
    , paintEnergyBottom_(new PaintBox(this, "PaintEnergyBottom"))
    , indicators_(new IndicatorPanel(this))
    , labelDbReadout_(new QLabel(paintEnergyBottom_))
    , timerWait_(new QTimer(this))
    , files_(new SoundFileControls(this))
    , operations_(program.state().analysis(), program.soundFiles(), program.errors())
    , dialogChooser_(std::make_unique<PresentedSoundFileChooser>(program.presenter()))
    , chooser_(dialogChooser_.get())
    , curlMail_(std::make_unique<CurlMailClient>())
    , mailClient_(curlMail_.get())
    , playTimer_(new QTimer(this))
    , imageRef_(GaugePainter::makeScalePicture())
{
    tabIndicators_->setObjectName("TabIndicators");
    for (int i = 0; i < kTabCount; ++i)
        tabIndicators_->addTab(QString());
    tabIndicators_->setExpanding(false);
    labelDbReadout_->setObjectName("LabelDbReadout");
    labelDbReadout_->setAutoFillBackground(true);
    labelDbReadout_->hide();
    paintPalette_->setBoxSize(kPaletteWidth, kPaletteHeight);
    paintEnergyTop_->setCursor(Qt::CrossCursor);
    paintEnergyBottom_->setCursor(Qt::CrossCursor);
    timerWait_->setInterval(kRepaintDelayMs);
    for (int i = 0; i < SpectrumScreenState::kNoteCount; ++i)
        screen_.noteFrequencies[static_cast<std::size_t>(i)] = kNoteFrequencies[i];
    playTimer_->setInterval(kPlayCursorMs);
    operations_.setReload([this](const std::string& path) { DoLoadFile(path); });
    connectControls();
    connectFileControls();
    connectResultControls();
    connectMouse();
    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(960, 600);
}

TFormSpectrumRT::~TFormSpectrumRT() = default;

void TFormSpectrumRT::connectControls()
{
    SpectrumButtonPanel& b = *buttons_;
    connect(b.sbRecordOn, &QToolButton::clicked, this, &TFormSpectrumRT::sbRecordOnClick);
    connect(b.sbClearSpace, &QToolButton::clicked, this, &TFormSpectrumRT::sbClearSpaceClick);
    connect(b.sbFull, &QToolButton::clicked, this, &TFormSpectrumRT::sbFullClick);
    connect(b.energyTopBtn, &QPushButton::clicked, this, &TFormSpectrumRT::energyTopBtnClick);
    connect(b.energyBottomBtn, &QPushButton::clicked, this, &TFormSpectrumRT::energyBottomBtnClick);
    connect(b.ComboFreq, &QComboBox::activated, this, &TFormSpectrumRT::ComboFreqChange);
    connect(b.TrackBar, &QSlider::valueChanged, this, &TFormSpectrumRT::TrackBarChange);
    connect(b.TrackSpeed, &QSlider::valueChanged, this, &TFormSpectrumRT::TrackSpeedChange);
    connect(b.sbWhiteBG, &QToolButton::clicked, this, &TFormSpectrumRT::sbWhiteBGClick);
    connect(b.sbFormants, &QToolButton::clicked, this, &TFormSpectrumRT::sbFormantsClick);
    connect(b.sbHelp, &QToolButton::clicked, this, &TFormSpectrumRT::sbHelpClick);
    connect(b.sbQuit, &QPushButton::clicked, this, &TFormSpectrumRT::sbOkClick);
    connect(tabIndicators_, &QTabBar::currentChanged, this, &TFormSpectrumRT::TabIndicatorsChange);
    connect(timerWait_, &QTimer::timeout, this, &TFormSpectrumRT::TimerWait);
    IndicatorPanel& p = *indicators_;
    connect(p.sbAll, &QPushButton::clicked, this, &TFormSpectrumRT::sbAllClick);
    connect(p.sbOneSecond, &QPushButton::clicked, this, &TFormSpectrumRT::sbOneSecondClick);
    connect(p.sbAge, &QPushButton::clicked, this, &TFormSpectrumRT::sbAgeClick);
    connect(p.gauges[1], &PaintBox::mouseDown, this, &TFormSpectrumRT::ImageHautClick);
    connect(p.gauges[2], &PaintBox::mouseDown, this, &TFormSpectrumRT::ImageAmplClick);
    connect(p.gauges[3], &PaintBox::mouseDown, this, &TFormSpectrumRT::ImageSNRClick);
    connect(p.gauges[4], &PaintBox::mouseDown, this, &TFormSpectrumRT::ImageHarmClick);
}

void TFormSpectrumRT::connectFileControls()
{
    SoundFileControls& f = *files_;
    connect(f.sbLoad, &QPushButton::clicked, this, &TFormSpectrumRT::sbLoadClick);
    connect(f.sbRecorder, &QPushButton::clicked, this, &TFormSpectrumRT::sbRecorderClick);
    connect(f.sbPlay, &QPushButton::clicked, this, &TFormSpectrumRT::sbPlayClick);
    connect(f.sbFilter, &QPushButton::clicked, this, &TFormSpectrumRT::sbFilterClick);
    connect(f.sbBoost, &QPushButton::clicked, this, &TFormSpectrumRT::sbBoostClick);
    connect(f.sbPlus3dB, &QPushButton::clicked, this, &TFormSpectrumRT::sbPlus3dBClick);
    connect(f.sbMinus3dB, &QPushButton::clicked, this, &TFormSpectrumRT::sbMinus3dBClick);
    connect(f.sbHear[0], &QPushButton::clicked, this, &TFormSpectrumRT::sbHearF1Click);
    connect(f.sbHear[1], &QPushButton::clicked, this, &TFormSpectrumRT::sbHearF2Click);
    connect(f.sbHear[2], &QPushButton::clicked, this, &TFormSpectrumRT::sbHearF3Click);
    connect(f.sbHear[3], &QPushButton::clicked, this, &TFormSpectrumRT::sbHearF4Click);
    connect(f.EditHFBF, &QLineEdit::textEdited, this, &TFormSpectrumRT::EditHFBFChange);
    connect(buttons_->EditFilter, &QLineEdit::textEdited, this, &TFormSpectrumRT::EditFilterChange);
    connect(buttons_->sbEqualize, &QPushButton::clicked, this, &TFormSpectrumRT::sbEqualizeClick);
    connect(playTimer_, &QTimer::timeout, this, &TFormSpectrumRT::drawPlayCursor);
    connect(indicators_->FileListBox, &QListWidget::currentRowChanged, this, &TFormSpectrumRT::FileListBoxChange);
}

void TFormSpectrumRT::connectMouse()
{
    connect(paintEnergyTop_, &PaintBox::mouseDown, this, &TFormSpectrumRT::PaintEnergyTopMouseDown);
    connect(paintEnergyTop_, &PaintBox::mouseMoved, this, &TFormSpectrumRT::PaintEnergyTopMouseMove);
    connect(paintEnergyTop_, &PaintBox::mouseUp, this, &TFormSpectrumRT::PaintEnergyTopMouseUp);
    connect(paintEnergyTop_, &PaintBox::doubleClicked, this, &TFormSpectrumRT::PaintEnergyTopDblClick);
    connect(paintEnergyBottom_, &PaintBox::mouseDown, this, &TFormSpectrumRT::PaintEnergyBottomMouseDown);
    connect(paintEnergyBottom_, &PaintBox::mouseMoved, this, &TFormSpectrumRT::PaintEnergyBottomMouseMove);
    connect(paintEnergyBottom_, &PaintBox::mouseUp, this, &TFormSpectrumRT::PaintEnergyBottomMouseUp);
}

// --- Creation, options and layout -------------------------------------------------------

void TFormSpectrumRT::FormCreate()
{
    live_.setFont(font());
    setTexts();
    setFileTexts();
    setIndicatorTexts();
    setResultTexts();
    if (created_)
        return;
    DisableTunings();
    SpectrumButtonPanel& b = *buttons_;
    b.energyTopBtn->setChecked(true);
    setPanelFonts();
    const QSignalBlocker blockGain(b.TrackBar);
    const QSignalBlocker blockSpeed(b.TrackSpeed);
    b.TrackBar->setValue(kDefaultGainPosition);
    b.TrackSpeed->setValue(kDefaultSpeedPosition);
    screen_.spectrogramGain = kBaseGain * std::pow(2.0, kDefaultGainPosition);
    levels_ = LevelScale(screen_.spectrogramGain);
    lastDrawnGainPosition_ = kDefaultGainPosition;
    screen_.scrollStep = kDefaultSpeedPosition + 1;
    // The scale follows the combo box from the next opening on; until then
    // the shared view keeps the start values.
    b.ComboFreq->setCurrentIndex(kDefaultComboItem);
    live_.prepareGridLabels(view().displayMinHz, view().displayMaxHz, view().gridStepHz);
    layoutControls();
    created_ = true;
    drawPalette();
    drawEmptySpectrogram(*paintEnergyTop_);
    drawEmptySpectrogram(*paintEnergyBottom_);
    DisableAllIndicators();
}

void TFormSpectrumRT::setTexts()
{
    SpectrumButtonPanel& b = *buttons_;
    setWindowTitle(text3(texts::kTitle));
    b.sbRecordOn->setText(text3(texts::kMicrophone));
    b.sbRecordOn->setToolTip(text3(texts::kMicrophoneHint));
    b.sbClearSpace->setText(text3(texts::kClearSpace));
    b.sbClearSpace->setToolTip(text3(texts::kClearSpaceHint));
    b.sbFull->setText(text3(texts::kFull));
    b.sbFull->setToolTip(text3(texts::kFullHint));
    b.energyTopBtn->setText(languageText(6));
    b.energyTopBtn->setToolTip(text3(texts::kTopPanelHint));
    b.energyBottomBtn->setText(languageText(kTextPatient));
    b.energyBottomBtn->setToolTip(text3(texts::kBottomPanelHint));
    b.labelMaxFrequency->setText(text3(texts::kMaxFrequency));
    b.ComboFreq->setToolTip(text3(texts::kMaxFrequencyHint));
    b.labelSensitivity->setText(text3(texts::kSensitivity));
    b.TrackBar->setToolTip(text3(texts::kSensitivityHint));
    b.labelSpeed->setText(text3(texts::kSpeed));
    b.TrackSpeed->setToolTip(text3(texts::kSpeedHint));
    b.sbWhiteBG->setText(text3(texts::kWhiteBackground));
    b.sbWhiteBG->setToolTip(text3(texts::kWhiteBackgroundHint));
    b.sbFormants->setText(text3(texts::kFormants));
    b.sbFormants->setToolTip(text3(texts::kFormantsHint));
    b.sbHelp->setText(languageText(kTextHelp));
    b.sbHelp->setToolTip(text3(texts::kHelpHint));
    b.sbQuit->setText(languageText(kTextClose));
    b.sbQuit->setToolTip(languageText(kTextCloseHint));
    b.labelDetectF0->setText(text3(texts::kDetectF0));
    b.labelBoost->setText(text3(texts::kBoost));
    b.sbEqualize->setText(text3(texts::kKeepSelection));
    b.LabelF0->setText(text3(texts::kFundamentalNotAvailable));
    b.LabeldB->setText(text3(texts::kAmplitudeNotAvailable));
    b.LabelF->setText(text3(texts::kFrequencyNotAvailable));
    b.LabelDuration->setText(text3(texts::kDurationNotAvailable));
    for (int i = 0; i < kTabCount; ++i)
        tabIndicators_->setTabText(i, text3(texts::kTabs[static_cast<std::size_t>(i)]));
    const std::array<QString, 5> legend = {fixed(0.01, 4, 2) + " + " + languageText(20),
        fixed(0.1, 4, 2) + " " + languageText(20), fixed(1, 4, 2) + " " + languageText(23),
        fixed(10, 4, 2) + " " + languageText(kTextPathology), fixed(100, 4, 2) + " + " + languageText(kTextPathology)};
    live_.prepareLegend(legend);
}

void TFormSpectrumRT::setFileTexts()
{
    SoundFileControls& f = *files_;
    f.sbLoad->setText(text3(file_texts::kLoad));
    f.sbLoad->setToolTip(text3(file_texts::kLoadHint));
    f.sbRecorder->setText(text3(file_texts::kRecorder));
    f.sbRecorder->setToolTip(text3(file_texts::kRecorderHint));
    f.sbPlay->setText(text3(file_texts::kPlay));
    f.sbPlay->setToolTip(text3(file_texts::kPlayHint));
    f.sbFilter->setToolTip(text3(file_texts::kFilterHint));
    f.sbBoost->setText(QString::fromLatin1(file_texts::kBoost));
    f.sbPlus3dB->setToolTip(text3(file_texts::kPlusHint));
    f.sbMinus3dB->setToolTip(text3(file_texts::kMinusHint));
    for (std::size_t i = 0; i < f.sbHear.size(); ++i)
        f.sbHear[i]->setToolTip(text3(file_texts::kHearBandHint) + QString::number(i + 1));
    f.labelHFBF->setText(text3(file_texts::kHighLimit));
}

void TFormSpectrumRT::setIndicatorTexts()
{
    IndicatorPanel& p = *indicators_;
    for (std::size_t i = 0; i < IndicatorPanel::kGaugeCount; ++i) {
        p.captions[i]->setText(text3(texts::kGaugeCaptions[i]));
        p.edits[i]->setText(QStringLiteral("0.0"));
        setTextColor(*p.edits[i], QPalette::Text, toQColor(kColorGrey));
    }
    p.LabelLegend->setText(text3(texts::kGaugeLegend));
    p.sbAll->setText(text3(texts::kWholeSound));
    p.sbOneSecond->setText(text3(texts::kOneSecond));
    p.sbZone->setText(text3(texts::kSelectedZone));
    setAgeCaption();
}

void TFormSpectrumRT::setAgeCaption()
{
    QPushButton& age = *indicators_->sbAge;
    if (age.isChecked())
        age.setText(text3(texts::kStandardThresholds));
    else
        age.setText(text3(texts::kAgeThresholdsPrefix) + fixed(screen_.patientAge, 2, 0) + ")");
}

void TFormSpectrumRT::prepareOptions()
{
    SpectrumButtonPanel& b = *buttons_;
    const bool expert = state().expertMode;
    b.EditBoost->setVisible(expert);
    b.labelBoost->setVisible(expert);
    files_->sbBoost->setVisible(expert);
    indicators_->FileListBox->setVisible(expert);
    indicators_->MemoExpert->setVisible(expert);
    for (QWidget* control : std::initializer_list<QWidget*> {b.sbDumpFFT, b.sbDumpF0, b.sbEmail, b.EditEmail})
        control->setVisible(expert);
    b.EditFilter->setText(fixed(state().analysis().f0MinHz, 3, 0));
    files_->EditHFBF->setText(fixed(state().analysis().highLimitHz, 3, 0));
    applyComboFreq();
    drawPalette();
    screen_.paletteColors.fill(0);
    b.sbEqualize->hide();
    screen_.redrawPending = true;
}

void TFormSpectrumRT::layoutControls()
{
    const int width = std::max(this->width(), 1);
    const int height = std::max(this->height(), 1);
    const int panelTop = SpectrumButtonPanel::kPanelHeight;
    buttons_->setGeometry(0, 0, width, panelTop);
    // The sound-file row runs along the bottom of the window.
    const int fileRowTop = height - SoundFileControls::kRowHeight;
    files_->setGeometry(0, fileRowTop, width, SoundFileControls::kRowHeight);
    const int left = kMargin + kPaletteWidth + kMargin;
    const int panelWidth = std::max(1, width - left - kMargin);
    paintPalette_->move(kMargin, panelTop + kMargin);
    const int topHeight = screen_.fullScreen ? height - panelTop - kFullScreenReserve
                                             : (height - panelTop) / 2 - kHalfScreenReserve;
    paintEnergyTop_->setGeometry(left, panelTop + kMargin, panelWidth, std::max(1, topHeight));
    const int tabTop = paintEnergyTop_->geometry().bottom() + 1 + kMargin;
    tabIndicators_->setGeometry(left, tabTop, panelWidth, kTabHeight);
    const int bottomTop = tabTop + kTabHeight;
    const QRect bottom(left, bottomTop, panelWidth, std::max(1, fileRowTop - bottomTop - kMargin));
    paintEnergyBottom_->setGeometry(bottom);
    indicators_->setGeometry(bottom);
    indicators_->layoutChildren();
    labelDbReadout_->move(std::max(0, bottom.width() - 200), 4);
    const bool topResized = paintEnergyTop_->syncImageSize();
    const bool bottomResized = paintEnergyBottom_->syncImageSize();
    if (!created_ || !(topResized || bottomResized))
        return;
    screen_.topColumnX = std::min(screen_.topColumnX, paintEnergyTop_->width());
    screen_.bottomColumnX = std::min(screen_.bottomColumnX, paintEnergyBottom_->width());
    if (microphoneOn()) {
        drawEmptySpectrogram(*paintEnergyTop_);
        drawEmptySpectrogram(*paintEnergyBottom_);
    } else {
        DrawEnergyTable(1);
        if (!screen_.fullScreen)
            RefreshBottomScreen(currentTab());
    }
}

void TFormSpectrumRT::setPanelFonts()
{
    SpectrumButtonPanel& b = *buttons_;
    const bool bottom = b.energyBottomBtn->isChecked();
    setTextColor(*b.energyTopBtn, QPalette::ButtonText, bottom ? Qt::black : Qt::red);
    setTextColor(*b.energyBottomBtn, QPalette::ButtonText, bottom ? Qt::red : Qt::black);
}

void TFormSpectrumRT::showEvent(QShowEvent* event)
{
    TiravelWindow::showEvent(event);
    opened_ = true;
    timerWait_->start();
}

void TFormSpectrumRT::hideEvent(QHideEvent* event)
{
    timerWait_->stop();
    TiravelWindow::hideEvent(event);
}

void TFormSpectrumRT::closeEvent(QCloseEvent* event)
{
    FormClose();
    TiravelWindow::closeEvent(event);
}

void TFormSpectrumRT::reject()
{
    FormClose();
    TiravelWindow::reject();
}

void TFormSpectrumRT::FormClose()
{
    opened_ = false;
    stopLiveInput();
    state().analysis().toolMode = 0;
}

// --- Shared values and helpers ---------------------------------------------------------------

SpectrumViewDefaults& TFormSpectrumRT::view() const
{
    return state().spectrumView;
}

SpectrogramLook TFormSpectrumRT::lookFor(const PaintBox& box) const
{
    const AnalysisState& analysis = state().analysis();
    SpectrogramLook look;
    look.axes = {box.image().width(), box.image().height(), view().displayMinHz, view().displayMaxHz,
        analysis.sampleRate};
    look.levels = levels_;
    look.whiteBackground = screen_.whiteBackground;
    look.formants = screen_.formants;
    const FormantZonesHz zones = formantZonesHz(analysis.voiceCategory);
    for (std::size_t i = 0; i < zones.size(); ++i)
        look.zoneRows[i] = look.axes.rowOfHz(zones[i]);
    return look;
}

void TFormSpectrumRT::noteFormantZones(const SpectrogramLook& look)
{
    const FormantZonesHz zones = formantZonesHz(state().analysis().voiceCategory);
    for (std::size_t i = 0; i < zones.size(); ++i)
        screen_.formantZoneHz[i] = zones[i];
    screen_.formantZoneY = look.zoneRows;
}

bool TFormSpectrumRT::bottomIsTarget() const
{
    return buttons_->energyBottomBtn->isChecked();
}

PaintBox& TFormSpectrumRT::targetPanel() const
{
    return bottomIsTarget() ? *paintEnergyBottom_ : *paintEnergyTop_;
}

std::int32_t TFormSpectrumRT::currentTab() const
{
    return tabIndicators_->currentIndex();
}

bool TFormSpectrumRT::microphoneOn() const
{
    return buttons_->sbRecordOn->isChecked();
}

void TFormSpectrumRT::applyComboFreq()
{
    const int item = std::clamp(buttons_->ComboFreq->currentIndex(), 0, 4);
    view().displayMaxHz = kDisplayMaxHz[item];
    view().gridStepHz = gridStepHz(view().displayMaxHz);
    live_.prepareGridLabels(view().displayMinHz, view().displayMaxHz, view().gridStepHz);
}

void TFormSpectrumRT::drawPalette()
{
    SpectrogramPainter::drawPalette(paintPalette_->image(), screen_.whiteBackground, screen_.paletteColors);
    paintPalette_->update();
}

void TFormSpectrumRT::drawEmptySpectrogram(PaintBox& box)
{
    const SpectrogramLook look = lookFor(box);
    SpectrogramPainter painter(box.image(), look);
    painter.clear();
    QPainter grid(&box.image());
    grid.setFont(font());
    if (!screen_.formants)
        painter.drawFrequencyGrid(grid, view().gridStepHz);
    box.update();
}

// The views of the power, time and frequency tabs come with a later version
// of the screen: they show their name on an empty panel.
void TFormSpectrumRT::drawLaterView(std::int32_t tab)
{
    QImage& image = paintEnergyBottom_->image();
    image.fill(qRgb(245, 245, 240));
    QPainter painter(&image);
    QFont title = font();
    title.setPointSize(title.pointSize() + 4);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(90, 90, 90));
    const QRect box = image.rect();
    painter.drawText(box.adjusted(0, 0, 0, -30), Qt::AlignCenter, text3(texts::kTabs[static_cast<std::size_t>(tab)]));
    painter.setFont(font());
    painter.drawText(box.adjusted(0, 30, 0, 0), Qt::AlignCenter, text3(texts::kViewComesLater));
    paintEnergyBottom_->update();
}

// --- Live loop ------------------------------------------------------------------------------------

void TFormSpectrumRT::DrawEnergyRealTime()
{
    PaintBox& target = targetPanel();
    const SpectrogramLook look = lookFor(target);
    noteFormantZones(look);
    live_.drawFrame({target, !bottomIsTarget(), *paintEnergyBottom_, currentTab(), look});
}

void TFormSpectrumRT::DumpVoiceParams()
{
    const AnalysisState& analysis = state().analysis();
    DumpdB(std::max(toDecibel(analysis.energyTotal), -20.0));
    DumpF0(analysis.localF0);
    if (screen_.indicatorsEnabled)
        refreshGauges();
}

void TFormSpectrumRT::ClearVoiceParams()
{
    AnalysisState& analysis = state().analysis();
    analysis.attackAlteration = 0;
    analysis.pitchInstability = 0;
    analysis.amplitudeInstability = 0;
    analysis.noiseSignalRatio = 0;
    analysis.harmonicPoverty = 0;
    analysis.selectionMeanF0 = 0;
    analysis.selectionMeanEnergy = 0;
    analysis.selectionLength = 0;
    DumpVoiceParams();
}

void TFormSpectrumRT::refreshGauges()
{
    const AnalysisState& analysis = state().analysis();
    const double values[IndicatorPanel::kGaugeCount] = {analysis.attackAlteration, analysis.pitchInstability,
        analysis.amplitudeInstability, analysis.noiseSignalRatio, analysis.harmonicPoverty};
    for (std::size_t i = 0; i < IndicatorPanel::kGaugeCount; ++i)
        showGaugeValue(i, values[i]);
}

void TFormSpectrumRT::showGaugeValue(std::size_t gauge, double value)
{
    PaintBox& image = *indicators_->gauges[gauge];
    QLineEdit& edit = *indicators_->edits[gauge];
    BgrColor color = kColorGreen;
    DrawRectInImage(image.image(), color, value);
    image.update();
    if (value == 0) {
        edit.setText(QStringLiteral("---"));
        setTextColor(edit, QPalette::Text, toQColor(kColorGrey));
        return;
    }
    edit.setText(fixed(value, 4, 2));
    setTextColor(edit, QPalette::Text, toQColor(color));
}

BgrColor TFormSpectrumRT::DrawRectInImage(QImage& image, BgrColor& colorOut, double value)
{
    return GaugePainter::DrawRectInImage(image, imageRef_, colorOut, value,
        gaugeThresholds(screen_.ageAdjusted, screen_.patientAge));
}

// --- Readouts ---------------------------------------------------------------------------------------

void TFormSpectrumRT::DumpF0(double myF0)
{
    buttons_->LabelF0->setText(QStringLiteral("F0 : ") + fixed(myF0, 4, 0) + QStringLiteral(" Hz"));
}

void TFormSpectrumRT::DumpdB(double mydB)
{
    buttons_->LabeldB->setText(text3(texts::kAmplitudePrefix) + fixed(mydB, 4, 0) + QStringLiteral(" dB"));
}

void TFormSpectrumRT::DumpDuration(std::int32_t iStart, std::int32_t iStop)
{
    const double seconds = std::abs(static_cast<double>(iStop) - iStart) / state().analysis().sampleRate;
    buttons_->LabelDuration->setText(text3(texts::kDurationPrefix) + fixed(seconds, 5, 2) + QStringLiteral(" s"));
}

// --- Stored-frame redraw and bottom views ---------------------------------------------------

void TFormSpectrumRT::DrawEnergyTable(std::int32_t topBottom)
{
    PaintBox& box = topBottom == 1 ? *paintEnergyTop_ : *paintEnergyBottom_;
    const AnalysisState& analysis = state().analysis();
    const SpectrogramLook look = lookFor(box);
    noteFormantZones(look);
    SpectrogramPainter painter(box.image(), look);
    painter.clear();
    painter.drawStoredFrames(analysis, analysis.markerFrames);
    DumpVoiceParams();
    QPainter grid(&box.image());
    grid.setFont(font());
    if (!screen_.formants)
        painter.drawFrequencyGrid(grid, view().gridStepHz);
    painter.drawTimeGrid(grid, roundEven(static_cast<double>(analysis.soundLength) * 1000 / analysis.sampleRate));
    grid.end();
    if (topBottom == 1)
        screen_.selection.selectionShown = false;
    box.update();
}

double TFormSpectrumRT::DrawMarker(std::int32_t option)
{
    IndicatorCurveTexts curveTexts;
    for (std::size_t i = 0; i < curveTexts.legend.size(); ++i)
        curveTexts.legend[i] = text3(texts::kCurveLegend[i]);
    curveTexts.averagePrefix = text3(texts::kAverage);
    curveTexts.secondsCaption = QString::fromLatin1(texts::kSecondsCaption);
    QImage& image = paintEnergyBottom_->image();
    const double average = IndicatorCurvePainter::drawCurve(image, state().analysis(),
        static_cast<IndicatorCurve>(std::clamp(option, kTabPitchCurve, kTabHarmonicCurve)), curveTexts);
    paintEnergyBottom_->update();
    return average;
}

void TFormSpectrumRT::TabIndicatorsChange()
{
    RefreshBottomScreen(currentTab());
}

void TFormSpectrumRT::RefreshBottomScreen(std::int32_t option)
{
    if (option == kTabIndicators) {
        EnableAllIndicators();
        DumpVoiceParams();
        return;
    }
    DisableAllIndicators();
    if (option == kTabSpectrum)
        DrawEnergyTable(0);
    else if (isIndicatorCurveTab(option) && microphoneOn())
        clearLiveTrace();
    else if (isIndicatorCurveTab(option))
        DrawMarker(option);
    else if (option == kTabPower || option == kTabTime || option == kTabFrequency)
        drawLaterView(option);
}

// While the microphone is on, a curve tab shows the live trace from the
// next buffer on.
void TFormSpectrumRT::clearLiveTrace()
{
    screen_.traceContinues = false;
    paintEnergyBottom_->image().fill(toRgb(kColorIndicatorBand));
    paintEnergyBottom_->update();
}

void TFormSpectrumRT::EnableAllIndicators()
{
    screen_.indicatorsEnabled = true;
    paintEnergyBottom_->image().fill(toRgb(kColorGaugePanel));
    paintEnergyBottom_->hide();
    indicators_->setVisible(!screen_.fullScreen);
    indicators_->sbAge->setVisible(screen_.patientAge > kAgeOfAdjustment);
    indicators_->FileListBox->setVisible(state().expertMode);
    QImage& portrait = indicators_->PaintIndicator->image();
    portrait.fill(Qt::white);
    QPainter painter(&portrait);
    painter.setPen(QColor(110, 110, 110));
    painter.drawText(portrait.rect(), Qt::AlignCenter, text3(texts::kPhasePortrait));
    indicators_->PaintIndicator->update();
}

void TFormSpectrumRT::DisableAllIndicators()
{
    screen_.indicatorsEnabled = false;
    indicators_->hide();
    paintEnergyBottom_->setVisible(!screen_.fullScreen);
}

// --- Options -------------------------------------------------------------------------------------------

void TFormSpectrumRT::ComboFreqChange()
{
    applyComboFreq();
    if (buttons_->sbFull->isChecked() || buttons_->energyTopBtn->isChecked())
        DrawEnergyTable(1);
    else if (buttons_->energyBottomBtn->isChecked())
        DrawEnergyTable(0);
}

void TFormSpectrumRT::TrackBarChange()
{
    const int position = buttons_->TrackBar->value();
    screen_.selection.selectionShown = false;
    screen_.selection.selecting = false;
    xorLineX_ = -1;
    screen_.spectrogramGain = kBaseGain * std::pow(2.0, position);
    levels_ = LevelScale(screen_.spectrogramGain);
    if (microphoneOn() || position == lastDrawnGainPosition_)
        return;
    lastDrawnGainPosition_ = position;
    DrawEnergyTable(bottomIsTarget() ? 0 : 1);
}

void TFormSpectrumRT::TrackSpeedChange()
{
    screen_.scrollStep = buttons_->TrackSpeed->value() + 1;
}

void TFormSpectrumRT::sbWhiteBGClick()
{
    screen_.whiteBackground = buttons_->sbWhiteBG->isChecked();
    screen_.backgroundColor = screen_.whiteBackground ? kColorWhiteBackground : kColorBlueBackground;
    drawPalette();
    screen_.redrawPending = true;
}

void TFormSpectrumRT::sbFormantsClick()
{
    screen_.formants = buttons_->sbFormants->isChecked();
    DrawEnergyTable(bottomIsTarget() ? 0 : 1);
}

void TFormSpectrumRT::TimerWait()
{
    if (!screen_.redrawPending || microphoneOn())
        return;
    screen_.redrawPending = false;
    DrawEnergyTable(1);
    if (!screen_.fullScreen)
        RefreshBottomScreen(currentTab());
}

// --- Panels ----------------------------------------------------------------------------------------------

void TFormSpectrumRT::energyTopBtnClick()
{
    buttons_->energyTopBtn->setChecked(true);
    buttons_->energyBottomBtn->setChecked(false);
    setPanelFonts();
}

void TFormSpectrumRT::energyBottomBtnClick()
{
    buttons_->energyBottomBtn->setChecked(true);
    buttons_->energyTopBtn->setChecked(false);
    setPanelFonts();
    if (currentTab() != kTabSpectrum && currentTab() != kTabPower)
        tabIndicators_->setCurrentIndex(kTabSpectrum);
}

void TFormSpectrumRT::sbFullClick()
{
    if (buttons_->sbFull->isChecked())
        EnableFullScreen();
    else
        DisableFullScreen();
}

void TFormSpectrumRT::EnableFullScreen()
{
    screen_.fullScreen = true;
    buttons_->sbFull->setChecked(true);
    tabIndicators_->hide();
    paintEnergyBottom_->hide();
    indicators_->hide();
    LargePanelEnergyTop();
}

void TFormSpectrumRT::DisableFullScreen()
{
    screen_.fullScreen = false;
    buttons_->sbFull->setChecked(false);
    tabIndicators_->show();
    LargePanelEnergyTop();
    if (currentTab() == kTabSpectrum)
        RefreshBottomScreen(kTabSpectrum);
    else
        tabIndicators_->setCurrentIndex(kTabSpectrum);
}

// The top panel's height follows the full-screen choice; the panels are
// redrawn at their new size.
void TFormSpectrumRT::LargePanelEnergyTop()
{
    layoutControls();
    if (microphoneOn()) {
        screen_.topColumnX = 0;
        drawEmptySpectrogram(*paintEnergyTop_);
    } else {
        DrawEnergyTable(1);
    }
}

// --- Live capture and clearing ------------------------------------------------------------------

void TFormSpectrumRT::sbRecordOnClick()
{
    AnalysisState& analysis = state().analysis();
    analysis.bandEnergyMax = 0;
    screen_.traceContinues = false;
    analysis.levelJumpOffset = 5;
    analysis.f0SmoothCount = 25;
    screen_.pitchInstabilityLive[0] = 0;
    setWindowTitle(text3(texts::kTitle));
    buttons_->LabelDuration->clear();
    buttons_->LabelF->clear();
    ClearLocalF0(analysis);
    labelDbReadout_->hide();
    if (!microphoneOn()) {
        program().analysisEngine().LiveAudioRecorderDeActivate();
        updateMicrophoneIcon();
        return;
    }
    screen_.waveWindowStart = 0;
    analysis.energyFrameCount = 0;
    analysis.toolMode = kModeSpectrumRT;
    screen_.waveWindowEnd = kWaveWindowEnd[std::clamp(buttons_->ComboFreq->currentIndex(), 0, 4)];
    screen_.waveWindowLength = screen_.waveWindowEnd - screen_.waveWindowStart;
    // Live frames replace the analysed sound: there is nothing to select until the next one.
    selectionEnabled_ = false;
    screen_.selection.selecting = false;
    DisableTunings();
    program().analysisEngine().LiveAudioRecorderActivate();
    if (!program().analysisEngine().LiveAudioRecorder1.Active())
        buttons_->sbRecordOn->setChecked(false);
    updateMicrophoneIcon();
}

void TFormSpectrumRT::stopLiveInput()
{
    buttons_->sbRecordOn->setChecked(false);
    program().analysisEngine().LiveAudioRecorderDeActivate();
    updateMicrophoneIcon();
}

void TFormSpectrumRT::updateMicrophoneIcon()
{
    buttons_->sbRecordOn->setIcon(SpectrumIcons::microphone(microphoneOn()));
}

void TFormSpectrumRT::sbClearSpaceClick()
{
    AnalysisState& analysis = state().analysis();
    setWindowTitle(text3(texts::kTitle));
    analysis.energyFrameCount = 0;
    const std::int32_t tab = currentTab();
    const bool bottom = bottomIsTarget();
    (bottom ? screen_.bottomColumnX : screen_.topColumnX) = 0;
    if (!(tab == kTabIndicators && bottom)) {
        PaintBox& box = targetPanel();
        SpectrogramPainter(box.image(), lookFor(box)).clear();
        box.update();
    }
    if (tab == kTabIndicators) {
        DrawEnergyTable(1);
        ClearVoiceParams();
        DumpVoiceParams();
    } else if (isIndicatorCurveTab(tab)) {
        clearLiveTrace();
    }
}

void TFormSpectrumRT::sbOkClick()
{
    stopPlayCursor();
    program().soundPlayer().playAsync(kSilenceSound);
    stopLiveInput();
    labelDbReadout_->hide();
    buttons_->sbEqualize->hide();
    close();
}

void TFormSpectrumRT::sbHelpClick()
{
    program().folders().openHelp("evaluation.htm");
}

// --- Selection ----------------------------------------------------------------------------------------------

bool TFormSpectrumRT::topSelectionActive() const
{
    return selectionEnabled_ && !microphoneOn() && !bottomIsTarget();
}

bool TFormSpectrumRT::bottomSelectionActive() const
{
    return selectionEnabled_ && !microphoneOn() && bottomIsTarget() && currentTab() == kTabSpectrum;
}

void TFormSpectrumRT::showAnalysedSound()
{
    selectionEnabled_ = true;
    screen_.selection = SpectrumSelection {};
    xorLineX_ = -1;
    screen_.topColumnX = 0;
    screen_.bottomColumnX = 0;
    indicators_->sbZone->setEnabled(false);
    indicators_->sbAll->setChecked(true);
    if (currentTab() == kTabSpectrum) {
        DrawEnergyTable(bottomIsTarget() ? 0 : 1);
        return;
    }
    DrawEnergyTable(1);
    RefreshBottomScreen(currentTab());
}

void TFormSpectrumRT::setPatientAge(std::int32_t age)
{
    screen_.patientAge = age;
    if (age <= kAgeOfAdjustment) {
        indicators_->sbAge->setChecked(false);
        screen_.ageAdjusted = false;
    }
    indicators_->sbAge->setVisible(screen_.indicatorsEnabled && age > kAgeOfAdjustment);
    setAgeCaption();
}

void TFormSpectrumRT::sbAgeClick()
{
    screen_.ageAdjusted = indicators_->sbAge->isChecked();
    setAgeCaption();
    RefreshBottomScreen(currentTab());
}

void TFormSpectrumRT::PaintEnergyTopMouseDown(int x, int y)
{
    if (!topSelectionActive())
        return;
    const AnalysisState& analysis = state().analysis();
    SpectrumSelection& selection = screen_.selection;
    QImage& image = paintEnergyTop_->image();
    if (selection.selectionShown) {
        SelectionOverlay::xorRect(image, selectionRectX0_, selectionRectX1_);
        selection.selectionShown = false;
    }
    const SpectrogramAxes axes = lookFor(*paintEnergyTop_).axes;
    selection.startX = x;
    selection.startY = y;
    selection.startFrame = frameOfX(x, axes.width, analysis.energyFrameCount);
    selection.startBin = binOfY(y, axes);
    selection.startSample = sampleOfX(x, axes.width, analysis.soundLength);
    selection.selecting = true;
    xorLineX_ = -1;
    paintEnergyTop_->update();
}

void TFormSpectrumRT::PaintEnergyTopMouseMove(int x, int y)
{
    const AnalysisState& analysis = state().analysis();
    const SpectrogramAxes axes = lookFor(*paintEnergyTop_).axes;
    buttons_->LabelF->setText(languageText(kTextFrequency) + QStringLiteral(": ") + fixed(frequencyOfY(y, axes), 4, 0)
        + QStringLiteral(" Hz"));
    if (microphoneOn())
        return;
    SpectrumSelection& selection = screen_.selection;
    if (selection.selecting && topSelectionActive()) {
        DumpDuration(selection.startSample, sampleOfX(x, axes.width, analysis.soundLength));
        QImage& image = paintEnergyTop_->image();
        if (xorLineX_ >= 0)
            SelectionOverlay::xorLine(image, xorLineX_);
        SelectionOverlay::xorLine(image, x);
        xorLineX_ = x;
        paintEnergyTop_->update();
    }
    const std::int32_t frame = frameOfX(x, axes.width, analysis.energyFrameCount);
    const std::int32_t bin = binOfY(y, axes);
    if (frame >= 1 && frame < kMaxFrames && bin >= 1 && bin < kSpectrumBins - 1) {
        DumpdB(std::max(toDecibel(analysis.energyTable[static_cast<std::size_t>(frame)][static_cast<std::size_t>(bin)]),
            -20.0));
        DumpF0(analysis.frameF0[static_cast<std::size_t>(frame)]);
    } else {
        buttons_->LabeldB->setText(text3(texts::kAmplitudeNotAvailable));
    }
}

void TFormSpectrumRT::PaintEnergyTopMouseUp(int x, int y)
{
    SpectrumSelection& selection = screen_.selection;
    if (!selection.selecting || !topSelectionActive())
        return;
    AnalysisState& analysis = state().analysis();
    const SpectrogramAxes axes = lookFor(*paintEnergyTop_).axes;
    recordSelectionEnd(x, y, axes);
    QImage& image = paintEnergyTop_->image();
    if (xorLineX_ >= 0)
        SelectionOverlay::xorLine(image, xorLineX_);
    xorLineX_ = -1;
    if (std::abs(x - selection.startX) < kClickTravel && std::abs(y - selection.startY) < kClickTravel) {
        buttons_->EditBoost->setText(fixed(frequencyOfY(selection.startY, axes), 4, 0));
        SelectionOverlay::clickMark(image, x, y);
    }
    // The attack marker moves to the start of the span, a click included.
    const std::int32_t firstFrame = std::min(selection.startFrame, selection.endFrame);
    analysis.markerFrames[0] = firstFrame;
    ComputeAttackAlteration(analysis, firstFrame);
    const std::int32_t first = std::min(selection.startSample, selection.endSample);
    const std::int32_t last = std::max(selection.startSample, selection.endSample);
    if (currentTab() == kTabIndicators)
        DumpVoiceParams();
    DumpDuration(first, last);
    paintEnergyTop_->update();
    if (last - first < kShortestSpan)
        analyseClickedFrame(selection.endFrame);
    else
        selectTopSpan(first, last);
}

void TFormSpectrumRT::recordSelectionEnd(int x, int y, const SpectrogramAxes& axes)
{
    const AnalysisState& analysis = state().analysis();
    SpectrumSelection& selection = screen_.selection;
    selection.endX = x;
    selection.endY = y;
    selection.endFrame = frameOfX(x, axes.width, analysis.energyFrameCount);
    selection.endBin = binOfY(y, axes);
    selection.endSample = sampleOfX(x, axes.width, analysis.soundLength);
    selection.selecting = false;
}

// A click: the F0 search runs again on the clicked frame's spectrum.
void TFormSpectrumRT::analyseClickedFrame(std::int32_t frame)
{
    AnalysisState& analysis = state().analysis();
    for (std::size_t k = 1; k < kSpectrumBins; ++k)
        analysis.spectrum[k] = analysis.energyTable[static_cast<std::size_t>(frame)][k];
    std::int32_t maxCn = 0;
    double energy = 0;
    program().analysisEngine().engine().GetPeakFFT(maxCn, energy);
}

// A span of the top spectrogram: outlined, written to "out.wav", and its
// indicators computed. Without the file nothing more is done.
void TFormSpectrumRT::selectTopSpan(std::int32_t first, std::int32_t last)
{
    AnalysisState& analysis = state().analysis();
    SpectrumSelection& selection = screen_.selection;
    selectionRectX0_ = selection.startX;
    selectionRectX1_ = selection.endX;
    SelectionOverlay::xorRect(paintEnergyTop_->image(), selectionRectX0_, selectionRectX1_);
    selection.selectionShown = true;
    if (currentTab() == kTabIndicators) {
        indicators_->sbZone->setEnabled(true);
        indicators_->sbZone->setChecked(true);
    }
    if (!writeSelectionSound(first, last))
        return;
    ComputeIndicators(analysis, std::min(selection.startFrame, selection.endFrame),
        std::max(selection.startFrame, selection.endFrame));
    DumpVoiceParams();
    if (last - first > 2 * analysis.sampleRate) {
        showEqualize(EqualizeRole::KeepSelection, text3(texts::kKeepSelection));
    }
}

bool TFormSpectrumRT::writeSelectionSound(std::int32_t first, std::int32_t last)
{
    AnalysisState& analysis = state().analysis();
    if (!writeSelectionWav(analysis, first, last, kSelectionWavName, program().errors()))
        return false;
    screen_.selection.selectionDurationMs = roundEven((last - first - 1) * 1000.0 / analysis.sampleRate);
    return true;
}

void TFormSpectrumRT::PaintEnergyTopDblClick(int /*x*/, int /*y*/)
{
    if (!filterDoubleClick_)
        return;
    const SpectrogramAxes axes = lookFor(*paintEnergyTop_).axes;
    buttons_->EditFilter->setText(fixed(frequencyOfY(screen_.selection.startY, axes), 4, 0));
}

void TFormSpectrumRT::PaintEnergyBottomMouseDown(int x, int y)
{
    if (!bottomSelectionActive())
        return;
    const AnalysisState& analysis = state().analysis();
    const SpectrogramAxes axes = lookFor(*paintEnergyBottom_).axes;
    SpectrumSelection& selection = screen_.selection;
    selection.startX = x;
    selection.startY = y;
    selection.startFrame = frameOfX(x, axes.width, analysis.energyFrameCount);
    selection.startSample = sampleOfX(x, axes.width, analysis.soundLength);
    selection.selecting = true;
}

void TFormSpectrumRT::PaintEnergyBottomMouseMove(int x, int y)
{
    if (currentTab() != kTabSpectrum)
        return;
    const AnalysisState& analysis = state().analysis();
    const SpectrogramAxes axes = lookFor(*paintEnergyBottom_).axes;
    buttons_->LabelF->setText(languageText(kTextFrequency) + QStringLiteral(": ") + fixed(frequencyOfY(y, axes), 4, 0)
        + QStringLiteral(" Hz"));
    if (microphoneOn() || !selectionEnabled_)
        return;
    const std::int32_t frame = frameOfX(x, axes.width, analysis.energyFrameCount);
    DumpF0(analysis.frameF0[static_cast<std::size_t>(std::clamp(frame, 0, kMaxFrames))]);
    const QImage& image = paintEnergyBottom_->image();
    if (!image.rect().contains(x, y))
        return;
    const BgrColor color = fromRgb(image.pixel(x, y));
    labelDbReadout_->setText(text3(texts::kAmplitudePrefix) + fixed(screen_.colorToDb[colorToDbIndex(color)], 4, 0)
        + QStringLiteral(" dB"));
    labelDbReadout_->adjustSize();
    labelDbReadout_->show();
    if (screen_.selection.selecting)
        DumpDuration(screen_.selection.startSample, sampleOfX(x, axes.width, analysis.soundLength));
}

void TFormSpectrumRT::PaintEnergyBottomMouseUp(int x, int y)
{
    SpectrumSelection& selection = screen_.selection;
    if (!selection.selecting || !bottomSelectionActive())
        return;
    AnalysisState& analysis = state().analysis();
    recordSelectionEnd(x, y, lookFor(*paintEnergyBottom_).axes);
    const std::int32_t first = std::min(selection.startSample, selection.endSample);
    const std::int32_t last = std::max(selection.startSample, selection.endSample);
    DumpDuration(first, last);
    if (last - first < kShortestSpan || !writeSelectionSound(first, last))
        return;
    // In drag order: a right-to-left drag gives an empty span and computes nothing.
    ComputeIndicators(analysis, selection.startFrame, selection.endFrame);
    DumpVoiceParams();
}

void TFormSpectrumRT::sbAllClick()
{
    AnalysisState& analysis = state().analysis();
    if (screen_.selection.selectionShown) {
        SelectionOverlay::xorRect(paintEnergyTop_->image(), selectionRectX0_, selectionRectX1_);
        screen_.selection.selectionShown = false;
        paintEnergyTop_->update();
    }
    ComputeIndicators(analysis, 1, analysis.energyFrameCount);
    DumpVoiceParams();
}

void TFormSpectrumRT::sbOneSecondClick()
{
    AnalysisState& analysis = state().analysis();
    QImage& image = paintEnergyTop_->image();
    if (screen_.selection.selectionShown)
        SelectionOverlay::xorRect(image, selectionRectX0_, selectionRectX1_);
    const std::int32_t width = image.width();
    selectionRectX0_ = xOfFrame(analysis.markerFrames[1], width, analysis.energyFrameCount);
    selectionRectX1_ = xOfFrame(analysis.markerFrames[2], width, analysis.energyFrameCount);
    SelectionOverlay::xorRect(image, selectionRectX0_, selectionRectX1_);
    screen_.selection.selectionShown = true;
    paintEnergyTop_->update();
    ComputeIndicators(analysis, analysis.markerFrames[1], analysis.markerFrames[2]);
    DumpVoiceParams();
}

void TFormSpectrumRT::ImageHautClick()
{
    tabIndicators_->setCurrentIndex(kTabPitchCurve);
}

void TFormSpectrumRT::ImageAmplClick()
{
    tabIndicators_->setCurrentIndex(kTabPower);
}

void TFormSpectrumRT::ImageSNRClick()
{
    tabIndicators_->setCurrentIndex(kTabNoiseCurve);
}

void TFormSpectrumRT::ImageHarmClick()
{
    tabIndicators_->setCurrentIndex(kTabHarmonicCurve);
}

// --- Sound files ------------------------------------------------------------------------------------------

void TFormSpectrumRT::sbLoadClick()
{
    resetForLoading();
    const std::optional<std::string> path
        = chooser_->chooseSoundFile(*this, text3(file_texts::kLoadHint), QString::fromLatin1(file_texts::kLoadFilter));
    if (!path) {
        screen_.redrawPending = true;
        return;
    }
    EnableTunings();
    DoLoadFile(*path);
    pointFileList(*path);
    screen_.topColumnX = 0;
    screen_.bottomColumnX = 0;
    const AnalysisState& analysis = state().analysis();
    if (analysis.loadStatus == 0 && analysis.soundLength > 0)
        setWindowTitle(text3(file_texts::kOpenedCaption) + files_->LabelSoundFile->text());
}

void TFormSpectrumRT::pointFileList(const std::string& loadedPath)
{
    if (!state().expertMode)
        return;
    QListWidget& list = *indicators_->FileListBox;
    const QSignalBlocker block(list);
    fileListFolder_ = std::filesystem::path(loadedPath).parent_path();
    list.clear();
    list.addItems(wavFilesIn(fileListFolder_));
    const QList<QListWidgetItem*> found
        = list.findItems(QString::fromStdString(fileNameOf(loadedPath)), Qt::MatchExactly);
    loadedFileIndex_ = found.isEmpty() ? -1 : list.row(found.front());
    list.setCurrentRow(loadedFileIndex_);
}

void TFormSpectrumRT::FileListBoxChange()
{
    const QListWidgetItem* item = indicators_->FileListBox->currentItem();
    if (loadingSound_ || !state().expertMode || item == nullptr)
        return;
    std::error_code error;
    std::filesystem::current_path(fileListFolder_, error);
    loadedFileIndex_ = indicators_->FileListBox->currentRow();
    DoLoadFile((fileListFolder_ / item->text().toStdString()).string());
}

void TFormSpectrumRT::resetForLoading()
{
    if (currentTab() != kTabSpectrum) {
        buttons_->energyTopBtn->setChecked(true);
        energyTopBtnClick();
    }
    buttons_->EditFilter->setText(fixed(state().analysis().f0MinHz, 3, 0));
    screen_.selection = SpectrumSelection {};
    program().soundFiles().soundKind = 0;
    buttons_->sbEqualize->hide();
    recomputePending_ = false;
    indicators_->sbZone->setEnabled(false);
    indicators_->sbAll->setChecked(true);
}

void TFormSpectrumRT::DoLoadFile(const std::string& myFilename)
{
    AnalysisState& analysis = state().analysis();
    loadingSound_ = true;
    setLoadProgress(1);
    buttons_->sbEqualize->hide();
    program().soundFiles().soundKind = soundKindOf(myFilename);
    if (state().expertMode)
        indicators_->MemoExpert->appendPlainText(QStringLiteral("Read ") + QString::fromStdString(fileNameOf(myFilename)));
    WindowProgress progress;
    loadWavFile(analysis, myFilename, state().language(), program().errors(), progress);
    if (analysis.loadStatus != 0) {
        showReadError(fileNameOf(myFilename));
    } else if (analysis.soundLength > 0) {
        showLoadedFile(myFilename);
        analyseLoadedFile();
    }
    setLoadProgress(100);
    loadingSound_ = false;
}

void TFormSpectrumRT::setLoadProgress(int value)
{
    files_->ProgressLoad->setValue(value);
}

void TFormSpectrumRT::showReadError(const std::string& fileName)
{
    setWindowTitle(text3(file_texts::kReadErrorCaption) + QString::number(state().analysis().loadStatus)
        + text3(file_texts::kReadErrorWhile) + quoted(fileName));
}

void TFormSpectrumRT::showLoadedFile(const std::string& myFilename)
{
    const AnalysisState& analysis = state().analysis();
    const std::string fileName = fileNameOf(myFilename);
    setLoadProgress(10);
    currentSoundDate_ = modificationDate(myFilename);
    files_->LabelSoundFile->setText(text3(file_texts::kSoundFilePrefix) + QString::fromStdString(fileName));
    files_->sbPlay->setToolTip(text3(file_texts::kPlayFileHint) + quoted(fileName));
    DumpDuration(0, analysis.soundLength);
    program().soundFiles().currentSoundPath = myFilename;
    showSpeaker(fileName);
    setWindowTitle(text3(file_texts::kLoadedCaption) + quoted(fileName));
}

void TFormSpectrumRT::showSpeaker(const std::string& fileName)
{
    const RecordingSpeaker speaker = speakerOf(fileName);
    if (speaker.voiceCategory)
        state().analysis().voiceCategory = *speaker.voiceCategory;
    files_->LabelPatient->clear();
    if (!speaker.age)
        return;
    const std::uint8_t category = state().analysis().voiceCategory;
    files_->LabelPatient->setText(QString::number(*speaker.age) + text3(file_texts::kAgeSuffix)
        + (category < file_texts::kVoiceCategories.size() ? text3(file_texts::kVoiceCategories[category]) : QString()));
    tabIndicators_->setCurrentIndex(kTabIndicators);
    setPatientAge(*speaker.age);
}

void TFormSpectrumRT::analyseLoadedFile()
{
    AnalysisState& analysis = state().analysis();
    WindowProgress progress;
    analyseLoadedFrames(program().analysisEngine().engine(), progress);
    setLoadProgress(50);
    DumpF0(analysis.selectionMeanF0);
    setLoadProgress(80);
    if (analysis.energyFrameCount <= 0)
        return;
    computeLoadedIndicators(analysis);
    setLoadProgress(90);
    showAnalysedSound();
    offerQuietFileAmplification();
}

void TFormSpectrumRT::offerQuietFileAmplification()
{
    const std::optional<QuietFileOffer> offer = quietFileOffer(state().analysis().bandEnergyMax, state().language());
    if (offer)
        showEqualize(EqualizeRole::Amplify, QString::fromStdString(offer->caption));
}

void TFormSpectrumRT::showEqualize(EqualizeRole role, const QString& caption)
{
    equalizeRole_ = role;
    recomputePending_ = role == EqualizeRole::Recompute;
    buttons_->sbEqualize->setText(caption);
    buttons_->sbEqualize->show();
}

void TFormSpectrumRT::EnableTunings()
{
    for (QPushButton* button : {files_->sbMinus3dB, files_->sbPlus3dB, files_->sbFilter})
        button->setEnabled(true);
}

void TFormSpectrumRT::DisableTunings()
{
    for (QPushButton* button : {files_->sbMinus3dB, files_->sbPlus3dB, files_->sbFilter})
        button->setEnabled(false);
}

void TFormSpectrumRT::sbFilterClick()
{
    program().soundFiles().outputGain = 1.0;
    enableFilterDoubleClick();
    operations_.filterBelowF0Search();
}

void TFormSpectrumRT::sbBoostClick()
{
    program().soundFiles().outputGain = 1.0;
    enableFilterDoubleClick();
    operations_.boostFromEdit(buttons_->EditBoost->text().toStdString());
}

void TFormSpectrumRT::sbPlus3dBClick()
{
    amplify(false, kPlusFactor);
}

void TFormSpectrumRT::sbMinus3dBClick()
{
    amplify(false, kMinusFactor);
}

void TFormSpectrumRT::sbEqualizeClick()
{
    const AnalysisState& analysis = state().analysis();
    switch (equalizeRole_) {
    case EqualizeRole::Recompute:
        DoLoadFile(program().soundFiles().currentSoundPath);
        break;
    case EqualizeRole::KeepSelection:
        amplify(true, 1.0);
        break;
    case EqualizeRole::Amplify:
        if (state().expertMode && analysis.bandEnergyMax > 0)
            amplify(false, kAmplifiedBandEnergy / analysis.bandEnergyMax);
        break;
    }
}

// The selection's samples when one is shown, else the whole sound.
void TFormSpectrumRT::amplify(bool selectionOnly, double factor)
{
    const SpectrumSelection& selection = screen_.selection;
    std::int32_t first = 0;
    std::int32_t last = state().analysis().soundLength;
    if (selection.selectionShown) {
        first = std::min(selection.startSample, selection.endSample);
        last = std::max(selection.startSample, selection.endSample);
    }
    operations_.AmplifyActualFile(selectionOnly, factor, first, last);
}

void TFormSpectrumRT::hearFormantBand(int formant)
{
    program().soundFiles().outputGain = 1.0;
    if (operations_.writeFormantBand(formant))
        program().soundPlayer().playAsync(operations_.filterFilePath().string());
}

void TFormSpectrumRT::EditFilterChange()
{
    const std::optional<std::int32_t> hz = readFilterEdit(buttons_->EditFilter->text().toStdString());
    if (!hz) {
        buttons_->sbEqualize->hide();
        recomputePending_ = false;
        return;
    }
    state().analysis().f0MinHz = *hz;
    showEqualize(EqualizeRole::Recompute, text3(file_texts::kRecompute));
}

void TFormSpectrumRT::EditHFBFChange()
{
    if (const std::optional<double> hz = readHighLowEdit(files_->EditHFBF->text().toStdString()))
        applyHighLimit(state().analysis(), *hz);
}

// --- Playback ---------------------------------------------------------------------------------------------

bool TFormSpectrumRT::playingSound() const
{
    return playTimer_->isActive();
}

void TFormSpectrumRT::sbPlayClick()
{
    SoundPlayer& player = program().soundPlayer();
    if (playingSound()) {
        player.stop();
        stopPlayCursor();
        return;
    }
    const AnalysisState& analysis = state().analysis();
    const bool selection = screen_.selection.selectionShown;
    const std::string file = selection ? std::string(kSelectionWavName) : program().soundFiles().currentSoundPath;
    if (file.size() <= kShortestPlayedName || !std::filesystem::is_regular_file(file))
        return;
    player.playAsync(file);
    const double soundMs = analysis.soundLength * 1000.0 / analysis.sampleRate;
    playStartX_ = selection ? std::min(selectionRectX0_, selectionRectX1_) : 0;
    playDurationMs_ = selection ? screen_.selection.selectionDurationMs : soundMs;
    playPixelsPerMs_ = soundMs > 0 ? lookFor(*paintEnergyTop_).axes.width / soundMs : 0;
    playClock_.start();
    playTimer_->start();
}

void TFormSpectrumRT::drawPlayCursor()
{
    const double elapsed = static_cast<double>(playClock_.elapsed());
    const bool ended = elapsed > playDurationMs_;
    const double shownMs = ended ? playDurationMs_ : elapsed;
    const int endX = playStartX_ + static_cast<int>(roundEven(shownMs * playPixelsPerMs_));
    QPainter painter(&paintEnergyTop_->image());
    painter.fillRect(QRect(playStartX_, 0, std::max(endX - playStartX_, 1), kPlayCursorHeight),
        ended ? Qt::blue : Qt::red);
    paintEnergyTop_->update();
    if (ended)
        playTimer_->stop();
}

void TFormSpectrumRT::stopPlayCursor()
{
    playTimer_->stop();
}

// --- Recorder -----------------------------------------------------------------------------------------------

void TFormSpectrumRT::sbRecorderClick()
{
    if (microphoneOn())
        stopLiveInput();
    TFormRecord& recorder = program().record();
    recorder.UpdateOptions();
    program().showModal(recorder);
    const std::string& name = recorder.session().lastSoundName();
    if (!name.empty() && name != RecordingSession::kUnknownSoundName)
        DoLoadFile(name);
    screen_.redrawPending = true;
}

// --- Results: patient file, dumps and mail -------------------------------------------

void TFormSpectrumRT::connectResultControls()
{
    SpectrumButtonPanel& b = *buttons_;
    connect(b.sbPatient, &QToolButton::clicked, this, &TFormSpectrumRT::sbPatientClick);
    connect(b.sbDumpFFT, &QPushButton::clicked, this, &TFormSpectrumRT::sbDumpClick);
    connect(b.sbDumpF0, &QPushButton::clicked, this, &TFormSpectrumRT::sbDumpF0Click);
    connect(b.sbEmail, &QPushButton::clicked, this, &TFormSpectrumRT::sbEmailClick);
}

void TFormSpectrumRT::setResultTexts()
{
    buttons_->sbPatient->setText(text3(kPatientCaption));
    buttons_->sbPatient->setToolTip(text3(kPatientHint));
}

void TFormSpectrumRT::stampExpertPicture(QImage& picture, const QString& stamp) const
{
    TFormPatient& patient = program().patient();
    const QString text = QString::fromStdString(
        pictureStampText(patient.patientLine(0), patient.patientLine(1), stamp.toStdString()));
    QPainter painter(&picture);
    painter.setFont(font());
    const QRect box = painter.boundingRect(QRect(kStampX, kStampY, picture.width(), picture.height()),
        Qt::AlignLeft | Qt::AlignTop, text);
    painter.fillRect(box, Qt::blue);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

std::string TFormSpectrumRT::AddNameAndSave(const std::string& myTitle, QImage myBitmap)
{
    TFormPatient& patient = program().patient();
    const std::filesystem::path folder = patient.prepareWorkingFolder();
    const std::string stamp = state().expertMode ? expertDateStamp(shortDateToday()) : std::string();
    if (state().expertMode)
        stampExpertPicture(myBitmap, QString::fromStdString(stamp));
    const std::string name = pictureFileName(myTitle, patient.summaryName(), stamp, ++state().imageCounter);
    const std::filesystem::path path = folder / name;
    if (!myBitmap.save(QString::fromStdString(path.string()), "BMP")) {
        program().errors().DisplayError(kFileNotCreated.in(state().language()) + ("\"" + path.string() + "\""),
            kFileErrorHeading.in(state().language()));
        return {};
    }
    for (const std::string& line : savedPictureLines(myTitle, name, folder.string(), state().language()))
        patient.appendPatientLine(line);
    QGuiApplication::clipboard()->setImage(myBitmap);
    return path.string();
}

QImage TFormSpectrumRT::bottomPicture() const
{
    if (indicators_->isVisibleTo(this))
        return indicators_->grab().toImage();
    return paintEnergyBottom_->image().copy();
}

void TFormSpectrumRT::sbPatientClick()
{
    const Language language = state().language();
    SavedPictures& pictures = state().pictures;
    const std::string spectrum = AddNameAndSave(kSpectrumPictureTitle.in(language), paintEnergyTop_->image().copy());
    if (!spectrum.empty())
        pictures.spectrogram = spectrum;
    const std::string power = AddNameAndSave(kPowerPictureTitle.in(language), bottomPicture());
    if (!power.empty())
        pictures.power = power;
    appendIndicatorBlock();
    program().showModal(program().patient());
    screen_.redrawPending = true;
}

void TFormSpectrumRT::appendIndicatorBlock()
{
    const AnalysisState& analysis = state().analysis();
    const Language language = state().language();
    const std::string fileName = fileNameOf(program().soundFiles().currentSoundPath);
    TFormPatient& patient = program().patient();
    patient.appendPatientLine(indicatorsHeadingLine(fileName, language));
    const std::string date = currentSoundDate_ > 0 ? shortDateTime(currentSoundDate_) : shortDateToday();
    patient.appendPatientLine(indicatorsDateLine(currentSoundDate_, date, language));
    for (const std::string& line : indicatorLines(currentIndicators(analysis), language))
        patient.appendPatientLine(line);
    classifyRecording(fileName);
}

void TFormSpectrumRT::classifyRecording(const std::string& fileName)
{
    switch (recordingMomentOfFileName(fileName)) {
    case RecordingMoment::After: program().patient().UpdateAApres(fileName); break;
    case RecordingMoment::Before: program().patient().UpdateAAvant(fileName); break;
    case RecordingMoment::None: break;
    }
}

void TFormSpectrumRT::addMemoLine(const std::string& line)
{
    indicators_->MemoExpert->appendPlainText(QString::fromStdString(line));
}

void TFormSpectrumRT::writeDump(const std::string& fileName, const std::string& text, const QString& memoPrefix)
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::current_path(error) / fileName;
    if (!writeDumpFile(file, text)) {
        program().errors().DisplayError(kFileNotCreated.in(state().language()) + ("\"" + file.string() + "\""),
            kFileErrorHeading.in(state().language()));
        return;
    }
    indicators_->MemoExpert->appendPlainText(memoPrefix + quoted(fileName));
}

void TFormSpectrumRT::sbDumpClick()
{
    if (state().expertMode)
        writeDump(kFftDumpFileName, fftDumpText(state().analysis(), screen_.selection.startFrame),
            QStringLiteral("Dump instant FFT in "));
}

void TFormSpectrumRT::sbDumpF0Click()
{
    if (!state().expertMode)
        return;
    const std::string name = f0DumpFileName(fileNameOf(program().soundFiles().currentSoundPath));
    writeDump(name, f0DumpText(state().analysis()), QStringLiteral("Dump F0 in "));
}

void TFormSpectrumRT::sbEmailClick()
{
    if (!state().expertMode)
        return;
    const MailSettings settings = readMailSettings(program().folders().dataFolder() / kSettingsFileName);
    SpectrogramMail mail(*mailClient_, program().errors(), [this](const std::string& line) { addMemoLine(line); },
        state().language());
    const std::string recipients = buttons_->EditEmail->text().toStdString();
    const bool soundLoaded = !program().soundFiles().currentSoundPath.empty() && state().analysis().soundLength > 0;
    if (!mail.prepare(soundLoaded, settings, recipients))
        return;
    const std::string picture = AddNameAndSave(kMailPictureTitle, paintEnergyTop_->image().copy());
    if (!picture.empty())
        state().pictures.spectrogram = picture;
    mail.send(settings, recipients, picture, shortDateToday());
}

} // namespace tiravel
