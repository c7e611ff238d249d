#include "BeforeAfterPage.h"

#include "analysis/AnalysisState.h"
#include "evaluation/SpectrogramGeometry.h"
#include "evaluation/SpectrumColors.h"
#include "patient/SelfAssessment.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>
#include <cmath>

namespace tiravel {

namespace {

constexpr int kIndicatorCount = 5;
constexpr int kFirstIndicatorText = 40;
constexpr int kSpectrogramBins = 511;
constexpr double kSpectrogramGain = 2000.0;
const QColor kBeforeColour(0, 0, 128);
const QColor kAfterColour(160, 40, 0);

QColor qColour(BgrColor c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QString valueText(double value)
{
    return QString::fromStdString(fixedText(value, 1, 2));
}

} // namespace

// The ten bars on their common base line, with the 0.1 / 1.0 / 10.0 axis.
class BeforeAfterPage::Bars final : public QWidget {
public:
    explicit Bars(BeforeAfterPage& page)
        : QWidget(&page)
        , page_(page)
    {
        setObjectName("PanelBars");
        setMinimumWidth(380);
        setFixedHeight(270);
    }
    bool showNames = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(250, 250, 245));
        const int base = height() - (showNames ? 40 : 16);
        const int left = 44;
        const int slot = std::max(40, (width() - left - 8) / kIndicatorCount);
        p.setPen(Qt::gray);
        for (double axis : {0.1, 1.0, 10.0}) {
            const int y = base - beforeAfterBarHeight(axis);
            p.drawLine(left - 4, y, width() - 4, y);
            p.drawText(QRect(0, y - 8, left - 6, 16), Qt::AlignRight | Qt::AlignVCenter, valueText(axis).left(4));
        }
        p.setPen(Qt::black);
        p.drawLine(left - 4, base, width() - 4, base);
        for (int i = 0; i < kIndicatorCount; ++i) {
            const int x = left + i * slot;
            drawBar(p, page_.before_, i, QRect(x + slot / 8, 0, slot * 3 / 8, base), kBeforeColour);
            drawBar(p, page_.after_, i, QRect(x + slot / 2, 0, slot * 3 / 8, base), kAfterColour);
            if (showNames) {
                p.setPen(Qt::black);
                p.drawText(QRect(x, base + 2, slot, 36), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                    QString::fromUtf8(languageText(kFirstIndicatorText + i, page_.language_)));
            }
        }
    }

private:
    // No bar before a recording has been chosen.
    static void drawBar(QPainter& p, const IndicatorRecording& r, int i, const QRect& column, const QColor& colour)
    {
        if (r.fileName.empty())
            return;
        const double value = r.values[static_cast<std::size_t>(i)];
        const int h = beforeAfterBarHeight(value);
        const int base = column.bottom() + 1;
        p.fillRect(QRect(column.left(), base - h, column.width(), h), colour);
        p.setPen(Qt::black);
        p.drawText(QRect(column.left() - 10, base - h - 20, column.width() + 20, 18), Qt::AlignCenter,
            valueText(value));
    }

    BeforeAfterPage& page_;
};

