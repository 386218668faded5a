// Renders every picture of the program at its own size and enlarged, side by
// side on a light and a dark background, into one PNG for a visual check.
//   icon_sheet out.png [scale] [name filter, e.g. "led_*.svg"]
#include "IconResources.h"
#include "WidgetPaint.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: icon_sheet out.png [scale]\n");
        return 2;
    }
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    relvo7::icons::named("app"); // registers the resources
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("*.svg")});
    QImage sheet(560 + 130 * scale, 6000, QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 230));
    QPainter p(&sheet);
    int y = 4;
    for (const QString& file : files) {
        const QString path = QStringLiteral(":/icons/") + file;
        QSvgRenderer r(path);
        const QSize size = r.defaultSize();
        p.setPen(Qt::black);
        p.drawText(4, y + 14, QStringLiteral("%1  %2x%3").arg(file).arg(size.width()).arg(size.height()));
        p.fillRect(QRect(220, y, size.width() * 2 + 12, size.height() + 8), QColor(60, 64, 68));
        p.drawPixmap(224, y + 4, relvo7::widgets::renderPicture(path, size, 1.0));
        p.drawPixmap(224 + size.width() + 8, y + 4,
                     relvo7::widgets::disabledPicture(relvo7::widgets::renderPicture(path, size, 1.0)));
        p.drawPixmap(500, y + 4, relvo7::widgets::renderPicture(path, size, 1.0));
        const QSize big = size * scale;
        QImage enlarged(big, QImage::Format_ARGB32_Premultiplied);
        enlarged.fill(Qt::transparent);
        {
            QPainter e(&enlarged);
            e.setRenderHint(QPainter::Antialiasing);
            r.render(&e);
        }
        p.drawImage(500 + size.width() + 16, y + 4, enlarged);
        y += std::max(size.height() + 12, big.height() + 8);
        if (y > sheet.height() - 200)
            break;
    }
    p.end();
    sheet.copy(0, 0, sheet.width(), std::min(y + 4, sheet.height())).save(QString::fromLocal8Bit(argv[1]));
    return 0;
}
