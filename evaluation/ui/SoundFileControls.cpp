#include "SoundFileControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace tiravel {

namespace {

QPushButton* rowButton(QWidget* parent, const QString& name, int width)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(width);
    return button;
}

QLabel* rowLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

SoundFileControls::SoundFileControls(QWidget* parent)
    : QWidget(parent)
    , sbLoad(rowButton(this, QStringLiteral("sbLoad"), 80))
    , sbRecorder(rowButton(this, QStringLiteral("sbRecorder"), 90))
    , sbPlay(rowButton(this, QStringLiteral("sbPlay"), 80))
    , sbFilter(rowButton(this, QStringLiteral("sbFilter"), 30))
    , sbBoost(rowButton(this, QStringLiteral("sbBoost"), 70))
    , sbMinus3dB(rowButton(this, QStringLiteral("sbMinus3dB"), 30))
    , sbPlus3dB(rowButton(this, QStringLiteral("sbPlus3dB"), 30))
    , sbHear {}
    , labelHFBF(rowLabel(this, "labelHFBF"))
    , EditHFBF(new QLineEdit(this))
    , ProgressLoad(new QProgressBar(this))
    , LabelSoundFile(rowLabel(this, "LabelSoundFile"))
    , LabelPatient(rowLabel(this, "LabelPatient"))
{
    for (std::size_t i = 0; i < sbHear.size(); ++i) {
        const QString caption = QStringLiteral("F%1").arg(i + 1);
        sbHear[i] = rowButton(this, QStringLiteral("sbHear") + caption, 34);
        sbHear[i]->setText(caption);
    }
    sbFilter->setText(QStringLiteral("F"));
    sbMinus3dB->setText(QStringLiteral("-"));
    sbPlus3dB->setText(QStringLiteral("+"));
    EditHFBF->setObjectName(QStringLiteral("EditHFBF"));
    EditHFBF->setFixedWidth(50);
    ProgressLoad->setObjectName(QStringLiteral("ProgressLoad"));
    ProgressLoad->setRange(0, 100);
    ProgressLoad->setValue(0);
    ProgressLoad->setFixedWidth(110);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 2);
    row->setSpacing(6);
    for (QWidget* widget : {static_cast<QWidget*>(sbLoad), static_cast<QWidget*>(sbRecorder),
             static_cast<QWidget*>(sbPlay), static_cast<QWidget*>(ProgressLoad)})
        row->addWidget(widget);
    row->addSpacing(10);
    for (QWidget* widget : {sbFilter, sbBoost, sbMinus3dB, sbPlus3dB})
        row->addWidget(widget);
    row->addSpacing(10);
    for (QPushButton* button : sbHear)
        row->addWidget(button);
    row->addSpacing(10);
    row->addWidget(labelHFBF);
    row->addWidget(EditHFBF);
    row->addSpacing(10);
    row->addWidget(LabelSoundFile, 1);
    row->addWidget(LabelPatient);
}

} // namespace tiravel
