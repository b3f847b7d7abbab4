#include "whatif/qt/LimitsView.h"

#include "text/Numbers.h"
#include "text/Strings.h"
#include "ui/qt/QtText.h"
#include "whatif/WhatIfTexts.h"

#include <QHeaderView>
#include <QMenu>

namespace qntcalc {

namespace {

// The label, the direction, the nearest meeting value and the cause read
// from the left, numbers from the right.
bool Numeric(std::size_t column) {
    return column > 0 && column + 1 < kLimitColumns && column != 2 &&
           column != kLimitNearestColumn;
}

} // namespace

LimitsView::LimitsView(LimitsForm& form, QWidget* parent) : QTableWidget(parent), form_(form) {
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
        if (row >= 0 && row < rowCount())
            emit chosen(FieldOf(row));
    };
    connect(this, &QTableWidget::cellClicked, this, [choose](int row, int) { choose(row); });
    connect(this, &QTableWidget::cellActivated, this, [choose](int row, int) { choose(row); });
    setToolTip(ToQString(texts::kLimitsRowMenuHint));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRowMenu(at); });
}

void LimitsView::ShowRowMenu(const QPoint& at) {
    const int row = rowAt(at.y());
    if (row < 0 || row >= rowCount())
        return;
    const auto place = static_cast<std::size_t>(row);
    const Field field = FieldOf(row);
    QMenu menu(this);
    const auto offer = [&](std::string_view pattern, std::optional<int32_t> value) {
        if (!value)
            return;
        QAction* use = menu.addAction(
            ToQString(text::Format(pattern, {text::GroupedNumber(*value)})));
        connect(use, &QAction::triggered, this,
                [this, field, v = *value] { emit useValue(field, v); });
    };
    offer(texts::kLimitsUseNearest, form_.NearestMeeting(place));
    offer(texts::kLimitsUseLast, form_.LastMeeting(place));
    if (!menu.isEmpty())
        menu.addSeparator();
    QAction* kept = menu.addAction(ToQString(texts::kLimitsKeepInput));
    kept->setCheckable(true);
    kept->setChecked(form_.Kept(place));
    connect(kept, &QAction::toggled, this, [this, field](bool on) { emit keep(field, on); });
    menu.exec(viewport()->mapToGlobal(at));
}

void LimitsView::Show() {
    setRowCount(static_cast<int>(form_.RowCount()));
    for (std::size_t row = 0; row < form_.RowCount(); ++row) {
        const auto cells = form_.Cells(row);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(ToQString(cells[column]));
            if (Numeric(column))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (form_.Fails(row))
                item->setForeground(Qt::red);
            setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
    resizeColumnsToContents();
    // The selection keeps its row numbers, not its input, across a new order.
    SelectCharted();
}

void LimitsView::SetCharted(std::optional<Field> field) {
    form_.SetCharted(field);
    SelectCharted();
}

void LimitsView::SelectCharted() {
    if (const std::optional<std::size_t> row = form_.HighlightedRow())
        selectRow(static_cast<int>(*row));
    else
        clearSelection();
}

Field LimitsView::FieldOf(int row) const {
    return form_.FieldOf(static_cast<std::size_t>(row));
}

} // namespace qntcalc
