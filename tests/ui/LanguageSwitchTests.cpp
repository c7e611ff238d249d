// The language switch of the About window: shared texts, every window that
// follows the language re-labelled in place, the others left as they were.
#include "UiTestSupport.h"

#include "evaluation/ui/TFormSpectrumRT.h"
#include "media/ui/TFormMedia.h"
#include "media/ui/TFormVideoOK.h"
#include "patient/ui/TFormPatient.h"
#include "shell/ui/ReferenceTexts.h"
#include "shell/ui/TForm3Choice.h"
#include "shell/ui/TFormAbout.h"
#include "shell/ui/TFormError.h"
#include "shell/ui/TFormFFTHost.h"
#include "shell/ui/TFormStart.h"
#include "audio/ui/TFormRecord.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <fstream>
#include <gtest/gtest.h>

namespace tiravel {
namespace {

QString label(const QWidget& window, const char* name)
{
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

TEST(ReferenceTexts, StartWithTheFrenchTexts)
{
    const ReferenceTexts texts;
    for (int n = 1; n <= kLanguageTextCount; ++n)
        EXPECT_EQ(texts[n], languageText(n, Language::French)) << n;
}

// After English and back to French, the 35 entries the French update writes
// are French again and the 10 it does not write are back to their start values.
TEST(ReferenceTexts, BackToFrenchRestoresEveryEntry)
{
    ReferenceTexts texts;
    const ReferenceTexts start;
    texts.update(Language::English);
    for (int n = 1; n <= kLanguageTextCount; ++n)
        EXPECT_EQ(texts[n], languageText(n, Language::English)) << n;
    texts.update(Language::French);
    int startValueEntries = 0;
    for (int n = 1; n <= kLanguageTextCount; ++n) {
        if (ReferenceTexts::keepsStartValueInFrench(n)) {
            ++startValueEntries;
            EXPECT_EQ(texts[n], start[n]) << n;
        } else {
            EXPECT_EQ(texts[n], languageText(n, Language::French)) << n;
        }
    }
    EXPECT_EQ(startValueEntries, 10);
    for (int n : {14, 15, 16, 17, 18, 24, 25, 27, 35, 36})
        EXPECT_TRUE(ReferenceTexts::keepsStartValueInFrench(n)) << n;
}

TEST(ReferenceTexts, SpanishWritesEveryEntry)
{
    ReferenceTexts texts;
    texts.update(Language::Spanish);
    for (int n = 1; n <= kLanguageTextCount; ++n)
        EXPECT_EQ(texts[n], languageText(n, Language::Spanish)) << n;
}

class LanguageSwitch : public testing::Test {
protected:
    test::ProgramUnderTest program;
    TFormAbout& about() { return program->about(); }
};

TEST_F(LanguageSwitch, RadioButtonsSwitchTheProgramLanguage)
{
    auto buttons = about().findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons[0]->isChecked());
    buttons[1]->click();
    EXPECT_TRUE(program.state.languageEnglish);
    EXPECT_FALSE(program.state.languageSpanish);
    EXPECT_EQ(about().windowTitle(), "About TIRAVEL 4");
    buttons[2]->click();
    EXPECT_FALSE(program.state.languageEnglish);
    EXPECT_TRUE(program.state.languageSpanish);
    EXPECT_EQ(program.state.languageTexts[8], "Salir");
    buttons[0]->click();
    EXPECT_EQ(program.state.language(), Language::French);
    EXPECT_EQ(about().windowTitle(), "A propos de TIRAVEL 4");
}

TEST_F(LanguageSwitch, RelabelsTheMenusAndToolsWithoutRecreatingThem)
{
    const std::vector<TiravelWindow*> before = program->windows();
    about().RadioLanguageClick(1);
    EXPECT_EQ(program->windows(), before);
    EXPECT_EQ(program->start().windowTitle(), "Main menu of TIRAVEL");
    EXPECT_EQ(label(program->start(), "LabelMorax"), "Morax presents");
    EXPECT_EQ(label(program->start(), "LabelMediatheque"), "Media Library");
    EXPECT_EQ(label(program->start(), "LabelQuit"), "Close");
    EXPECT_EQ(program->media().windowTitle(), "TIRAVEL - Media Library");
    EXPECT_EQ(label(program->media(), "LabelStats"), "Before/After");
    EXPECT_EQ(program->spectrumRT().windowTitle(), "Real time spectrum");
    EXPECT_EQ(program->spectrumRT().findChild<QPushButton*>("sbClose")->text(), "Close");
    EXPECT_EQ(program.state.languageTexts[7], "Frequency");

    about().RadioLanguageClick(0);
    EXPECT_EQ(program->windows(), before);
    EXPECT_EQ(program->start().windowTitle(), "Bienvenue dans TIRAVEL 4");
    EXPECT_EQ(label(program->media(), "LabelStats"), QString::fromUtf8("Avant/après"));
    EXPECT_EQ(program->spectrumRT().windowTitle(), QString::fromUtf8("Spectre temps réel"));
    EXPECT_EQ(program->spectrumRT().findChild<QPushButton*>("sbClose")->text(), "Quitter");
}

// The recorder, error, analysis, three-choice and video-check windows keep
// the captions of the language of the start.
TEST_F(LanguageSwitch, SomeWindowsKeepTheStartLanguage)
{
    about().RadioLanguageClick(1);
    EXPECT_EQ(program->record().windowTitle(), "Enregistrer un son");
    EXPECT_EQ(program->error().windowTitle(), "Message d'erreur de TIRAVEL");
    EXPECT_EQ(program->fft().windowTitle(), "Analyse du signal");
    EXPECT_EQ(program->threeChoice().windowTitle(), QString::fromUtf8("Sélectionner une des trois options"));
    EXPECT_EQ(program->videoOK().windowTitle(), QString::fromUtf8("Vérification de la vidéo et des animations"));
    EXPECT_EQ(program->record().findChild<QPushButton*>("sbClose")->text(), "Quitter");
}

TEST_F(LanguageSwitch, DoesNotReloadTheClassification)
{
    std::ofstream(program.installation.root() / "div_tiravel" / "reference" / "nomenclature_en.txt")
        << "0001 One\n0002 Two\n0003 Three\n";
    about().RadioLanguageClick(1);
    EXPECT_EQ(program.state.referenceFiles.voiceDisorders.count(), 2u);
    EXPECT_EQ(program.state.referenceFiles.voiceDisorders[0].label, " Nodule");
}

TEST_F(LanguageSwitch, PatientPagesFollowTheLanguage)
{
    const auto* pages = program->patient().findChild<QTabWidget*>("PageControl");
    about().RadioLanguageClick(2);
    EXPECT_EQ(program->patient().windowTitle(), "Ficha del paciente de nouveau");
    EXPECT_EQ(pages->tabText(0), "Anamnesis");
    EXPECT_EQ(pages->tabText(2), QString::fromUtf8("Autoevaluación"));
    about().RadioLanguageClick(0);
    EXPECT_EQ(program->patient().windowTitle(), "Fiche patient de nouveau");
    EXPECT_EQ(pages->tabText(0), QString::fromUtf8("Anamnèse"));
    EXPECT_EQ(pages->tabText(2), QString::fromUtf8("Auto-évaluation"));
}

} // namespace
} // namespace tiravel
