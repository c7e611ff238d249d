#pragma once

#include "MenuPictureKind.h"
#include "TiravelWindow.h"

#include <QColor>
#include <QPoint>
#include <QRect>

#include <vector>

class QLabel;
class QPushButton;

namespace tiravel {

class MenuPicture;

// A full-screen menu of pictures with a label under each, laid out on the
// 1024 x 768 design grid and scaled to the client area on every resize.
class PictureMenu : public TiravelWindow {
public:
    PictureMenu(Program& program, const char* name, QColor backgroundTop, QColor backgroundBottom);

    // The picture of an entry, by its name ("ImageHelp"); null when none.
    MenuPicture* picture(const QString& name) const;

protected:
    // One entry: its picture at design (left, top, width, height) and its
    // label from labelAt, centred under the picture.
    MenuPicture& addEntry(const char* imageName, MenuPictureKind kind, QRect design, const char* labelName,
        QPoint labelAt);
    // A free text of the menu (title, version) in a design rectangle; its
    // font shrinks when the text would not fit.
    QLabel& addText(const char* name, QRect design, int designPixelSize, bool bold);
    // A small button at a design rectangle.
    QPushButton& addButton(const char* name, QRect design);

    // The label and the hint of an entry; the texts are fitted to their
    // places by the next layout.
    void setEntryTexts(const char* imageName, const QString& label, const QString& hint);

    void layoutControls() override;
    void paintEvent(QPaintEvent* event) override;
    // The menu's background, drawn under everything else.
    virtual void paintBackground(QPainter& painter);

private:
    struct Entry {
        MenuPicture* picture;
        QLabel* label;
        QRect design;
        QRect labelDesign;
    };
    struct Text {
        QWidget* widget;
        QRect design;
        int designPixelSize;
    };

    const Entry* entry(const QString& name) const;
    int scaledPixelSize(int designPixelSize) const;
    static int fittingPixelSize(const QLabel& label, int pixelSize);
    static void fitText(QLabel& label, int pixelSize);
    static void setPixelSize(QWidget& widget, int pixelSize);

    QColor backgroundTop_;
    QColor backgroundBottom_;
    std::vector<Entry> entries_;
    std::vector<Text> texts_;
};

} // namespace tiravel