BeforeAfterPage::BeforeAfterPage(QWidget* parent)
    : QWidget(parent)
    , sbAAvant_(new QPushButton(this))
    , sbAApres_(new QPushButton(this))
    , LabelFileAvant_(new QLabel(this))
    , LabelFileApres_(new QLabel(this))
    , bars_(new Bars(*this))
    , CheckIcons_(new QCheckBox(this))
    , CheckSpectrum_(new QCheckBox(this))
    , captionSpectrogram1_(new QLabel(this))
    , captionSpectrogram2_(new QLabel(this))
    , ImageSpectrogram1_(new QLabel(this))
    , ImageSpectrogram2_(new QLabel(this))
{
    sbAAvant_->setObjectName("sbAAvant");
    sbAApres_->setObjectName("sbAApres");
    LabelFileAvant_->setObjectName("LabelFileAvant");
    LabelFileApres_->setObjectName("LabelFileApres");
    CheckIcons_->setObjectName("CheckIcons");
    CheckSpectrum_->setObjectName("CheckSpectrum");
    ImageSpectrogram1_->setObjectName("ImageSpectrogram1");
    ImageSpectrogram2_->setObjectName("ImageSpectrogram2");
    CheckIcons_->setChecked(true);
    CheckSpectrum_->setChecked(true);
    for (QLabel* image : {ImageSpectrogram1_, ImageSpectrogram2_}) {
        image->setMinimumSize(260, 110);
        image->setScaledContents(true);
        image->setFrameShape(QFrame::StyledPanel);
    }
    LabelFileAvant_->setStyleSheet("color: rgb(0, 0, 128);");
    LabelFileApres_->setStyleSheet("color: rgb(160, 40, 0);");

    auto* grid = new QGridLayout(this);
    grid->addWidget(sbAAvant_, 0, 0);
    grid->addWidget(LabelFileAvant_, 0, 1);
    grid->addWidget(sbAApres_, 1, 0);
    grid->addWidget(LabelFileApres_, 1, 1);
    // The bars have fixed pixel heights: the panel keeps its height.
    bars_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(bars_, 2, 0, 1, 2, Qt::AlignTop);
    auto* checks = new QHBoxLayout;
    checks->addWidget(CheckIcons_);
    checks->addWidget(CheckSpectrum_);
    checks->addStretch();
    grid->addLayout(checks, 3, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(captionSpectrogram1_, 0, 2);
    grid->addWidget(ImageSpectrogram1_, 1, 2, 2, 1);
    grid->addWidget(captionSpectrogram2_, 3, 2);
    grid->addWidget(ImageSpectrogram2_, 4, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    grid->setRowStretch(4, 1);
    connect(CheckIcons_, &QCheckBox::clicked, this, [this] { CheckIconsClick(); });
    connect(CheckSpectrum_, &QCheckBox::clicked, this, [this] { CheckSpectrumClick(); });
}

void BeforeAfterPage::setLanguage(Language language)
{
    language_ = language;
    sbAAvant_->setText(QString::fromUtf8(TriText {"/a/ avant", "/a/ before", "/a/ antes"}.in(language)));
    sbAApres_->setText(QString::fromUtf8(TriText {"/a/ après", "/a/ after", "/a/ después"}.in(language)));
    CheckIcons_->setText(QString::fromUtf8(TriText {"Ajouter les icônes", "Add the icons", "Añadir los iconos"}.in(language)));
    CheckSpectrum_->setText(QString::fromUtf8(
        TriText {"Ajouter les spectrogrammes", "Add the spectrograms", "Añadir los espectrogramas"}.in(language)));
    bars_->update();
}

void BeforeAfterPage::clear()
{
    before_ = {};
    after_ = {};
    LabelFileAvant_->clear();
    LabelFileApres_->clear();
    captionSpectrogram1_->clear();
    captionSpectrogram2_->clear();
    ImageSpectrogram1_->clear();
    ImageSpectrogram2_->clear();
    bars_->update();
}

void BeforeAfterPage::showRecording(bool before, const IndicatorRecording& recording, const QString& date,
    const QImage& spectrogram)
{
    (before ? before_ : after_) = recording;
    const QString name = QString::fromStdString(recording.fileName);
    (before ? LabelFileAvant_ : LabelFileApres_)->setText(name + " (" + date + ")");
    const char* caption = TriText {"Spectrogramme de ", "Spectrogram of ", "Espectrograma de "}.in(language_);
    (before ? captionSpectrogram1_ : captionSpectrogram2_)->setText(QString::fromUtf8(caption) + name);
    (before ? ImageSpectrogram1_ : ImageSpectrogram2_)->setPixmap(QPixmap::fromImage(spectrogram));
    bars_->update();
}

void BeforeAfterPage::CheckIconsClick()
{
    bars_->showNames = CheckIcons_->isChecked();
    bars_->update();
}

void BeforeAfterPage::CheckSpectrumClick()
{
    const bool shown = CheckSpectrum_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*> {captionSpectrogram1_, captionSpectrogram2_,
             ImageSpectrogram1_, ImageSpectrogram2_})
        w->setVisible(shown);
}

void BeforeAfterPage::setChooseActions(std::function<void()> before, std::function<void()> after)
{
    connect(sbAAvant_, &QPushButton::clicked, this, std::move(before));
    connect(sbAApres_, &QPushButton::clicked, this, std::move(after));
}

QImage recordingSpectrogram(const AnalysisState& state, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qColour(kColorWhiteBackground));
    const int frames = state.energyFrameCount;
    if (frames < 1)
        return image;
    // Each pixel shows the frame of its column and the bin of its row, so
    // every frame is a column of equal width and every bin a cell.
    const LevelScale scale(kSpectrogramGain);
    for (int x = 0; x < width; ++x) {
        const int frame = 1 + x * frames / width;
        for (int y = 0; y < height; ++y) {
            const int bin = 1 + (height - 1 - y) * kSpectrogramBins / height;
            const int level = scale.level(state.energyTable[frame][bin]);
            image.setPixelColor(x, y, level == 0 ? qColour(kColorWhiteBackground) : qColour(paletteColor(true, level)));
        }
    }
    return image;
}

} // namespace tiravel
