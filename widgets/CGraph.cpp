#include "CGraph.h"

#include <QPainter>
#include <QResizeEvent>

CGraph::CGraph(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setInterval(300);
    connect(&m_timer, &QTimer::timeout, this, &CGraph::Tick);
}

QFont CGraph::labelFont() const
{
    QFont f = font();
    f.setPixelSize(10);
    f.setBold(true);
    return f;
}

int CGraph::SetLevelValue(std::uint32_t a)
{
    followSize();
    m_value = a;
    m_levelReset = false;
    return m_strip.setLevelValue(a);
}

void CGraph::ResetLevel()
{
    followSize();
    m_levelReset = true;
    m_strip.resetLevel();
}

void CGraph::SetRunning(bool on)
{
    if (on)
        m_timer.start();
    else
        m_timer.stop();
}

void CGraph::Tick()
{
    followSize();
    m_strip.tick(labelFont());
    update();
}

void CGraph::resizeEvent(QResizeEvent* event)
{
    followSize();
    QWidget::resizeEvent(event);
}

void CGraph::followSize()
{
    // The surfaces follow the window's size (a hidden window gets its resize
    // event late, so every entry point checks); a new size starts a clean strip.
    const QSize s = size();
    if (s.width() != m_strip.width() || s.height() != m_strip.height()) {
        m_strip = relvo7::widgets::HeatingStrip(s.width(), s.height());
        if (m_levelReset)
            m_strip.resetLevel();
        else
            m_strip.setLevelValue(m_value);
        m_strip.compose(labelFont());
    }
}

void CGraph::paintEvent(QPaintEvent*)
{
    followSize();
    if (m_strip.width() <= 0 || m_strip.height() <= 0)
        return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_strip.display());
}
