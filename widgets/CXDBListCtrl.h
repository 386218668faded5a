#pragma once
// Database file list: a list whose rows can be ordered by the date in column 1.
#include "CXListCtrl.h"

class CXDBListCtrl : public CXListCtrl {
    Q_OBJECT
public:
    using CXListCtrl::CXListCtrl;

    // Rows ordered by the "day.month.year" text of column 1, newest first; rows
    // without a readable date go last. Each row keeps its item data.
    void SortByDate();
};
