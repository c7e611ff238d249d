#include "TFormRecord.h"

#include "OpenSaveDialog.h"
#include "RecorderIcons.h"
#include "platform/ProgressSink.h"
#include "shell/DataFolders.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/SharedTexts.h"
#include "shell/ui/ShortDates.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace tiravel {

namespace {

constexpr int kWidth = 680;
constexpr int kHeight = 480;
constexpr int kIconSide = 40;
constexpr int kScaleSeconds[] = {0, 5, 10, 15, 20};
const QColor kLevelGreen(0x00, 0x80, 0x00);

const TriText kCaption = {"Enregistrer un son", "Record a sound", "Grabar un sonido"};
const TriText kLevel = {"Niveau", "Level", "Nivel"};
const TriText kParameters = {"Paramètres", "Parameters", "Parámetros"};
const TriText kStrong = {"Fort", "Strong", "Alto"};
const TriText kWeak = {"Faible", "Weak", "Bajo"};
const TriText kSaturation = {"Saturation", "Saturation", "Saturación"};
const TriText kFrequencyBefore = {"Fréquence d'échantillonnage ", "Sampling Frequency ", "Frecuencia de muestreo :"};
const TriText kFrequencyAfter = {" , résolution 16 bit, mono", " Hz,  16 bit resolution, mono",
    " Hz,  resolución :16 bit , mono"};
const TriText kMaximumLength = {"Temps maximum d'enregistrement: 20 secondes", "Maximum record length : 20 seconds",
    "Longitud máxima de registro : 20 segundos"};
const TriText kLastSound = {"Dernier son enregistré: ", "Last sound recorded:", "Última sonido grabado:"};

const std::array<TriText, 5> kSteps = {{
    {"1. Donner la consigne", "1. Give instructions", "1. Dar instrucciones"},
    {"Cliquer l'icône microphone pour démarrer l'enregistrement", "Click the microphone to start recording",
        "Pulse el icono micrófono para iniciar la grabación"},
    {"Cliquer à nouveau pour arrêter l'enregistrement", "Click again to stop recording",
        "Pulse de nuevo para detener la grabación"},
    {"4. Cliquer l'icône clé USB pour sauvegarder l'enregistrement", "4. Click the USB key icon to save the sound",
        "4. Clic en el icono de la llave USB para guardar el sonido"},
    {"5. Cliquer l'icône quitter", "5. Quit", "5. Salir"},
}};
// Steps 2 and 3 are numbered in front of their text.
const char* const kStepNumbers[] = {"", "2. ", "3. ", "", ""};
const char* const kStepNames[] = {"LabelGiveInstruction", "LabelStartRecord", "LabelStopRecord", "LabelStore",
    "LabelQuit"};

const TriText kRecordButton = {"&Enregistrer", "&Record", "&Grabar"};
const TriText kRecordHint = {"Démarrer ou arrêter l'enregistrement", "Start or stop recording",
    "Iniciar o detener la grabación"};
const TriText kSaveButton = {"&Sauvegarder", "&Save", "G&uardar"};
const TriText kSaveHint = {"Sauvegarder le son dans un fichier WAV", "Save the sound as a WAV file",
    "Guardar el sonido en un archivo WAV"};
const TriText kSaveTitle = {"Sauvegarder le son", "Save sound", "Guardar el sonido"};
const TriText kSoundFilter = {"Son (*.wav)", "Sound (*.wav)", "Sonido (*.wav)"};
const TriText kAllFilter = {"Tous les fichiers (*)", "All files (*)", "Todos los archivos (*)"};
const TriText kSaveError = {"Un problème est survenu lors de la sauvegarde du fichier WAV",
    "An error occured when saving WAV file", "Se produjo un error al guardar el archivo WAV"};
const TriText kErrorTitle = {"Erreur", "Error", "Error"};
const TriText kCaptureHeading = {"Entrée audio", "Audio input", "Entrada de audio"};

QLabel* namedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QProgressBar* namedBar(QWidget* parent, const char* name, Qt::Orientation orientation)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setOrientation(orientation);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

void setBold(QLabel& label, bool bold)
{
    QFont font = label.font();
    font.setBold(bold);
    label.setFont(font);
}

} // namespace

