#include "TFormAbout.h"

#include "Program.h"
#include "ProgramState.h"
#include "SharedTexts.h"
#include "TFormEvaluation.h"
#include "TFormReeducation.h"
#include "TFormStart.h"
#include "evaluation/ui/TFormProfil.h"
#include "evaluation/ui/TFormReperes.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "evaluation/ui/TFormTPM.h"
#include "media/ui/TFormMedia.h"
#include "media/ui/TFormSoundBiblio.h"
#include "media/ui/TFormVideos.h"
#include "patient/ui/TFormPatient.h"
#include "platform/Shell.h"
#include "therapy/ui/TFormArticulation.h"
#include "therapy/ui/TFormHauteurTonale.h"
#include "therapy/ui/TFormSouffle.h"
#include "therapy/ui/TFormTimbre.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tiravel {

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 580;

const TriText kDescription = {
    "<b>TIRAVEL 4</b> est un poste de travail d'analyse et de rééducation de la voix pour les orthophonistes. "
    "Il montre la voix en temps réel (spectrogramme, fondamental, intensité), calcule cinq indicateurs de qualité "
    "vocale, mesure le temps phonatoire, les repères et l'étendue vocale et le phonétogramme, propose quatre "
    "exercices de rééducation pilotés par la voix et tient une fiche par patient.",
    "<b>TIRAVEL 4</b> is a voice analysis and voice therapy workstation for speech therapists. It shows the voice "
    "in real time (spectrogram, fundamental frequency, level), computes five voice quality indicators, measures the "
    "phonation time, the pitch landmarks, the vocal range and the phonetogram, offers four therapy exercises driven "
    "by the voice and keeps one record per patient.",
    "<b>TIRAVEL 4</b> es una estación de trabajo de análisis y reeducación de la voz para logopedas. Muestra la voz "
    "en tiempo real (espectrograma, frecuencia fundamental, intensidad), calcula cinco indicadores de calidad "
    "vocal, mide el tiempo de fonación, las referencias y el rango vocal y el fonetograma, propone cuatro ejercicios "
    "de reeducación guiados por la voz y lleva una ficha por paciente."};

const TriText kRoles = {
    "<b>Réalisation</b><br>Conception clinique et protocoles : l'équipe d'orthophonistes de TIRAVEL.<br>"
    "Traitement du signal et indicateurs vocaux : l'équipe d'acoustique.<br>"
    "Logiciel, images et interface : l'équipe de développement de TIRAVEL 4.",
    "<b>Credits</b><br>Clinical design and protocols: the TIRAVEL speech therapy team.<br>"
    "Signal processing and voice indicators: the acoustics team.<br>"
    "Software, pictures and interface: the TIRAVEL 4 development team.",
    "<b>Créditos</b><br>Diseño clínico y protocolos: el equipo de logopedas de TIRAVEL.<br>"
    "Tratamiento de la señal e indicadores vocales: el equipo de acústica.<br>"
    "Programa, imágenes e interfaz: el equipo de desarrollo de TIRAVEL 4."};

const TriText kThanks = {
    "<b>Remerciements</b><br>Merci aux patients, aux orthophonistes et aux étudiants qui ont essayé les exercices "
    "et dont les remarques ont façonné ce logiciel.",
    "<b>Acknowledgements</b><br>Thanks to the patients, speech therapists and students who tried the exercises "
    "and whose remarks shaped this software.",
    "<b>Agradecimientos</b><br>Gracias a los pacientes, logopedas y estudiantes que probaron los ejercicios y cuyas "
    "observaciones dieron forma a este programa."};

const TriText kBibliographyTitle = {"Bibliographie", "Bibliography", "Bibliografía"};

const char* const kBibliography =
    "R. J. Baken, R. F. Orlikoff. <i>Clinical Measurement of Speech and Voice</i>, 2nd ed. Singular, 2000.<br><br>"
    "M. Hirano. <i>Clinical Examination of Voice</i>. Springer, 1981.<br><br>"
    "I. R. Titze. <i>Principles of Voice Production</i>. Prentice Hall, 1994.<br><br>"
    "H. K. Schutte, W. Seidner. Recommendation by the Union of European Phoniatricians (UEP): standardizing "
    "voice area measurement / phonetography. <i>Folia Phoniatrica</i> 35, 1983.";

const TriText kCaption = {"A propos de TIRAVEL 4", "About TIRAVEL 4", "Acerca de TIRAVEL 4"};
const TriText kWebText = {"Site web : ", "Web site: ", "Sitio web: "};
const TriText kMailText = {"Écrire à l'équipe : ", "Write to the team: ", "Escribir al equipo: "};
const TriText kLanguageCaption = {"Langue", "Language", "Idioma"};

