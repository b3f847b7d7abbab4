#pragma once

#include "whatif/Limits.h"

#include <optional>
#include <vector>

#include <QTableWidget>

namespace qntcalc {

// The limits overview as a table, one row per input, tightest first; rows
// whose current value fails stand out. Choosing a row (click or Enter)
// emits `chosen` with its input. The charted input's row is the selected
// one, wherever a new order puts it.
class LimitsView : public QTableWidget {
    Q_OBJECT
public:
    explicit LimitsView(QWidget* parent = nullptr);

    void Show(const std::vector<InputLimit>& limits, const Requirements& required);
    // None: no row is selected.
    void SetCharted(std::optional<Field> field);
    // The input of a row.
    Field FieldOf(int row) const;

signals:
    void chosen(Field field);

private:
    void SelectCharted();

    std::vector<Field> fields_;
    std::optional<Field> charted_;
};

} // namespace qntcalc
