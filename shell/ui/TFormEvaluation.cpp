#include "TFormEvaluation.h"

#include "MenuPicture.h"
#include "Program.h"
#include "ProgramState.h"
#include "SharedTexts.h"
#include "TFormAbout.h"
#include "evaluation/ui/TFormProfil.h"
#include "evaluation/ui/TFormReperes.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "evaluation/ui/TFormTPM.h"
#include "patient/ui/TFormPatient.h"
#include "shell/DataFolders.h"
#include "shell/LiveDispatcher.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tiravel {

using Preparation = Program::Preparation;

TFormEvaluation::TFormEvaluation(Program& program)
    : PictureMenu(program, "FormEvaluation", QColor(0xfd, 0xf2, 0xe9), QColor(0xf6, 0xd5, 0xb8))
{
    labelTitle_ = &addText("LabelTitle", QRect(90, 90, 700, 60), 44, true);
    connect(&addEntry("ImagePatient", MenuPictureKind::PatientRecord, QRect(90, 165, 200, 200), "LabelPatient",
                QPoint(105, 335)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImagePatientClick);
    connect(&addEntry("ImageSpectre", MenuPictureKind::Spectrum, QRect(305, 165, 200, 200), "LabelSpectre",
                QPoint(315, 335)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageSpectreClick);
    connect(&addEntry("ImagePhonetogram", MenuPictureKind::Phonetogram, QRect(510, 165, 200, 200),
                "LabelPhonetogram", QPoint(530, 335)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImagePhonetogramClick);
    connect(&addEntry("ImageHelp", MenuPictureKind::Help, QRect(725, 165, 200, 200), "LabelHelp", QPoint(740, 335)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageHelpClick);
    connect(&addEntry("ImageQuit", MenuPictureKind::Quit, QRect(90, 375, 200, 200), "LabelQuit", QPoint(105, 535)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageQuitClick);
    connect(&addEntry("ImageTPM", MenuPictureKind::PhonationTime, QRect(305, 375, 200, 200), "LabelTPM",
                QPoint(315, 535)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageTPMClick);
    connect(&addEntry("ImageEtendue", MenuPictureKind::VocalRange, QRect(510, 375, 200, 200), "LabelEtendue",
                QPoint(530, 535)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageEtendueClick);
    connect(&addEntry("ImageAbout", MenuPictureKind::About, QRect(725, 375, 200, 200), "LabelAbout", QPoint(740, 535)),
        &MenuPicture::clicked, this, &TFormEvaluation::ImageAboutClick);
}

void TFormEvaluation::FormCreate()
{
    setWindowTitle(QStringLiteral("TIRAVEL - ") + languageText(kTextEvaluation));
    labelTitle_->setText(languageText(kTextEvaluation).toUpper());
    setEntryTexts("ImagePatient", languageText(kTextPatient), QString());
    setEntryTexts("ImageSpectre", text3("Spectre temps réel", "Real-Time Spectrum", "Espectro Tiempo Real"), QString());
    setEntryTexts("ImagePhonetogram", text3("Phonétogramme", "Phonetogram", "Fonetograma"), QString());
    setEntryTexts("ImageTPM", text3("Temps Phonatoire", "Phonation Time", "Tiempo de Fonación"), QString());
    setEntryTexts("ImageEtendue", text3("F0 étendue vocale", "F0 Range", "F0 + Rango Vocal"), QString());
    setEntryTexts("ImageHelp", languageText(kTextHelp), languageText(kTextHelpHint));
    setEntryTexts("ImageAbout", languageText(kTextAbout), QString());
    setEntryTexts("ImageQuit", languageText(kTextClose), languageText(kTextCloseHint));
    layoutControls();
}

void TFormEvaluation::ImagePatientClick()
{
    program().showModal(program().patient());
}

void TFormEvaluation::ImageSpectreClick()
{
    program().openTool(program().spectrumRT(), kModeSpectrumRT, Preparation::OptionsAndResize);
}

void TFormEvaluation::ImagePhonetogramClick()
{
    program().openTool(program().profil(), kModeProfil, Preparation::OptionsAndResize);
}

void TFormEvaluation::ImageHelpClick()
{
    program().folders().openHelp();
}

void TFormEvaluation::ImageQuitClick()
{
    close();
}

void TFormEvaluation::ImageTPMClick()
{
    program().openTool(program().tpm(), kModeTPM, Preparation::Options);
}

void TFormEvaluation::ImageEtendueClick()
{
    program().openTool(program().reperes(), kModeReperes, Preparation::Options);
}

void TFormEvaluation::ImageAboutClick()
{
    program().showModal(program().about());
}

void TFormEvaluation::paintBackground(QPainter& painter)
{
    PictureMenu::paintBackground(painter);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    for (int harmonic = 1; harmonic <= 7; ++harmonic) {
        QPainterPath band;
        for (int x = 0; x <= 64; ++x) {
            const double f0 = 0.085 + 0.02 * std::sin(x * 0.22);
            const QPointF point(w * x / 64, h * (1.0 - harmonic * f0));
            if (x == 0)
                band.moveTo(point);
            else
                band.lineTo(point);
        }
        painter.setPen(QPen(QColor(0xd3, 0x54, 0x00, 60 - 6 * harmonic), h * 0.018 / harmonic + 2));
        painter.drawPath(band);
    }
    painter.restore();
}

} // namespace tiravel
