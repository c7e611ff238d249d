#include "TFormStart.h"

#include "MenuPicture.h"
#include "Program.h"
#include "ProgramState.h"
#include "SharedTexts.h"
#include "TFormAbout.h"
#include "TFormEvaluation.h"
#include "TFormReeducation.h"
#include "media/ui/TFormMedia.h"
#include "patient/ui/TFormPatient.h"
#include "shell/DataFolders.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

#include <filesystem>

namespace tiravel {

namespace {

constexpr std::uint16_t kStartSampleRate = 22050;

} // namespace

TFormStart::TFormStart(Program& program)
    : PictureMenu(program, "FormStart", QColor(0xf4, 0xf8, 0xfb), QColor(0xc9, 0xdc, 0xea))
{
    labelMorax_ = &addText("LabelMorax", QRect(90, 30, 600, 40), 24, false);
    labelVersion_ = &addText("LabelVersion", QRect(90, 100, 600, 56), 44, true);
    connect(&addEntry("ImagePatient", MenuPictureKind::PatientRecord, QRect(90, 165, 200, 200), "LabelPatient",
                QPoint(105, 335)),
        &MenuPicture::clicked, this, &TFormStart::ImagePatientClick);
    connect(&addEntry("ImageEvaluation", MenuPictureKind::Evaluation, QRect(300, 165, 420, 200), "LabelEvaluation",
                QPoint(315, 335)),
        &MenuPicture::clicked, this, &TFormStart::ImageEvaluationClick);
    connect(&addEntry("ImageHelp", MenuPictureKind::Help, QRect(725, 165, 200, 200), "LabelHelp", QPoint(740, 335)),
        &MenuPicture::clicked, this, &TFormStart::ImageHelpClick);
    connect(&addEntry("ImageQuit", MenuPictureKind::Quit, QRect(90, 375, 200, 200), "LabelQuit", QPoint(105, 535)),
        &MenuPicture::clicked, this, &TFormStart::ImageQuitClick);
    connect(&addEntry("ImageReeducation", MenuPictureKind::Therapy, QRect(300, 375, 200, 200), "LabelReeducation",
                QPoint(315, 535)),
        &MenuPicture::clicked, this, &TFormStart::ImageReeducationClick);
    connect(&addEntry("ImageMediatheque", MenuPictureKind::MediaLibrary, QRect(520, 375, 200, 200),
                "LabelMediatheque", QPoint(530, 535)),
        &MenuPicture::clicked, this, &TFormStart::ImageMediathequeClick);
    connect(&addEntry("ImageAbout", MenuPictureKind::About, QRect(725, 375, 200, 200), "LabelAbout", QPoint(740, 535)),
        &MenuPicture::clicked, this, &TFormStart::ImageAboutClick);
}

void TFormStart::FormCreate()
{
    state().setLanguage(Language::French);
    readSettings();
    UpdateReferenceTexts();
    UpdateReferenceFiles();
    program().setInstallDir(std::filesystem::current_path());
    // A missing data folder is told at once; the program goes on without it.
    program().folders().enterDataFolder();
    UpdateOptions();
    state().analysis().sampleRate = kStartSampleRate;
    program().analysisEngine().engine().AdjustSampleRate(kStartSampleRate);
    labelVersion_->setText(QStringLiteral("TIRAVEL 4"));
    layoutControls();
}

void TFormStart::readSettings()
{
    const std::filesystem::path file = std::filesystem::path("div_tiravel") / kSettingsFileName;
    const StartupSettings settings = readSettingsFile(file, program().errors());
    state().webPageUrl = settings.webPageUrl;
    state().analysis().calibration = settings.calibration;
    state().setLanguage(settings.language);
}

void TFormStart::UpdateReferenceTexts()
{
    state().languageTexts.update(language());
    setWindowTitle(text3("Bienvenue dans TIRAVEL 4", "Main menu of TIRAVEL", "TIRAVEL Menú Principal"));
    labelMorax_->setText(text3("Morax présente", "Morax presents", "Morax presenta"));
    setEntryTexts("ImagePatient", languageText(kTextPatient),
        text3("Accès aux informations du patient", "Parameters of the patient", "Acceda historia clínica del paciente"));
    setEntryTexts("ImageEvaluation", languageText(kTextEvaluation),
        text3("Accès aux outils d'évaluation", "Access to evaluation tools", "Acceso a las herramientas de evaluación"));
    setEntryTexts("ImageReeducation", languageText(kTextTherapy),
        text3("Accès aux outils de rééducation", "Access to therapy tools", "Acceso a las herramientas de terapia"));
    setEntryTexts("ImageMediatheque", languageText(kTextMediaLibrary),
        text3("Accès aux sons et vidéos de la médiathèque", "Access to sound and video library",
            "Acceso al sonido y videoteca"));
    setEntryTexts("ImageAbout", languageText(kTextAbout),
        text3("Accès aux informations de version et références", "Access to author information",
            "Acceso a la información sobre los autores"));
    setHelpAndQuitTexts();
    layoutControls();
}

// The help and quit pictures have designed French hints; the other
// languages take the shared help and close texts.
void TFormStart::setHelpAndQuitTexts()
{
    const bool french = language() == Language::French;
    setEntryTexts("ImageHelp", languageText(kTextHelp),
        french ? QString::fromUtf8("Aide en ligne de TIRAVEL 4") : languageText(kTextHelpHint));
    setEntryTexts("ImageQuit", languageText(kTextClose),
        french ? QString::fromUtf8("Quitter le logiciel et revenir à Windows") : languageText(kTextCloseHint));
}

void TFormStart::UpdateReferenceFiles()
{
    state().referenceFiles = loadReferenceFiles("div_tiravel", language(), program().errors());
}

void TFormStart::prepareOptions()
{
    AnalysisState& analysis = state().analysis();
    analysis.soundLength = 0;
    analysis.energyFrameCount = 1;
    state().spectrumView = SpectrumViewDefaults{};
    state().spectrumView.frequencyCaption = state().languageTexts[kTextFrequency];
}

void TFormStart::ImagePatientClick()
{
    program().showModal(program().patient());
}

void TFormStart::ImageEvaluationClick()
{
    program().showModal(program().evaluation());
}

void TFormStart::ImageReeducationClick()
{
    program().showModal(program().reeducation());
}

void TFormStart::ImageMediathequeClick()
{
    program().showModal(program().media());
}

void TFormStart::ImageHelpClick()
{
    program().folders().openHelp();
}

void TFormStart::ImageAboutClick()
{
    program().showModal(program().about());
}

void TFormStart::ImageQuitClick()
{
    close();
}

void TFormStart::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape)
        program().terminate();
}

void TFormStart::FormClose()
{
    QCoreApplication::processEvents();
    program().terminate();
}

void TFormStart::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    if (event->key() != Qt::Key_Escape)
        PictureMenu::keyPressEvent(event);
}

void TFormStart::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

} // namespace tiravel
