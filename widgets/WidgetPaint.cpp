#include "WidgetPaint.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace relvo7::widgets {

void drawEtchedEdge(QPainter& p, const QRect& r)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(r.adjusted(0, 0, -2, -2));
    p.setPen(QColor(255, 255, 255));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.restore();
}

QPixmap renderPicture(const QString& path, QSize size, qreal dpr)
{
    if (path.isEmpty() || size.isEmpty())
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    if (dpr <= 0)
        dpr = 1.0;
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
    }
    image.setDevicePixelRatio(dpr);
    return QPixmap::fromImage(image);
}

QPixmap disabledPicture(const QPixmap& source)
{
    if (source.isNull())
        return source;
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            // Light grey, low contrast: the picture stays recognisable but reads as inactive.
            const int grey = 150 + qGray(c) * 80 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(c) * 3 / 5);
        }
    }
    image.setDevicePixelRatio(source.devicePixelRatio());
    return QPixmap::fromImage(image);
}

} // namespace relvo7::widgets
