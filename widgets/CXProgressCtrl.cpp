#include "CXProgressCtrl.h"

#include "WidgetPaint.h"

#include <QPainter>
#include <QResizeEvent>

using relvo7::widgets::Rgb;

namespace {
QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
} // namespace

CXProgressCtrl::CXProgressCtrl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_model.setWidth(width());
}

void CXProgressCtrl::SetRange(int minimum, int maximum, double factor)
{
    followWidth();
    if (m_model.setRange(minimum, maximum, factor))
        changed();
}

void CXProgressCtrl::SetPos(int value)
{
    followWidth();
    if (m_model.setPos(value))
        changed();
}

void CXProgressCtrl::SetMarkers(int upper, int lower)
{
    followWidth();
    if (m_model.setMarkers(upper, lower))
        changed();
}

void CXProgressCtrl::followWidth()
{
    // A hidden window learns its size late; the scale always uses the current width.
    if (m_model.setWidth(width()))
        m_dirty = true;
}

void CXProgressCtrl::changed()
{
    m_dirty = true;
    update();
}

void CXProgressCtrl::resizeEvent(QResizeEvent* event)
{
    m_model.setWidth(event->size().width());
    m_dirty = true;
    QWidget::resizeEvent(event);
}

void CXProgressCtrl::redraw()
{
    const qreal dpr = devicePixelRatioF();
    if (m_surface.size() != size() * dpr || m_surface.devicePixelRatio() != dpr) {
        m_surface = QPixmap(size() * dpr);
        m_surface.setDevicePixelRatio(dpr);
    }
    QPainter p(&m_surface);
    const int h = height();
    p.fillRect(rect(), toQColor(m_colours.background));
    const auto layout = relvo7::widgets::barLayout(m_model, m_colours);
    for (int i = 0; i < layout.count; ++i) {
        const auto& piece = layout.pieces[static_cast<std::size_t>(i)];
        for (int y = 0; y < h; ++y)
            p.fillRect(QRect(piece.left, y, piece.right - piece.left, 1),
                       toQColor(relvo7::widgets::barShade(piece.colour, y, h)));
    }
    if (m_model.lower() != 0)
        p.fillRect(QRect(m_model.lowerPixel(), 0, 1, h), toQColor(m_colours.lowerMarker));
    if (m_model.upper() != 0)
        p.fillRect(QRect(m_model.upperPixel(), 0, 1, h), toQColor(m_colours.upperMarker));
    relvo7::widgets::drawEtchedEdge(p, rect());
    m_dirty = false;
}

void CXProgressCtrl::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    followWidth();
    if (m_dirty || m_surface.devicePixelRatio() != devicePixelRatioF())
        redraw();
    QPainter p(this);
    p.drawPixmap(0, 0, m_surface);
}
