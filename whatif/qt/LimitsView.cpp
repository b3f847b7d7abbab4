#include "whatif/qt/LimitsView.h"

#include "text/Numbers.h"
#include "text/Strings.h"
#include "ui/qt/QtText.h"
#include "whatif/WhatIfTexts.h"

#include <QHeaderView>
#include <QMenu>
#include <QPainter>

namespace qntcalc {

namespace {

// The widest a column but the cause may grow before its text wraps: the
// cause, last, takes the rest of the width.
constexpr int kWidestColumn = 240;

} // namespace

LimitsView::LimitsView(LimitsForm& form, QWidget* parent) : QTableWidget(parent), form_(form) {
    setObjectName(QStringLiteral("WhatIfLimits"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long cause wraps onto as many lines as the width it gets needs.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { resizeRowsToContents(); });
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
    const LimitsColumns columns = form_.Columns();
    const std::vector<std::string> headings = form_.Headings();
    setColumnCount(static_cast<int>(headings.size()));
    QStringList labels;
    for (const std::string& heading : headings)
        labels << ToQString(heading);
    setHorizontalHeaderLabels(labels);
    setRowCount(static_cast<int>(form_.RowCount()));
    for (std::size_t row = 0; row < form_.RowCount(); ++row) {
        const auto cells = form_.Cells(row);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(ToQString(cells[column]));
            item->setTextAlignment(
                (NumericLimitColumn(columns, column) ? Qt::AlignRight : Qt::AlignLeft) |
                Qt::AlignVCenter);
            // A wrapped or cut text reads in full on hover.
            item->setToolTip(item->text());
            setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
    Colour();
    // Every column in view at the window's size: the others as wide as
    // they need up to a limit, the cause the rest, wrapped.
    resizeColumnsToContents();
    for (int column = 0; column + 1 < columnCount(); ++column)
        setColumnWidth(column, std::min(columnWidth(column), kWidestColumn));
    horizontalHeader()->setSectionResizeMode(columnCount() - 1, QHeaderView::Stretch);
    resizeRowsToContents();
    // The selection keeps its row numbers, not its input, across a new order.
    SelectCharted();
}

void LimitsView::SetUpdating(bool updating) {
    form_.SetUpdating(updating);
    Colour();
    viewport()->update();
}

void LimitsView::Colour() {
    const bool stale = form_.Stale();
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < rowCount(); ++row) {
        const bool fails = form_.Fails(static_cast<std::size_t>(row));
        for (int column = 0; column < columnCount(); ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell)
                continue;
            if (stale)
                cell->setForeground(fails ? QColor(255, 150, 150) : grey);
            else if (fails)
                cell->setForeground(Qt::red);
            else
                cell->setForeground(QBrush());
        }
    }
}

// The note sits over the rows, or in place of them before the first answer:
// an empty or old table alone would pass for an answer.
void LimitsView::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    const QString note = ToQString(form_.Note());
    if (note.isEmpty())
        return;
    QPainter painter(viewport());
    QRect box = viewport()->rect().adjusted(8, 8, -8, -8);
    if (rowCount() > 0) {
        const QFontMetrics metrics(font());
        const QRect text = metrics.boundingRect(note).adjusted(-8, -4, 8, 4);
        box = QRect(QPoint(box.right() - text.width(), box.bottom() - text.height()), text.size());
        painter.fillRect(box, palette().color(QPalette::ToolTipBase));
        painter.setPen(palette().color(QPalette::ToolTipText));
    }
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, note);
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
