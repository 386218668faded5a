#include "CXLed.h"

#include "IconResources.h"
#include "WidgetPaint.h"

#include <QPainter>

CXLed::CXLed(QWidget* parent) : QWidget(parent)
{
    m_blinkTimer.setInterval(500);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CXLed::BlinkTick);
}

void CXLed::SetIcons(int onId, int onWidth, int onHeight, int offId, int offWidth, int offHeight)
{
    SetIconPaths(relvo7::icons::path(onId), QSize(onWidth, onHeight),
                 offId ? relvo7::icons::path(offId) : QString(), QSize(offWidth, offHeight));
}

void CXLed::SetIconPaths(const QString& onPath, QSize onSize, const QString& offPath, QSize offSize)
{
    m_onPath = onPath;
    m_onSize = onSize;
    m_offPath = offPath;
    m_offSize = offPath.isEmpty() ? QSize() : offSize;
    if (!offPath.isEmpty())
        m_model.setState(false);
    m_dpr = 0; // render again at the next paint
    updateGeometry();
    update();
}

void CXLed::SetState(bool on)
{
    if (m_model.setState(on))
        update();
}

void CXLed::SetBlink(bool on)
{
    const bool changed = m_model.setBlink(on);
    if (on)
        m_blinkTimer.start();
    else
        m_blinkTimer.stop();
    if (changed)
        update();
}

void CXLed::BlinkTick()
{
    if (m_model.tick())
        update();
}

QSize CXLed::sizeHint() const
{
    QSize s = m_onSize.expandedTo(m_offSize);
    return s.isEmpty() ? QSize(16, 16) : s;
}

void CXLed::loadPictures()
{
    m_dpr = devicePixelRatioF();
    m_on = relvo7::widgets::renderPicture(m_onPath, m_onSize, m_dpr);
    m_off = relvo7::widgets::renderPicture(m_offPath, m_offSize, m_dpr);
}

void CXLed::paintEvent(QPaintEvent*)
{
    if (m_dpr != devicePixelRatioF())
        loadPictures();
    const QPixmap& picture = m_model.showsOn() ? m_on : m_off;
    if (picture.isNull())
        return;
    const QSize logical = (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize();
    QPainter p(this);
    p.drawPixmap((width() - logical.width()) / 2, (height() - logical.height()) / 2, picture);
}
