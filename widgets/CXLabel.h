#pragma once
// Coloured label: one line of text centred on a filled background.
#include <QColor>
#include <QFont>
#include <QWidget>

class CXLabel : public QWidget {
    Q_OBJECT
public:
    explicit CXLabel(QWidget* parent = nullptr);
    explicit CXLabel(const QString& text, QWidget* parent = nullptr);

    void SetText(const QString& text);
    void SetColors(const QColor& text, const QColor& background);
    void SetBold(bool bold);
    void SetFontSize(int points);

    QString GetText() const { return m_text; }
    QColor GetTextColor() const { return m_textColour; }
    QColor GetBkColor() const { return m_background; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_text;
    QColor m_textColour;
    QColor m_background;
};