QString link(const QString& lead, const char* address, const char* shown)
{
    return lead + QStringLiteral("<a href=\"%1\">%2</a>").arg(QString::fromLatin1(address), QString::fromLatin1(shown));
}

} // namespace

TFormAbout::TFormAbout(Program& program)
    : TiravelWindow(program, "FormAbout")
    , labelTitle_(new QLabel(this))
    , labelWeb_(new QLabel(this))
    , labelMail_(new QLabel(this))
    , radioLanguage_(new QGroupBox(this))
    , languageButtons_(new QButtonGroup(this))
    , sbQuit_(new QPushButton(this))
{
    labelTitle_->setObjectName("LabelTitle");
    labelTitle_->setText(QStringLiteral("TIRAVEL 4"));
    QFont titleFont = labelTitle_->font();
    titleFont.setPixelSize(32);
    titleFont.setBold(true);
    labelTitle_->setFont(titleFont);
    labelDescription_ = &addSection("LabelDescription");
    labelRoles_ = &addSection("LabelRoles");
    labelThanks_ = &addSection("LabelThanks");
    labelBibliography_ = &addSection("LabelBibliography");
    labelWeb_->setObjectName("LabelWeb");
    labelMail_->setObjectName("LabelMail");
    connect(labelWeb_, &QLabel::linkActivated, this, &TFormAbout::LabelWebClick);
    connect(labelMail_, &QLabel::linkActivated, this, &TFormAbout::LabelMailClick);

    radioLanguage_->setObjectName("RadioLanguage");
    auto* radioLayout = new QVBoxLayout(radioLanguage_);
    int item = 0;
    for (const char* name : {"Français", "English", "Español"}) {
        auto* button = new QRadioButton(QString::fromUtf8(name), radioLanguage_);
        languageButtons_->addButton(button, item++);
        radioLayout->addWidget(button);
    }
    connect(languageButtons_, &QButtonGroup::idClicked, this, &TFormAbout::RadioLanguageClick);
    sbQuit_->setObjectName("sbQuit");
    sbQuit_->setAutoDefault(false);
    connect(sbQuit_, &QPushButton::clicked, this, &TFormAbout::sbQuitClick);

    auto* left = new QVBoxLayout;
    left->addWidget(labelTitle_);
    left->addWidget(labelDescription_);
    left->addWidget(labelRoles_);
    left->addWidget(labelThanks_);
    left->addStretch();
    left->addWidget(labelWeb_);
    left->addWidget(labelMail_);
    auto* right = new QVBoxLayout;
    right->addWidget(labelBibliography_);
    right->addStretch();
    right->addWidget(radioLanguage_);
    right->addWidget(sbQuit_, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(28);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    resize(kWidth, kHeight);
}

QLabel& TFormAbout::addSection(const char* name)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return *label;
}

void TFormAbout::FormCreate()
{
    setWindowTitle(text3(kCaption));
    labelDescription_->setText(text3(kDescription));
    labelRoles_->setText(text3(kRoles));
    labelThanks_->setText(text3(kThanks));
    labelBibliography_->setText(QStringLiteral("<b>%1</b><br><br>").arg(text3(kBibliographyTitle))
        + QString::fromUtf8(kBibliography));
    labelWeb_->setText(link(text3(kWebText), kWebPage, "www.tiravel.example"));
    labelMail_->setText(link(text3(kMailText), kMailAddress, "contact@tiravel.example"));
    radioLanguage_->setTitle(text3(kLanguageCaption));
    languageButtons_->button(static_cast<int>(language()))->setChecked(true);
    sbQuit_->setText(languageText(kTextClose));
    sbQuit_->setToolTip(languageText(kTextCloseHint));
}

void TFormAbout::RadioLanguageClick(int item)
{
    state().languageEnglish = item == 1;
    state().languageSpanish = item == 2;
    relabelWindows();
}

// The recorder, error, analysis, three-choice and video-check windows keep
// the language of the start; the classification is not read again.
void TFormAbout::relabelWindows()
{
    Program& p = program();
    FormCreate();
    p.start().UpdateReferenceTexts();
    TiravelWindow* const windows[] = {&p.hauteurTonale(), &p.articulation(), &p.evaluation(), &p.reeducation(),
        &p.souffle(), &p.media(), &p.videos(), &p.about(), &p.soundBiblio(), &p.spectrumRT(), &p.timbre(), &p.tpm(),
        &p.profil(), &p.patient(), &p.reperes()};
    for (TiravelWindow* window : windows)
        window->FormCreate();
}

void TFormAbout::LabelWebClick()
{
    program().shell().openDocument(kWebPage);
}

void TFormAbout::LabelMailClick()
{
    program().shell().openDocument(kMailAddress);
}

void TFormAbout::sbQuitClick()
{
    close();
}

} // namespace tiravel
