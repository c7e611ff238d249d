#include "TFormMedia.h"

#include "TFormSoundBiblio.h"
#include "TFormVideos.h"
#include "patient/ui/TFormPatient.h"
#include "platform/Shell.h"
#include "shell/DataFolders.h"
#include "shell/ui/MenuPicture.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/SharedTexts.h"
#include "shell/ui/TFormAbout.h"

#include <QLabel>
#include <QPushButton>

namespace tiravel {

TFormMedia::TFormMedia(Program& program)
    : PictureMenu(program, "FormMedia", QColor(0xf6, 0xf0, 0xfa), QColor(0xdc, 0xcc, 0xe8))
{
    labelTitle_ = &addText("LabelTitle", QRect(90, 90, 600, 60), 44, true);
    sbSommaire_ = &addButton("sbSommaire", QRect(805, 100, 120, 40));
    connect(sbSommaire_, &QPushButton::clicked, this, &TFormMedia::sbSommaireClick);
    connect(&addEntry("ImagePatient", MenuPictureKind::PatientRecord, QRect(90, 165, 200, 200), "LabelPatient",
                QPoint(105, 335)),
        &MenuPicture::clicked, this, &TFormMedia::ImagePatientClick);
    connect(&addEntry("ImageVideos", MenuPictureKind::Videos, QRect(300, 165, 200, 200), "LabelVideos",
                QPoint(315, 335)),
        &MenuPicture::clicked, this, &TFormMedia::ImageVideosClick);
    connect(&addEntry("ImageSons", MenuPictureKind::Sounds, QRect(510, 165, 200, 200), "LabelSons", QPoint(530, 335)),
        &MenuPicture::clicked, this, &TFormMedia::ImageSonsClick);
    connect(&addEntry("ImageHelp", MenuPictureKind::Help, QRect(725, 165, 200, 200), "LabelHelp", QPoint(740, 335)),
        &MenuPicture::clicked, this, &TFormMedia::ImageHelpClick);
    connect(&addEntry("ImageClose", MenuPictureKind::Quit, QRect(90, 375, 200, 200), "LabelClose", QPoint(105, 535)),
        &MenuPicture::clicked, this, &TFormMedia::ImageCloseClick);
    connect(&addEntry("ImageDataBase", MenuPictureKind::DataBase, QRect(300, 375, 200, 200), "LabelDataBase",
                QPoint(315, 535)),
        &MenuPicture::clicked, this, &TFormMedia::ImageDataBaseClick);
    connect(&addEntry("ImageStats", MenuPictureKind::BeforeAfter, QRect(510, 375, 200, 200), "LabelStats",
                QPoint(530, 535)),
        &MenuPicture::clicked, this, &TFormMedia::ImageStatsClick);
    connect(&addEntry("ImageAbout", MenuPictureKind::About, QRect(725, 375, 200, 200), "LabelAbout", QPoint(740, 535)),
        &MenuPicture::clicked, this, &TFormMedia::ImageAboutClick);
}

void TFormMedia::FormCreate()
{
    setWindowTitle(QStringLiteral("TIRAVEL - ") + languageText(kTextMediaLibrary));
    labelTitle_->setText(languageText(kTextMediaLibrary).toUpper());
    sbSommaire_->setText(text3("Sommaire", "Main menu", "Menú principal"));
    sbSommaire_->setToolTip(languageText(kTextCloseHint));
    setEntryTexts("ImagePatient", languageText(kTextPatient), QString());
    setEntryTexts("ImageVideos", text3("Vidéos", "Videos", "Vídeos"), QString());
    setEntryTexts("ImageSons", text3("Sons", "Sounds", "Sonidos"), QString());
    setEntryTexts("ImageDataBase", text3("Base de données", "Data Base", "Base de datos"), QString());
    setEntryTexts("ImageStats", text3("Avant/après", "Before/After", "Antes/Después "), QString());
    setEntryTexts("ImageHelp", languageText(kTextHelp), languageText(kTextHelpHint));
    setEntryTexts("ImageAbout", languageText(kTextAbout), QString());
    setEntryTexts("ImageClose", languageText(kTextClose), languageText(kTextCloseHint));
    layoutControls();
}

void TFormMedia::ImagePatientClick()
{
    program().showModal(program().patient());
}

void TFormMedia::ImageVideosClick()
{
    program().showModal(program().videos());
}

void TFormMedia::ImageSonsClick()
{
    TFormSoundBiblio& sounds = program().soundBiblio();
    sounds.UpdateOptions();
    program().showModal(sounds);
}

void TFormMedia::ImageHelpClick()
{
    program().folders().openHelp("mediatheque.htm");
}

void TFormMedia::ImageCloseClick()
{
    close();
}

void TFormMedia::ImageDataBaseClick()
{
    program().shell().openDocument(state().webPageUrl);
}

void TFormMedia::ImageStatsClick()
{
    TFormPatient& patient = program().patient();
    patient.showBeforeAfterPage();
    program().showModal(patient);
}

void TFormMedia::ImageAboutClick()
{
    program().showModal(program().about());
}

void TFormMedia::sbSommaireClick()
{
    close();
}

} // namespace tiravel
