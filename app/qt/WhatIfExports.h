#pragma once

#include "app/WhatIfForm.h"
#include "ui/Globals.h"
#include "ui/Platform.h"

#include <optional>
#include <string_view>

#include <QString>

class QByteArray;
class QChartView;
class QWidget;

namespace qntcalc {

// The What-if window's three exports: the chart as a PNG or SVG picture,
// the shown points as CSV. Each asks for a file, writes it atomically and
// reports a failure over `window`.
class WhatIfExports {
public:
    // Everything must outlive this.
    WhatIfExports(QWidget& window, QChartView& view, const WhatIfForm& form,
                  const Globals& globals, MessageBoxes& messages, FileDialogs& dialogs);

    void Png();
    // `description` goes into the picture.
    void Svg(const QString& description);
    void Csv();

private:
    // The chosen file with `extension` when it has none, or nothing.
    std::optional<QString> ChooseFile(std::string_view filter, const QString& extension);
    // Reports a failure, also a picture that could not be drawn.
    void Write(const QString& path, const QByteArray& bytes, bool drawn);

    QWidget& window_;
    QChartView& view_;
    const WhatIfForm& form_;
    const Globals& globals_;
    MessageBoxes& messages_;
    FileDialogs& dialogs_;
};

} // namespace qntcalc
