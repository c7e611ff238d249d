#include "TFormReeducation.h"

#include "MenuPicture.h"
#include "Program.h"
#include "SharedTexts.h"
#include "TFormAbout.h"
#include "patient/ui/TFormPatient.h"
#include "shell/DataFolders.h"
#include "shell/LiveDispatcher.h"
#include "therapy/ui/TFormArticulation.h"
#include "therapy/ui/TFormHauteurTonale.h"
#include "therapy/ui/TFormSouffle.h"
#include "therapy/ui/TFormTimbre.h"

#include <QLabel>
#include <QPushButton>

namespace tiravel {

using Preparation = Program::Preparation;

TFormReeducation::TFormReeducation(Program& program)
    : PictureMenu(program, "FormReeducation", QColor(0xee, 0xf8, 0xf0), QColor(0xc8, 0xe8, 0xd0))
{
    labelTitle_ = &addText("LabelTitle", QRect(90, 90, 600, 60), 44, true);
    sbHelp_ = &addButton("sbHelp", QRect(805, 100, 120, 40));
    connect(sbHelp_, &QPushButton::clicked, this, &TFormReeducation::sbHelpClick);
    connect(&addEntry("ImagePatient", MenuPictureKind::PatientRecord, QRect(90, 165, 200, 200), "LabelPatient",
                QPoint(105, 335)),
        &MenuPicture::clicked, this, &TFormReeducation::ImagePatientClick);
    connect(&addEntry("ImageSouffle", MenuPictureKind::Breath, QRect(305, 165, 200, 200), "LabelSouffle",
                QPoint(315, 335)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageSouffleClick);
    connect(&addEntry("ImageTimbre", MenuPictureKind::Timbre, QRect(510, 165, 200, 200), "LabelTimbre",
                QPoint(530, 335)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageTimbreClick);
    connect(&addEntry("ImageHelp", MenuPictureKind::Help, QRect(725, 165, 200, 200), "LabelHelp", QPoint(740, 335)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageHelpClick);
    connect(&addEntry("ImageClose", MenuPictureKind::Quit, QRect(90, 375, 200, 200), "LabelClose", QPoint(105, 535)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageCloseClick);
    connect(&addEntry("ImageArticulation", MenuPictureKind::Articulation, QRect(305, 375, 200, 200),
                "LabelArticulation", QPoint(315, 535)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageArticulationClick);
    connect(&addEntry("ImageHauteurTonale", MenuPictureKind::Pitch, QRect(510, 375, 200, 200), "LabelHauteurTonale",
                QPoint(530, 535)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageHauteurTonaleClick);
    connect(&addEntry("ImageAbout", MenuPictureKind::About, QRect(725, 375, 200, 200), "LabelAbout", QPoint(740, 535)),
        &MenuPicture::clicked, this, &TFormReeducation::ImageAboutClick);
}

void TFormReeducation::FormCreate()
{
    setWindowTitle(QStringLiteral("TIRAVEL - ") + languageText(kTextTherapy));
    labelTitle_->setText(languageText(kTextTherapy).toUpper());
    sbHelp_->setText(languageText(kTextHelp));
    sbHelp_->setToolTip(languageText(kTextHelpHint));
    setEntryTexts("ImagePatient", languageText(kTextPatient), QString());
    setEntryTexts("ImageSouffle", text3("Souffle", "Breath", "Soplo"), QString());
    setEntryTexts("ImageTimbre", text3("Timbre", "Richness", "Timbre"), QString());
    setEntryTexts("ImageArticulation", text3("Articulation", "Articulation", "Articulación"), QString());
    setEntryTexts("ImageHauteurTonale", text3("Hauteur tonale", "Pitch", "Altura tonal"), QString());
    setEntryTexts("ImageHelp", languageText(kTextHelp), languageText(kTextHelpHint));
    setEntryTexts("ImageAbout", languageText(kTextAbout), QString());
    setEntryTexts("ImageClose", languageText(kTextClose), languageText(kTextCloseHint));
    layoutControls();
}

void TFormReeducation::ImagePatientClick()
{
    program().showModal(program().patient());
}

void TFormReeducation::ImageSouffleClick()
{
    program().openTool(program().souffle(), kModeSouffle, Preparation::Options);
}

void TFormReeducation::ImageTimbreClick()
{
    program().openTool(program().timbre(), kModeTimbre, Preparation::Options);
}

void TFormReeducation::ImageHelpClick()
{
    program().folders().openHelp("reeducation.htm");
}

void TFormReeducation::ImageCloseClick()
{
    close();
}

// The articulation window prepares itself each time it is shown.
void TFormReeducation::ImageArticulationClick()
{
    program().openTool(program().articulation(), kModeArticulation, Preparation::None);
}

void TFormReeducation::ImageHauteurTonaleClick()
{
    program().openTool(program().hauteurTonale(), kModeHauteurTonale, Preparation::Options);
}

void TFormReeducation::ImageAboutClick()
{
    program().showModal(program().about());
}

void TFormReeducation::sbHelpClick()
{
    program().folders().openHelp();
}

} // namespace tiravel