TFormRecord::TFormRecord(Program& program)
    : TiravelWindow(program, "FormRecord")
    , session_(program.state().analysis())
    , openSave_(std::make_unique<OpenSaveDialog>(program.presenter(), *this))
    , saveName_(openSave_.get())
    , LiveAudioRecorder(program.recorderInput())
{
    auto* top = new QHBoxLayout;
    top->addWidget(makeLevelGroup());
    auto* right = new QVBoxLayout;
    right->addWidget(makeParametersGroup());
    right->addWidget(makeSteps(), 1);
    top->addLayout(right, 1);
    labelRecorded_ = namedLabel(this, "LabelRecorded");
    labelRecorded_->hide();
    labelLast_ = namedLabel(this, "LabelLast");
    labelLast_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeTitle());
    layout->addLayout(top, 1);
    layout->addWidget(makeProgress());
    layout->addWidget(labelRecorded_);
    layout->addWidget(labelLast_);
    layout->addLayout(makeButtons());
    setUpRecorder();
    resize(kWidth, kHeight);
}

// The buffers a closing recorder still returns find no window to draw in.
TFormRecord::~TFormRecord()
{
    LiveAudioRecorder.OnData = nullptr;
}

QWidget* TFormRecord::makeTitle()
{
    labelTitle_ = namedLabel(this, "LabelTitle");
    labelTitle_->setAlignment(Qt::AlignCenter);
    QFont font = labelTitle_->font();
    font.setPointSize(16);
    font.setBold(true);
    labelTitle_->setFont(font);
    return labelTitle_;
}

QWidget* TFormRecord::makeLevelGroup()
{
    groupLevel_ = new QGroupBox(this);
    groupLevel_->setObjectName("GroupLevel");
    labelStrong_ = namedLabel(groupLevel_, "LabelStrong");
    labelWeak_ = namedLabel(groupLevel_, "LabelWeak");
    progressLevel_ = namedBar(groupLevel_, "ProgressLevel", Qt::Vertical);
    progressLevel_->setMinimumSize(28, 160);
    QPalette green = progressLevel_->palette();
    green.setColor(QPalette::Highlight, kLevelGreen);
    progressLevel_->setPalette(green);
    labelSaturation_ = namedLabel(groupLevel_, "LabelSaturation");
    labelSaturation_->setStyleSheet(QStringLiteral("color: #d00000; font-weight: bold;"));
    labelSaturation_->setAlignment(Qt::AlignCenter);
    labelSaturation_->hide();

    auto* grid = new QGridLayout(groupLevel_);
    grid->addWidget(labelStrong_, 0, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(labelWeak_, 1, 0, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(progressLevel_, 0, 1, 2, 1, Qt::AlignHCenter);
    grid->addWidget(labelSaturation_, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    // The warning's place is kept, so the bar does not move when it shows.
    grid->setRowMinimumHeight(2, labelSaturation_->sizeHint().height());
    return groupLevel_;
}

QWidget* TFormRecord::makeParametersGroup()
{
    groupParameters_ = new QGroupBox(this);
    groupParameters_->setObjectName("GroupParameters");
    labelFreq_ = namedLabel(groupParameters_, "LabelFreq");
    labelDuration_ = namedLabel(groupParameters_, "LabelDuration");
    auto* column = new QVBoxLayout(groupParameters_);
    column->addWidget(labelFreq_);
    column->addWidget(labelDuration_);
    return groupParameters_;
}

QWidget* TFormRecord::makeSteps()
{
    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::StyledPanel);
    QFont font = box->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    box->setFont(font);
    auto* column = new QVBoxLayout(box);
    column->setSpacing(8);
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        steps_[i] = namedLabel(box, kStepNames[i]);
        steps_[i]->setWordWrap(true);
        column->addWidget(steps_[i]);
    }
    column->addStretch();
    return box;
}

QWidget* TFormRecord::makeProgress()
{
    auto* box = new QWidget(this);
    progressRecord_ = namedBar(box, "ProgressRecord", Qt::Horizontal);
    scale_ = new QWidget(box);
    for (std::size_t i = 0; i < scaleLabels_.size(); ++i) {
        scaleLabels_[i] = new QLabel(scale_);
        scaleLabels_[i]->setObjectName(QStringLiteral("LabelScale%1").arg(kScaleSeconds[i]));
        scaleLabels_[i]->setText(QString::number(kScaleSeconds[i]) + (i + 1 == scaleLabels_.size() ? " s" : ""));
    }
    scale_->setMinimumHeight(scaleLabels_[0]->sizeHint().height());
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(progressRecord_);
    column->addWidget(scale_);
    return box;
}

QLayout* TFormRecord::makeButtons()
{
    sbRecord_ = makeButton("sbRecord", microphoneIcon());
    sbRecord_->setCheckable(true);
    sbSave_ = makeButton("sbSave", usbKeyIcon());
    sbClose_ = makeButton("sbClose", quitIcon());
    connect(sbRecord_, &QPushButton::clicked, this, &TFormRecord::sbRecordClick);
    connect(sbSave_, &QPushButton::clicked, this, &TFormRecord::sbSaveClick);
    connect(sbClose_, &QPushButton::clicked, this, &TFormRecord::sbCloseClick);
    auto* row = new QHBoxLayout;
    row->addWidget(sbRecord_);
    row->addWidget(sbSave_);
    row->addStretch();
    row->addWidget(sbClose_);
    return row;
}

QPushButton* TFormRecord::makeButton(const char* name, const QIcon& icon)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setIcon(icon);
    button->setIconSize(QSize(kIconSide, kIconSide));
    return button;
}

