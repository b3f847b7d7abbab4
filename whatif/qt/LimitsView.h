#pragma once

#include "whatif/Limits.h"

#include <vector>

#include <QTableWidget>

namespace qntcalc {

// The limits overview as a table, one row per input, tightest first; rows
// whose current value fails stand out. Choosing a row (click or Enter)
// emits `chosen` with its input.
class LimitsView : public QTableWidget {
    Q_OBJECT
public:
    explicit LimitsView(QWidget* parent = nullptr);

    void Show(const std::vector<InputLimit>& limits, const Requirements& required);
    // The input of a row.
    Field FieldOf(int row) const;

signals:
    void chosen(Field field);

private:
    std::vector<Field> fields_;
};

} // namespace qntcalc
