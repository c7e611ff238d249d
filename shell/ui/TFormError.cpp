#include "TFormError.h"

#include "Program.h"
#include "WindowPresenter.h"
#include "patient/TextRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tiravel {

namespace {

constexpr std::size_t kMaxTextLength = 250;
// $8080FF in the program's blue-green-red notation.
const QColor kErrorBackground(0xff, 0x80, 0x80);
constexpr int kWidth = 560;
constexpr int kHeight = 190;

QString limited(const std::string& text)
{
    return QString::fromStdString(std::string(utf8Prefix(text, kMaxTextLength)));
}

} // namespace

TFormError::TFormError(Program& program)
    : TiravelWindow(program, "FormError")
    , labelError1_(new QLabel(this))
    , labelError2_(new QLabel(this))
    , buttonOk_(new QPushButton(QStringLiteral("OK"), this))
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kErrorBackground);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    labelError1_->setObjectName("LabelError1");
    labelError2_->setObjectName("LabelError2");
    buttonOk_->setObjectName("ButtonOk");
    for (QLabel* label : {labelError1_, labelError2_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
    }
    QFont bold = labelError1_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    labelError1_->setFont(bold);
    connect(buttonOk_, &QPushButton::clicked, this, &TFormError::ButtonOkClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttonOk_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelError1_, 1);
    layout->addWidget(labelError2_, 1);
    layout->addLayout(buttons);
    setFixedSize(kWidth, kHeight);
}

void TFormError::FormCreate()
{
    setWindowTitle(text3("Message d'erreur de TIRAVEL", "Error message from TIRAVEL", "Error TIRAVEL"));
}

void TFormError::DisplayError(const std::string& text1, const std::string& text2)
{
    labelError1_->setText(limited(text1));
    labelError2_->setText(limited(text2));
    centreOnScreen();
    program().showModal(*this);
}

void TFormError::DisplayVideoError()
{
    DisplayError(text3("Erreur de lecture de vidéo MPEG", "Error playing MPEG video", "Error reproducción de vídeo MPEG")
                     .toStdString(),
        text3("Suggestion: installer le driver XVID depuis le sommaire Morax",
            "Suggestion: install the XVID driver from the Morax main menu",
            "Sugerencia: instalar el controlador XVID en el menú principal Morax")
            .toStdString());
}

void TFormError::ShowMessage(const std::string& text, const std::string& title)
{
    program().presenter().showMessage(QString::fromStdString(text), QString::fromStdString(title));
}

void TFormError::ButtonOkClick()
{
    close();
}

void TFormError::centreOnScreen()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace tiravel
