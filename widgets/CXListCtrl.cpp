#include "CXListCtrl.h"

#include <QHeaderView>

#include <algorithm>

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}

CXListCtrl::CXListCtrl(QWidget* parent) : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

void CXListCtrl::InsertColumn(int column, const QString& heading, Qt::Alignment alignment, int width)
{
    column = std::clamp(column, 0, columnCount());
    insertColumn(column);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(alignment | Qt::AlignVCenter);
    setHorizontalHeaderItem(column, header);
    setColumnWidth(column, width);
    m_alignments.insert(column, alignment);
}

QTableWidgetItem* CXListCtrl::cell(int row, int column)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(m_alignments.value(column, Qt::AlignLeft) | Qt::AlignVCenter);
        setItem(row, column, it);
    }
    return it;
}

int CXListCtrl::InsertItem(int row, const QString& text, qintptr data)
{
    row = std::clamp(row, 0, rowCount());
    insertRow(row);
    if (columnCount() == 0)
        return row;
    cell(row, 0)->setText(text);
    SetItemData(row, data);
    return row;
}

void CXListCtrl::SetItemText(int row, int column, const QString& text)
{
    if (auto* it = cell(row, column); it && it->text() != text)
        it->setText(text);
}

QString CXListCtrl::GetItemText(int row, int column) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void CXListCtrl::SetItemData(int row, qintptr data)
{
    if (auto* it = cell(row, 0))
        it->setData(kDataRole, QVariant::fromValue<qlonglong>(data));
}

qintptr CXListCtrl::GetItemData(int row) const
{
    const QTableWidgetItem* it = item(row, 0);
    return it ? static_cast<qintptr>(it->data(kDataRole).toLongLong()) : 0;
}

int CXListCtrl::FindItemData(qintptr data) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (GetItemData(r) == data)
            return r;
    return -1;
}

void CXListCtrl::DeleteItem(int row)
{
    if (row >= 0 && row < rowCount())
        removeRow(row);
}

void CXListCtrl::DeleteAllItems()
{
    setRowCount(0);
}

void CXListCtrl::SetColors(const QColor& background, const QColor& text)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::AlternateBase, background);
    pal.setColor(QPalette::Text, text);
    setPalette(pal);
}
