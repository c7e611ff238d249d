#include "ToolWindow.h"

#include "SharedTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tiravel {

namespace {

constexpr int kToolWidth = 800;
constexpr int kToolHeight = 600;

} // namespace

ToolWindow::ToolWindow(Program& program, const char* name, TriText caption)
    : TiravelWindow(program, name)
    , caption_(caption)
    , labelTitle_(new QLabel(this))
    , body_(new QVBoxLayout)
    , sbClose_(new QPushButton(this))
{
    labelTitle_->setObjectName("LabelTitle");
    labelTitle_->setAlignment(Qt::AlignCenter);
    QFont titleFont = labelTitle_->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    labelTitle_->setFont(titleFont);
    sbClose_->setObjectName("sbClose");
    sbClose_->setAutoDefault(false);
    connect(sbClose_, &QPushButton::clicked, this, &ToolWindow::sbCloseClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelTitle_);
    layout->addLayout(body_, 1);
    layout->addLayout(buttons);
    resize(kToolWidth, kToolHeight);
}

void ToolWindow::FormCreate()
{
    const QString caption = text3(caption_);
    setWindowTitle(caption);
    labelTitle_->setText(caption);
    sbClose_->setText(languageText(kTextClose));
    sbClose_->setToolTip(languageText(kTextCloseHint));
}

void ToolWindow::sbCloseClick()
{
    close();
}

} // namespace tiravel
