#pragma once

#include "whatif/LimitsForm.h"

#include <optional>

#include <QTableWidget>

namespace qntcalc {

// A thin view of LimitsForm: the overview as a table, one row per input,
// tightest first; rows whose current value fails stand out. Choosing a row
// (click or Enter) emits `chosen` with its input. The charted input's row is
// the selected one, wherever a new order puts it. A row's context menu
// offers its meeting values to take over into the main window (`useValue`)
// and the mark that keeps its input as it is (`keep`).
class LimitsView : public QTableWidget {
    Q_OBJECT
public:
    // `form` must outlive the view.
    explicit LimitsView(LimitsForm& form, QWidget* parent = nullptr);

    // Shows the form's overview anew.
    void Show();
    // Long without the answer to a change: the rows are greyed and the
    // view says "Updating…" until the answer comes.
    void SetUpdating(bool updating);
    // None: no row is selected.
    void SetCharted(std::optional<Field> field);
    // The input of a row.
    Field FieldOf(int row) const;

signals:
    void chosen(Field field);
    void useValue(Field field, int value);
    void keep(Field field, bool kept);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Colour();
    void SelectCharted();
    void ShowRowMenu(const QPoint& at);

    LimitsForm& form_;
};

} // namespace qntcalc
