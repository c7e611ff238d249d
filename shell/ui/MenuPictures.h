#pragma once

#include "MenuPictureKind.h"

#include <QRectF>

class QPainter;

namespace tiravel {

// Draws the picture of a menu entry into area: a rounded card with the
// tool's symbol and, along its bottom, a band in the colour of the menu the
// tool belongs to, where the menu places the entry's label.
void paintMenuPicture(QPainter& painter, const QRectF& area, MenuPictureKind kind, bool highlighted);


} // namespace tiravel
