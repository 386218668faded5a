#pragma once
// Colour swatch with an etched edge; the operator can pick a new colour.
#include <QColor>
#include <QWidget>

class CColorRect : public QWidget {
    Q_OBJECT
public:
    explicit CColorRect(QWidget* parent = nullptr);

    void SetColor(const QColor& colour);
    QColor GetColor() const { return m_colour; }
    // Opens the colour dialog on the current colour; true when a colour was chosen.
    bool PickColor();

    QSize sizeHint() const override { return QSize(40, 20); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour{0, 0, 0};
};
