#include "IndicatorPanel.h"

#include "GaugePainter.h"
#include "PaintBox.h"
#include "ScreenColors.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace tiravel {

namespace {

constexpr const char* kGaugeNames[IndicatorPanel::kGaugeCount] = {"ImageAttack", "ImageHaut", "ImageAmpl", "ImageSNR",
    "ImageHarm"};
constexpr const char* kEditNames[IndicatorPanel::kGaugeCount] = {"EditAttack", "EditHaut", "EditAmpl", "EditSNR",
    "EditHarm"};
constexpr const char* kScaleTexts[3] = {"10", "1", "0.1"};
// Rows of the bar tops of 10, 1 and 0.1 on a 130-pixel gauge.
constexpr int kScaleRows[3] = {22, 70, 120};

constexpr int kMargin = 12;
constexpr int kCaptionHeight = 36;
constexpr int kGaugeTop = kMargin + kCaptionHeight + 6;
constexpr int kScaleWidth = 24;

QPushButton* spanButton(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setCheckable(true);
    button->setAutoDefault(false);
    return button;
}

} // namespace

IndicatorPanel::IndicatorPanel(QWidget* parent)
    : QWidget(parent)
    , LabelLegend(new QLabel(this))
    , sbAll(spanButton(this, "sbAll"))
    , sbOneSecond(spanButton(this, "sbOneSecond"))
    , sbZone(spanButton(this, "sbZone"))
    , sbAge(spanButton(this, "sbAge"))
    , PaintIndicator(new PaintBox(this, "PaintIndicator"))
    , FileListBox(new QListWidget(this))
    , MemoExpert(new QPlainTextEdit(this))
{
    FileListBox->setObjectName("FileListBox");
    FileListBox->hide();
    MemoExpert->setObjectName("MemoExpert");
    MemoExpert->setReadOnly(true);
    MemoExpert->hide();
    setObjectName("PanelIndicators");
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, toQColor(kColorGaugePanel));
    setPalette(background);
    for (int i = 0; i < kGaugeCount; ++i) {
        gauges[i] = new PaintBox(this, kGaugeNames[i]);
        gauges[i]->setBoxSize(GaugePainter::kGaugeWidth, GaugePainter::kGaugeHeight);
        gauges[i]->setCursor(i == 0 ? Qt::ArrowCursor : Qt::PointingHandCursor);
        edits[i] = new QLineEdit(this);
        edits[i]->setObjectName(QString::fromLatin1(kEditNames[i]));
        edits[i]->setReadOnly(true);
        edits[i]->setAlignment(Qt::AlignRight);
        edits[i]->setFixedWidth(64);
        QFont bold = edits[i]->font();
        bold.setBold(true);
        edits[i]->setFont(bold);
        captions[i] = new QLabel(this);
        captions[i]->setWordWrap(true);
        captions[i]->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        captions[i]->setFont(bold);
        for (int s = 0; s < 3; ++s) {
            scaleLabels_[i][s] = new QLabel(QString::fromLatin1(kScaleTexts[s]), this);
            scaleLabels_[i][s]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    auto* spans = new QButtonGroup(this);
    spans->setExclusive(true);
    for (QPushButton* button : {sbAll, sbOneSecond, sbZone})
        spans->addButton(button);
    sbAll->setChecked(true);
    sbZone->setEnabled(false);
    sbAge->hide();
}

void IndicatorPanel::layoutChildren()
{
    for (int i = 0; i < kGaugeCount; ++i) {
        const int x = kMargin + i * kColumnWidth;
        captions[i]->setGeometry(x, kMargin, kColumnWidth - 10, kCaptionHeight);
        gauges[i]->move(x + kScaleWidth + 4, kGaugeTop);
        for (int s = 0; s < 3; ++s)
            scaleLabels_[i][s]->setGeometry(x, kGaugeTop + kScaleRows[s] - 8, kScaleWidth, 16);
        edits[i]->move(x + kScaleWidth + GaugePainter::kGaugeWidth + 12,
            kGaugeTop + GaugePainter::kGaugeHeight / 2 - edits[i]->sizeHint().height() / 2);
    }
    const int below = kGaugeTop + GaugePainter::kGaugeHeight + 10;
    LabelLegend->setGeometry(kMargin, below, 4 * kColumnWidth, 20);
    int x = kMargin;
    const int buttonTop = below + 26;
    for (QPushButton* button : {sbAll, sbOneSecond, sbZone, sbAge}) {
        const int width = std::max(button->sizeHint().width(), 110);
        button->setGeometry(x, buttonTop, width, 30);
        x += width + 8;
    }
    const int expertTop = buttonTop + 40;
    const int expertHeight = std::max(1, height() - expertTop - kMargin);
    FileListBox->setGeometry(kMargin, expertTop, 2 * kColumnWidth, expertHeight);
    MemoExpert->setGeometry(kMargin + 2 * kColumnWidth + 8, expertTop, 3 * kColumnWidth - 8, expertHeight);
    // The portrait starts 150 pixels right of the last caption and fills the rest.
    const int portraitLeft = kMargin + (kGaugeCount - 1) * kColumnWidth + kColumnWidth;
    PaintIndicator->setGeometry(portraitLeft, kMargin, std::max(1, width() - portraitLeft - kMargin),
        std::max(1, height() - 2 * kMargin));
    PaintIndicator->syncImageSize();
}

} // namespace tiravel
