#include "CColorRect.h"

#include "WidgetPaint.h"

#include <QColorDialog>
#include <QPainter>

CColorRect::CColorRect(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CColorRect::SetColor(const QColor& colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

bool CColorRect::PickColor()
{
    const QColor chosen = QColorDialog::getColor(m_colour, this);
    if (!chosen.isValid())
        return false;
    m_colour = chosen;
    update();
    return true;
}

void CColorRect::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_colour);
    relvo7::widgets::drawEtchedEdge(p, rect());
}
