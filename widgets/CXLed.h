#pragma once
// Icon LED: shows its on picture or its off picture, optionally blinking.
#include "LedLogic.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class CXLed : public QWidget {
    Q_OBJECT
public:
    explicit CXLed(QWidget* parent = nullptr);

    // Pictures by resource number; an off picture (offId != 0) also turns the LED off.
    void SetIcons(int onId, int onWidth, int onHeight, int offId = 0, int offWidth = 0, int offHeight = 0);
    // The same by resource path.
    void SetIconPaths(const QString& onPath, QSize onSize, const QString& offPath = {}, QSize offSize = {});
    void SetState(bool on);
    void SetBlink(bool on);

    bool GetState() const { return m_model.state(); }
    bool IsBlinking() const { return m_model.blinking(); }
    // True while the on picture is the one shown.
    bool ShowsOn() const { return m_model.showsOn(); }
    // One blink step (the 500 ms timer calls it).
    void BlinkTick();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadPictures();

    relvo7::widgets::LedModel m_model;
    QString m_onPath, m_offPath;
    QSize m_onSize, m_offSize;
    QPixmap m_on, m_off;
    qreal m_dpr = 0;
    QTimer m_blinkTimer;
};
