// The error window: its two lines, its look, the video error by language
// and the message boxes it shows.
#include "UiTestSupport.h"

#include "shell/ui/TFormError.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tiravel {
namespace {

TEST(ErrorWindow, ShowsBothLinesModally)
{
    test::ProgramUnderTest program;
    program->error().DisplayError("\"div_tiravel/video\" sous-répertoire non trouvé", "Attention");
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].name, "FormError");
    EXPECT_EQ(program.presenter.shown[0].line1, QString::fromUtf8("\"div_tiravel/video\" sous-répertoire non trouvé"));
    EXPECT_EQ(program.presenter.shown[0].line2, "Attention");
}

TEST(ErrorWindow, CutsEachLineTo250BytesWithoutSplittingALetter)
{
    test::ProgramUnderTest program;
    const std::string text = std::string(249, 'x') + "é and more";
    program->error().DisplayError(text, std::string(300, 'y'));
    EXPECT_EQ(program.presenter.shown[0].line1, QString(249, 'x'));
    EXPECT_EQ(program.presenter.shown[0].line2, QString(250, 'y'));
}

TEST(ErrorWindow, IsLightRedWithAFixedSizeAndAnOkButton)
{
    test::ProgramUnderTest program;
    const TFormError& error = program->error();
    EXPECT_EQ(error.palette().color(QPalette::Window), QColor(0xff, 0x80, 0x80));
    EXPECT_EQ(error.minimumSize(), error.maximumSize());
    EXPECT_EQ(error.findChild<QPushButton*>("ButtonOk")->text(), "OK");
}

TEST(ErrorWindow, OkClosesIt)
{
    test::ProgramUnderTest program;
    TFormError& error = program->error();
    error.show();
    error.findChild<QPushButton*>("ButtonOk")->click();
    EXPECT_FALSE(error.isVisible());
}

struct VideoErrorCase {
    Language language;
    QString line1;
    QString line2;
};

class VideoError : public testing::TestWithParam<VideoErrorCase> {};

TEST_P(VideoError, NamesTheRemedyInTheCurrentLanguage)
{
    const VideoErrorCase& c = GetParam();
    test::ProgramUnderTest program;
    program.state.setLanguage(c.language);
    program->error().DisplayVideoError();
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].line1, c.line1);
    EXPECT_EQ(program.presenter.shown[0].line2, c.line2);
}

INSTANTIATE_TEST_SUITE_P(Languages, VideoError,
    testing::Values(VideoErrorCase{Language::French, QString::fromUtf8("Erreur de lecture de vidéo MPEG"),
                        "Suggestion: installer le driver XVID depuis le sommaire Morax"},
        VideoErrorCase{Language::English, "Error playing MPEG video",
            "Suggestion: install the XVID driver from the Morax main menu"},
        VideoErrorCase{Language::Spanish, QString::fromUtf8("Error reproducción de vídeo MPEG"),
            QString::fromUtf8("Sugerencia: instalar el controlador XVID en el menú principal Morax")}));

TEST(ErrorWindow, ShowsMessageBoxesWithTheirTitle)
{
    test::ProgramUnderTest program;
    program->error().ShowMessage("La nomenclature des troubles de la voix introuvable", "Attention");
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].name, "QMessageBox");
    EXPECT_EQ(program.presenter.shown[0].line1, "La nomenclature des troubles de la voix introuvable");
    EXPECT_EQ(program.presenter.shown[0].caption, "Attention");
}

} // namespace
} // namespace tiravel
