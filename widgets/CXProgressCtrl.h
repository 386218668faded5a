#pragma once
// Threshold bar: a bar coloured by its lower and upper markers, with the
// marker lines drawn over it.
#include "ProgressLogic.h"

#include <QPixmap>
#include <QWidget>

class CXProgressCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CXProgressCtrl(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum, double factor = 1.0);
    void SetPos(int value);
    // 0 means the marker is not set.
    void SetMarkers(int upper, int lower);

    int GetPos() const { return m_model.pos(); }
    const relvo7::widgets::ProgressModel& Model() const { return m_model; }
    const relvo7::widgets::ProgressColours& Colours() const { return m_colours; }

    QSize sizeHint() const override { return QSize(160, 16); }
    QSize minimumSizeHint() const override { return QSize(20, 8); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void changed();
    void followWidth();
    void redraw();

    relvo7::widgets::ProgressModel m_model;
    relvo7::widgets::ProgressColours m_colours;
    QPixmap m_surface;
    bool m_dirty = true;
};
