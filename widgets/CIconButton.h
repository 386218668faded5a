#pragma once
// Owner-drawn picture button: normal, hover (picture lifts), pressed (picture sinks,
// optional pressed picture) and disabled (greyed) looks, own cursor and tooltip.
#include "IconButtonLogic.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

class CIconButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CIconButton(QWidget* parent = nullptr);

    // Pictures by resource number; pressedId 0 means the normal picture is used when pressed.
    void SetIcon(int id, int width, int height, int pressedId = 0, int pressedWidth = 0, int pressedHeight = 0);
    void SetIconPaths(const QString& path, QSize size, const QString& pressedPath = {}, QSize pressedSize = {});
    void SetBkColor(const QColor& colour);
    void SetButtonCursor(const QCursor& cursor);
    // An inactive tooltip stays silent.
    void SetTooltip(const QString& text, bool active = true);

    bool IsPressed() const { return m_model.pressed(); }
    bool IsHover() const { return m_model.hover(); }
    QColor GetBkColor() const { return m_background; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void loadPictures();
    void changed(bool stateChanged);

    relvo7::widgets::IconButtonModel m_model;
    QColor m_background{255, 255, 255};
    QString m_path, m_pressedPath;
    QSize m_size, m_pressedSize;
    QPixmap m_normal, m_pressed, m_disabled;
    qreal m_dpr = 0;
    QString m_tooltip;
    bool m_tooltipActive = false;
};
