#include "CIconButton.h"

#include "IconResources.h"
#include "WidgetPaint.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

CIconButton::CIconButton(QWidget* parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void CIconButton::SetIcon(int id, int width, int height, int pressedId, int pressedWidth, int pressedHeight)
{
    SetIconPaths(relvo7::icons::path(id), QSize(width, height),
                 pressedId ? relvo7::icons::path(pressedId) : QString(), QSize(pressedWidth, pressedHeight));
}

void CIconButton::SetIconPaths(const QString& path, QSize size, const QString& pressedPath, QSize pressedSize)
{
    m_path = path;
    m_size = size;
    m_pressedPath = pressedPath;
    m_pressedSize = pressedPath.isEmpty() ? QSize() : pressedSize;
    m_dpr = 0;
    updateGeometry();
    update();
}

void CIconButton::SetBkColor(const QColor& colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    update();
}

void CIconButton::SetButtonCursor(const QCursor& cursor)
{
    setCursor(cursor);
}

void CIconButton::SetTooltip(const QString& text, bool active)
{
    m_tooltip = text;
    m_tooltipActive = active;
    if (!active && QToolTip::isVisible())
        QToolTip::hideText();
}

QSize CIconButton::sizeHint() const
{
    const QSize s = m_size.expandedTo(m_pressedSize);
    return s.isEmpty() ? QSize(32, 32) : s + QSize(4, 4);
}

void CIconButton::loadPictures()
{
    m_dpr = devicePixelRatioF();
    m_normal = relvo7::widgets::renderPicture(m_path, m_size, m_dpr);
    m_pressed = relvo7::widgets::renderPicture(m_pressedPath, m_pressedSize, m_dpr);
    m_disabled = relvo7::widgets::disabledPicture(m_normal);
}

void CIconButton::changed(bool stateChanged)
{
    if (stateChanged)
        update();
}

void CIconButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        changed(m_model.press());
    QAbstractButton::mousePressEvent(event);
}

void CIconButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        changed(m_model.press());
    QAbstractButton::mouseDoubleClickEvent(event);
}

void CIconButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        changed(m_model.release());
    QAbstractButton::mouseReleaseEvent(event);
}

void CIconButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    const bool held = event->buttons() & Qt::LeftButton;
    // Dragged out with the button held: the press is released visually, as the
    // click will not happen there either.
    changed(inside ? m_model.move(held) : m_model.leave());
    QAbstractButton::mouseMoveEvent(event);
}

void CIconButton::leaveEvent(QEvent* event)
{
    changed(m_model.leave());
    QAbstractButton::leaveEvent(event);
}

bool CIconButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_tooltipActive && !m_tooltip.isEmpty())
            QToolTip::showText(help->globalPos(), m_tooltip, this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractButton::event(event);
}

void CIconButton::paintEvent(QPaintEvent*)
{
    if (m_dpr != devicePixelRatioF())
        loadPictures();
    QPainter p(this);
    p.fillRect(rect(), m_background);
    const QPixmap* picture = &m_normal;
    int shift = 0;
    if (!isEnabled()) {
        picture = &m_disabled;
    } else if (m_model.pressed() || isDown()) {
        if (!m_pressed.isNull())
            picture = &m_pressed;
        shift = 1;
    } else {
        shift = m_model.offset();
    }
    if (!picture->isNull()) {
        const QSize logical = (QSizeF(picture->size()) / picture->devicePixelRatio()).toSize();
        p.drawPixmap((width() - logical.width()) / 2 + shift, (height() - logical.height()) / 2 + shift, *picture);
    }
    if (hasFocus()) {
        QPen pen(QColor(60, 60, 60), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
