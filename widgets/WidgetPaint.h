#pragma once
// Drawing helpers shared by the widgets.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace relvo7::widgets {

// A sunken, etched frame one pixel inside the rectangle's edge.
void drawEtchedEdge(QPainter& p, const QRect& r);
// Renders an SVG resource at `size` logical pixels for a screen of ratio `dpr`;
// a null pixmap when the picture cannot be read.
QPixmap renderPicture(const QString& path, QSize size, qreal dpr);
// The same picture greyed and flattened for a disabled control.
QPixmap disabledPicture(const QPixmap& source);

} // namespace relvo7::widgets
