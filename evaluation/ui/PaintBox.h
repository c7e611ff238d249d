#pragma once

#include <QImage>
#include <QWidget>

namespace tiravel {

// A paint box: a widget that shows its back buffer, an image of its own size
// that the screen draws into. Drawing never paints the widget directly; the
// drawer calls update() for what it changed. The owner resizes the buffer
// (syncImageSize) when it lays the box out, and redraws it then. Mouse
// events are passed on as signals in box coordinates.
class PaintBox final : public QWidget {
    Q_OBJECT

public:
    PaintBox(QWidget* parent, const char* name, QRgb fill = qRgb(255, 255, 255));

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    // Resizes the back buffer to the box (only when its size changed), the
    // new image filled with the fill colour. True when it was resized.
    bool syncImageSize();
    // Fixes the box and its buffer to a size.
    void setBoxSize(int width, int height);

signals:
    void mouseDown(int x, int y);
    void mouseMoved(int x, int y);
    void mouseUp(int x, int y);
    void doubleClicked(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QRgb fill_;
};

} // namespace tiravel