void TFormRecord::setUpRecorder()
{
    LiveAudioRecorder.setPCMFormat(Mono16bit22050Hz);
    LiveAudioRecorder.setBufferLength(50);
    LiveAudioRecorder.setAsync(false);
    LiveAudioRecorder.OnData = [this](TWaveAudioIO* sender, void* buffer, std::uint32_t size, bool& /*freeIt*/) {
        LiveAudioRecorderData(sender, buffer, size);
    };
    LiveAudioRecorder.OnError = [this](TWaveAudioIO* sender) { LiveAudioRecorderError(sender); };
}

void TFormRecord::FormCreate()
{
    const QString caption = text3(kCaption);
    setWindowTitle(caption);
    labelTitle_->setText(caption);
    groupLevel_->setTitle(text3(kLevel));
    labelStrong_->setText(text3(kStrong));
    labelWeak_->setText(text3(kWeak));
    labelSaturation_->setText(text3(kSaturation));
    groupParameters_->setTitle(text3(kParameters));
    labelFreq_->setText(text3(kFrequencyBefore) + QString::number(state().analysis().sampleRate)
        + text3(kFrequencyAfter));
    labelDuration_->setText(text3(kMaximumLength));
    labelLast_->setText(text3(kLastSound));
    setStepTexts();
    setButtonTexts();
    openSave_->setTexts(text3(kSaveTitle), {text3(kSoundFilter), text3(kAllFilter)});
}

void TFormRecord::setStepTexts()
{
    for (std::size_t i = 0; i < steps_.size(); ++i)
        steps_[i]->setText(QString::fromLatin1(kStepNumbers[i]) + text3(kSteps[i]));
    boldStep(0);
}

void TFormRecord::setButtonTexts()
{
    sbRecord_->setText(text3(kRecordButton));
    sbRecord_->setToolTip(text3(kRecordHint));
    sbSave_->setText(text3(kSaveButton));
    sbSave_->setToolTip(text3(kSaveHint));
    sbClose_->setText(languageText(kTextClose));
    sbClose_->setToolTip(languageText(kTextCloseHint));
}

// Step n (1..5) in bold, the others normal; 0 leaves none bold.
void TFormRecord::boldStep(int step)
{
    for (std::size_t i = 0; i < steps_.size(); ++i)
        setBold(*steps_[i], static_cast<int>(i) + 1 == step);
}

void TFormRecord::prepareOptions()
{
    session_.open();
    program().folders().enterDataFolder();
    progressRecord_->setValue(0);
    progressLevel_->setValue(0);
    labelSaturation_->hide(); // the warning goes with the level it was shown for
    LiveAudioRecorder.setActive(true);
    sbRecord_->setChecked(false);
    boldStep(2);
    labelRecorded_->hide();
}

void TFormRecord::layoutControls()
{
    const QRect bar = progressRecord_->geometry();
    const int width = scale_->width();
    for (std::size_t i = 0; i < scaleLabels_.size(); ++i) {
        QLabel& label = *scaleLabels_[i];
        label.adjustSize();
        const double fraction = kScaleSeconds[i] * static_cast<double>(state().analysis().sampleRate)
            / kMaxSoundSamples;
        const int centre = bar.x() - scale_->x() + static_cast<int>(fraction * bar.width());
        const int x = std::clamp(centre - label.width() / 2, 0, std::max(0, width - label.width()));
        label.move(x, 0);
    }
}

