#pragma once
// Heating strip: a column per 300 ms tick showing the motor's thermal load, with
// the 100 % and 66 % reference lines.
#include "GraphLogic.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>

class CGraph : public QWidget {
    Q_OBJECT
public:
    explicit CGraph(QWidget* parent = nullptr);

    // a: the relay's thermal-model value; returns the heating in percent (0 to 1000).
    int SetLevelValue(std::uint32_t a);
    void ResetLevel();
    void SetRunning(bool on);
    bool IsRunning() const { return m_timer.isActive(); }
    // One scroll step (the 300 ms timer calls it).
    void Tick();

    const relvo7::widgets::HeatingStrip& Strip() const { return m_strip; }

    QSize sizeHint() const override { return QSize(200, 90); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QFont labelFont() const;
    void followSize();

    relvo7::widgets::HeatingStrip m_strip;
    std::uint32_t m_value = 0;
    bool m_levelReset = true;
    QTimer m_timer;
};
