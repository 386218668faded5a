#pragma once
// Report-style list with a header, grid lines and full-row selection. Rows carry
// an item number (their data) by which callers find them again.
#include <QColor>
#include <QTableWidget>
#include <QVector>

class CXListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CXListCtrl(QWidget* parent = nullptr);

    // Appends (or inserts at `column`) a column with its heading, alignment and width.
    void InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width);
    // Inserts a row at `row` (clipped to the row count) with the first column's text; returns its index.
    int InsertItem(int row, const QString& text, qintptr data = 0);
    void SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    void SetItemData(int row, qintptr data);
    qintptr GetItemData(int row) const;
    // Row holding `data`, or -1.
    int FindItemData(qintptr data) const;
    void DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    // Background, and text colour of every row.
    void SetColors(const QColor& background, const QColor& text);

protected:
    QTableWidgetItem* cell(int row, int column);

private:
    QVector<Qt::Alignment> m_alignments;
};
