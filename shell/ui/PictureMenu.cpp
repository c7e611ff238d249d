#include "PictureMenu.h"

#include "MenuGrid.h"
#include "MenuPicture.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

constexpr int kLabelDesignHeight = 30;
constexpr int kLabelDesignPixelSize = 17;
constexpr int kButtonDesignPixelSize = 16;
constexpr int kSmallestPixelSize = 7;

} // namespace

PictureMenu::PictureMenu(Program& program, const char* name, QColor backgroundTop, QColor backgroundBottom)
    : TiravelWindow(program, name)
    , backgroundTop_(backgroundTop)
    , backgroundBottom_(backgroundBottom)
{
    resize(MenuGrid::kDesignWidth, MenuGrid::kDesignHeight);
    setWindowState(Qt::WindowMaximized);
}

MenuPicture* PictureMenu::picture(const QString& name) const
{
    const Entry* e = entry(name);
    return e != nullptr ? e->picture : nullptr;
}

MenuPicture& PictureMenu::addEntry(
    const char* imageName, MenuPictureKind kind, QRect design, const char* labelName, QPoint labelAt)
{
    auto* image = new MenuPicture(kind, this);
    image->setObjectName(QString::fromLatin1(imageName));
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    // Clicks on the label go to the picture under it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    const int labelWidth = std::max(0, 2 * (design.left() + design.width() / 2 - labelAt.x()));
    entries_.push_back({image, label, design, QRect(labelAt, QSize(labelWidth, kLabelDesignHeight))});
    return *image;
}

QLabel& PictureMenu::addText(const char* name, QRect design, int designPixelSize, bool bold)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #1b264f; background: transparent;"));
    texts_.push_back({label, design, designPixelSize});
    return *label;
}

QPushButton& PictureMenu::addButton(const char* name, QRect design)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    texts_.push_back({button, design, kButtonDesignPixelSize});
    return *button;
}

void PictureMenu::setEntryTexts(const char* imageName, const QString& label, const QString& hint)
{
    const Entry* e = entry(QString::fromLatin1(imageName));
    if (e == nullptr)
        return;
    e->label->setText(label);
    e->picture->setToolTip(hint);
}

void PictureMenu::layoutControls()
{
    const MenuGrid grid(size());
    // The entry labels share one size: the largest at which all of them fit.
    int labelPixelSize = scaledPixelSize(kLabelDesignPixelSize);
    for (const Entry& e : entries_) {
        e.picture->setGeometry(grid.scale(e.design));
        e.label->setGeometry(grid.scale(e.labelDesign));
        e.label->raise();
        labelPixelSize = std::min(labelPixelSize, fittingPixelSize(*e.label, labelPixelSize));
    }
    for (const Entry& e : entries_)
        setPixelSize(*e.label, labelPixelSize);
    for (const Text& t : texts_) {
        t.widget->setGeometry(grid.scale(t.design));
        if (auto* label = qobject_cast<QLabel*>(t.widget)) {
            fitText(*label, scaledPixelSize(t.designPixelSize));
        } else {
            setPixelSize(*t.widget, scaledPixelSize(t.designPixelSize));
        }
    }
}

void PictureMenu::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paintBackground(painter);
}

void PictureMenu::paintBackground(QPainter& painter)
{
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, backgroundTop_);
    gradient.setColorAt(1, backgroundBottom_);
    painter.fillRect(rect(), gradient);
}

const PictureMenu::Entry* PictureMenu::entry(const QString& name) const
{
    for (const Entry& e : entries_) {
        if (e.picture->objectName() == name)
            return &e;
    }
    return nullptr;
}

int PictureMenu::scaledPixelSize(int designPixelSize) const
{
    return static_cast<int>(std::lround(designPixelSize * MenuGrid(size()).verticalFactor()));
}

// The largest font size up to pixelSize at which the label's text fits its
// width.
int PictureMenu::fittingPixelSize(const QLabel& label, int pixelSize)
{
    QFont font = label.font();
    int size = std::max(pixelSize, kSmallestPixelSize);
    for (; size > kSmallestPixelSize && label.width() > 0; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(label.text()) <= label.width())
            break;
    }
    return size;
}

void PictureMenu::fitText(QLabel& label, int pixelSize)
{
    setPixelSize(label, fittingPixelSize(label, pixelSize));
}

void PictureMenu::setPixelSize(QWidget& widget, int pixelSize)
{
    QFont font = widget.font();
    font.setPixelSize(std::max(kSmallestPixelSize, pixelSize));
    widget.setFont(font);
}

} // namespace tiravel