void TFormRecord::sbRecordClick()
{
    if (sbRecord_->isChecked()) {
        boldStep(3);
        StartRecord();
    } else {
        StopRecord();
        DisplayEndRecord();
    }
}

void TFormRecord::StartRecord()
{
    letPendingMessagesRun();
    session_.startRecording();
    LiveAudioRecorder.setActive(true);
    progressLevel_->setValue(0);
}

// The session stops first: the buffers the closing recorder hands back are
// not part of the recording and must not overwrite it.
void TFormRecord::StopRecord()
{
    session_.stopRecording();
    LiveAudioRecorder.setActive(false);
    letPendingMessagesRun();
    sbRecord_->setEnabled(true);
}

void TFormRecord::DisplayEndRecord()
{
    const AnalysisState& analysis = state().analysis();
    labelRecorded_->setText(
        QString::fromStdString(recordLengthText(analysis.soundLength, analysis.sampleRate, language())));
    labelRecorded_->show();
    NoProgress progress;
    program().analysisEngine().engine().ComputeEnergyTable(progress);
    boldStep(4);
}

void TFormRecord::LiveAudioRecorderData(TWaveAudioIO* /*Sender*/, const void* Buffer, std::uint32_t BufferSize)
{
    const QScopedValueRollback<bool> inHandler(handlingBuffer_, true);
    const RecordingSession::BufferReport report = session_.bufferArrived(Buffer, BufferSize);
    if (report.recorded)
        progressRecord_->setValue(report.progress);
    if (report.levelDue)
        DrawProgressLevel(report.variance);
    if (report.full) {
        sbRecord_->setChecked(false);
        StopRecord();
        DisplayEndRecord();
    }
}

void TFormRecord::DrawProgressLevel(double variance)
{
    const std::int32_t level = recordingLevel(variance);
    progressLevel_->setValue(std::clamp(level, progressLevel_->minimum(), progressLevel_->maximum()));
    labelSaturation_->setVisible(isSaturated(level));
}

void TFormRecord::sbSaveClick()
{
    if (session_.recording()) {
        sbRecord_->setChecked(false);
        StopRecord();
        DisplayEndRecord();
    }
    if (session_.nothingRecordedYet()) {
        sbRecord_->setChecked(true);
        sbRecordClick();
        return;
    }
    saveUnderChosenName();
    boldStep(5);
    close();
}

void TFormRecord::saveUnderChosenName()
{
    const std::string suggested = session_.nextSuggestedName(state().currentPatientName, shortDateToday());
    const std::optional<std::string> chosen = saveName_->ask(suggested);
    if (!chosen)
        return;
    const std::string name = withWavExtension(*chosen);
    SaveToWav(name);
    session_.setLastSoundName(name);
}

void TFormRecord::SaveToWav(const std::string& inFilename)
{
    std::uint32_t count = 0;
    if (!session_.saveToWav(inFilename, program().errors(), count)) {
        program().errors().ShowMessage(text3(kSaveError).toStdString(), text3(kErrorTitle).toStdString());
        return;
    }
    labelLast_->setText(QString::fromStdString(lastSoundText(inFilename, count, language())));
}

void TFormRecord::sbCloseClick()
{
    close();
}

void TFormRecord::FormKeyPress()
{
    labelLast_->show();
}

void TFormRecord::FormClose()
{
    sbRecord_->setChecked(false);
    StopRecord();
    state().analysis().toolMode = 0;
}

void TFormRecord::keyPressEvent(QKeyEvent* event)
{
    FormKeyPress();
    if (event->key() == Qt::Key_Escape)
        close();
    else
        TiravelWindow::keyPressEvent(event);
}

void TFormRecord::closeEvent(QCloseEvent* event)
{
    FormClose();
    TiravelWindow::closeEvent(event);
}

void TFormRecord::letPendingMessagesRun()
{
    if (!handlingBuffer_)
        QCoreApplication::processEvents();
}

void TFormRecord::LiveAudioRecorderError(TWaveAudioIO* Sender)
{
    program().errors().DisplayError(Sender->LastErrorText(), text3(kCaptureHeading).toStdString());
}

} // namespace tiravel
