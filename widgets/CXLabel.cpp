#include "CXLabel.h"

#include <QEvent>
#include <QPainter>

CXLabel::CXLabel(QWidget* parent) : CXLabel(QString(), parent) {}

CXLabel::CXLabel(const QString& text, QWidget* parent)
    : QWidget(parent), m_text(text), m_textColour(palette().color(QPalette::WindowText)),
      m_background(palette().color(QPalette::Button))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CXLabel::SetText(const QString& text)
{
    if (text == m_text)
        return;
    const bool wider = fontMetrics().horizontalAdvance(text) > fontMetrics().horizontalAdvance(m_text);
    m_text = text;
    if (wider)
        updateGeometry();
    update();
}

void CXLabel::SetColors(const QColor& text, const QColor& background)
{
    if (text == m_textColour && background == m_background)
        return;
    m_textColour = text;
    m_background = background;
    update();
}

void CXLabel::SetBold(bool bold)
{
    QFont f = font();
    if (f.bold() == bold)
        return;
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(f);
}

void CXLabel::SetFontSize(int points)
{
    QFont f = font();
    if (points <= 0 || f.pointSize() == points)
        return;
    f.setPointSize(points);
    setFont(f);
}

QSize CXLabel::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return QSize(fm.horizontalAdvance(m_text) + 8, fm.height() + 4);
}

QSize CXLabel::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height());
}

void CXLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void CXLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    p.setPen(m_textColour);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
}
