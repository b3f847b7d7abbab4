#include "whatif/qt/LimitsView.h"

#include "ui/qt/QtText.h"

#include <algorithm>

#include <QHeaderView>

namespace qntcalc {

namespace {

// The label and the cause read from the left, numbers from the right.
bool Numeric(std::size_t column) {
    return column > 0 && column + 1 < kLimitColumns && column != 2;
}

} // namespace

LimitsView::LimitsView(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("WhatIfLimits"));
    setColumnCount(static_cast<int>(kLimitColumns));
    QStringList headings;
    for (const std::string& heading : LimitsHeadings())
        headings << ToQString(heading);
    setHorizontalHeaderLabels(headings);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
    const auto choose = [this](int row) {
        if (row >= 0 && row < static_cast<int>(fields_.size()))
            emit chosen(fields_[static_cast<std::size_t>(row)]);
    };
    connect(this, &QTableWidget::cellClicked, this, [choose](int row, int) { choose(row); });
    connect(this, &QTableWidget::cellActivated, this, [choose](int row, int) { choose(row); });
}

void LimitsView::Show(const std::vector<InputLimit>& limits, const Requirements& required) {
    setRowCount(static_cast<int>(limits.size()));
    fields_.clear();
    for (std::size_t row = 0; row < limits.size(); ++row) {
        const InputLimit& limit = limits[row];
        fields_.push_back(limit.input->field);
        const auto cells = LimitCells(limit, required);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(ToQString(cells[column]));
            if (Numeric(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!limit.MeetsNow())
                item->setForeground(Qt::red);
            setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
    resizeColumnsToContents();
    // The selection keeps its row numbers, not its input, across a new order.
    SelectCharted();
}

void LimitsView::SetCharted(std::optional<Field> field) {
    charted_ = field;
    SelectCharted();
}

void LimitsView::SelectCharted() {
    const auto row =
        charted_ ? std::find(fields_.begin(), fields_.end(), *charted_) : fields_.end();
    if (row == fields_.end()) {
        clearSelection();
        return;
    }
    selectRow(static_cast<int>(row - fields_.begin()));
}

Field LimitsView::FieldOf(int row) const {
    return fields_.at(static_cast<std::size_t>(row));
}

} // namespace qntcalc
