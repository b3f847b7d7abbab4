#pragma once

#include "ui/Globals.h"
#include "ui/Platform.h"
#include "whatif/WhatIfForm.h"

#include <optional>
#include <string_view>

#include <QRect>
#include <QSize>
#include <QString>

class QByteArray;
class QChart;
class QChartView;
class QPainter;
class QWidget;

namespace qntcalc {

// What an exported chart says around it: the title above, the requirements
// under the title, the headroom sentence under the chart.
struct ChartContext {
    QString title;
    QString requirements;
    QString headroom;
};
ChartContext ContextOf(const WhatIfForm& form, const Globals& globals);

// The size of a picture of a chart `chartSize` big with its context.
QSize PictureSize(const QSize& chartSize, const ChartContext& context);
// Draws the chart with its context on white, filling `target`: for the
// exports and for anything else that prints the chart.
void RenderChart(QPainter& painter, const QRect& target, QChart& chart,
                 const ChartContext& context);

// The What-if window's three exports: the chart as a PNG or SVG picture,
// the shown points as CSV. Each asks for a file, writes it atomically and
// reports a failure over `window`.
class WhatIfExports {
public:
    // Everything must outlive this.
    WhatIfExports(QWidget& window, QChartView& view, const WhatIfForm& form,
                  const Globals& globals, MessageBoxes& messages, FileDialogs& dialogs);

    void Png();
    void Svg();
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
