#include "SpectrumButtonPanel.h"

#include "SpectrumIcons.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tiravel {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* toolButton(QWidget* parent, const char* name, bool checkable)
{
    auto* button = named(new QToolButton(parent), name);
    button->setCheckable(checkable);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(24, 24));
    button->setMinimumHeight(34);
    return button;
}

QPushButton* panelButton(QWidget* parent, const char* name)
{
    auto* button = named(new QPushButton(parent), name);
    button->setCheckable(true);
    button->setAutoDefault(false);
    button->setMinimumHeight(34);
    return button;
}

QSlider* slider(QWidget* parent, const char* name, int maximum)
{
    auto* track = named(new QSlider(Qt::Horizontal, parent), name);
    track->setRange(0, maximum);
    track->setPageStep(1);
    track->setTickPosition(QSlider::TicksBelow);
    track->setTickInterval(1);
    track->setFixedWidth(90);
    return track;
}

QLabel* figure(QWidget* parent, const char* name, int width)
{
    auto* label = named(new QLabel(parent), name);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + 2);
    font.setBold(true);
    label->setFont(font);
    label->setMinimumWidth(width);
    return label;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

SpectrumButtonPanel::SpectrumButtonPanel(QWidget* parent)
    : QWidget(parent)
    , sbRecordOn(toolButton(this, "sbRecordOn", true))
    , sbClearSpace(toolButton(this, "sbClearSpace", false))
    , sbFull(toolButton(this, "sbFull", true))
    , energyTopBtn(panelButton(this, "energyTopBtn"))
    , energyBottomBtn(panelButton(this, "energyBottomBtn"))
    , labelMaxFrequency(new QLabel(this))
    , ComboFreq(named(new QComboBox(this), "ComboFreq"))
    , labelSensitivity(new QLabel(this))
    , TrackBar(slider(this, "TrackBar", 5))
    , labelSpeed(new QLabel(this))
    , TrackSpeed(slider(this, "TrackSpeed", 4))
    , sbWhiteBG(toolButton(this, "sbWhiteBG", true))
    , sbFormants(toolButton(this, "sbFormants", true))
    , sbHelp(toolButton(this, "sbHelp", false))
    , sbQuit(named(new QPushButton(this), "sbClose"))
    , LabelF0(figure(this, "LabelF0", 130))
    , LabeldB(figure(this, "LabeldB", 190))
    , LabelF(figure(this, "LabelF", 240))
    , LabelDuration(figure(this, "LabelDuration", 170))
    , labelDetectF0(new QLabel(this))
    , EditFilter(named(new QLineEdit(this), "EditFilter"))
    , labelBoost(new QLabel(this))
    , EditBoost(named(new QLineEdit(this), "EditBoost"))
    , sbEqualize(named(new QPushButton(this), "sbEqualize"))
    , sbPatient(toolButton(this, "sbPatient", false))
    , sbDumpFFT(named(new QPushButton(QStringLiteral("D-FFT"), this), "sbDumpFFT"))
    , sbDumpF0(named(new QPushButton(QStringLiteral("D-F0"), this), "sbDumpF0"))
    , sbEmail(named(new QPushButton(QStringLiteral("Email spectrogram to :"), this), "sbEmail"))
    , EditEmail(named(new QLineEdit(this), "EditEmail"))
{
    setObjectName("PanelButtons");
    setFixedHeight(kPanelHeight);
    sbRecordOn->setIcon(SpectrumIcons::microphone(false));
    sbRecordOn->setIconSize(QSize(28, 28));
    sbClearSpace->setIcon(SpectrumIcons::eraser());
    sbFull->setIcon(SpectrumIcons::zoom());
    sbHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    sbQuit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    sbQuit->setIconSize(QSize(20, 20));
    sbQuit->setMinimumHeight(34);
    sbQuit->setAutoDefault(false);
    sbWhiteBG->setToolButtonStyle(Qt::ToolButtonTextOnly);
    sbFormants->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char* item : {"10000 Hz", "5000 Hz", "2500 Hz", "1000 Hz", "500 Hz"})
        ComboFreq->addItem(QString::fromLatin1(item));
    EditFilter->setFixedWidth(50);
    EditBoost->setFixedWidth(50);
    sbEqualize->setAutoDefault(false);
    sbEqualize->hide();
    sbPatient->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    for (QPushButton* button : {sbDumpFFT, sbDumpF0, sbEmail}) {
        button->setAutoDefault(false);
        button->setMinimumHeight(30);
    }
    EditEmail->setFixedWidth(260);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 4, 6, 2);
    rows->setSpacing(4);
    buildFirstRow();
    buildSecondRow();
    buildThirdRow();
}

void SpectrumButtonPanel::buildFirstRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(sbRecordOn);
    row->addWidget(sbClearSpace);
    row->addWidget(sbFull);
    row->addWidget(separator(this));
    row->addWidget(energyTopBtn);
    row->addWidget(energyBottomBtn);
    row->addWidget(separator(this));
    labelMaxFrequency->setBuddy(ComboFreq);
    row->addWidget(labelMaxFrequency);
    row->addWidget(ComboFreq);
    labelSensitivity->setBuddy(TrackBar);
    row->addWidget(labelSensitivity);
    row->addWidget(TrackBar);
    labelSpeed->setBuddy(TrackSpeed);
    row->addWidget(labelSpeed);
    row->addWidget(TrackSpeed);
    row->addWidget(separator(this));
    row->addWidget(sbWhiteBG);
    row->addWidget(sbFormants);
    row->addStretch(1);
    row->addWidget(sbHelp);
    row->addWidget(sbQuit);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void SpectrumButtonPanel::buildSecondRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(LabelF0);
    row->addWidget(LabeldB);
    row->addWidget(LabelF);
    row->addWidget(LabelDuration);
    row->addStretch(1);
    row->addWidget(sbEqualize);
    labelDetectF0->setBuddy(EditFilter);
    row->addWidget(labelDetectF0);
    row->addWidget(EditFilter);
    labelBoost->setBuddy(EditBoost);
    row->addWidget(labelBoost);
    row->addWidget(EditBoost);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void SpectrumButtonPanel::buildThirdRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(sbPatient);
    row->addSpacing(12);
    row->addWidget(sbDumpFFT);
    row->addWidget(sbDumpF0);
    row->addSpacing(12);
    row->addWidget(sbEmail);
    row->addWidget(EditEmail);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

} // namespace tiravel
