#pragma once

#include "whatif/WhatIfForm.h"

#include <QChartView>

class QAreaSeries;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace qntcalc {

// The What-if window's chart of the form's shown answer: the four times and
// the rate over the swept values, the failing and refused values as bands,
// the current value and the requirements as lines, times above the time axis
// as marks on its top edge. Pointing at it draws a line at the pointer and
// lists the values there in a tooltip.
class WhatIfChart : public QChartView {
    Q_OBJECT
public:
    // The form must outlive the chart.
    explicit WhatIfChart(const WhatIfForm& form, QWidget* parent = nullptr);

    // Draws the form's shown answer, or nothing before the first.
    void Draw();
    // Greyed and saying so while the shown answer is out of date.
    void SetPending(bool pending);

signals:
    // The point under the pointer in one line, or empty away from any.
    void pointed(const QString& summary);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Hover(const QPoint& at);

    const WhatIfForm& form_;
    // The plot's size when last drawn.
    QSizeF drawnFor_;

    QChart* chart_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QValueAxis* timeAxis_ = nullptr;
    QValueAxis* rateAxis_ = nullptr;
    QValueAxis* bandAxis_ = nullptr;
    // Drawn last and widest: the line the chart is about.
    QLineSeries* rmaxLine_ = nullptr;
    QLineSeries* alarmLine_ = nullptr;
    QLineSeries* etoLine_ = nullptr;
    QLineSeries* ctoLine_ = nullptr;
    QLineSeries* rateLine_ = nullptr;
    QLineSeries* currentLine_ = nullptr;
    QLineSeries* fixLine_ = nullptr;
    QLineSeries* pointerLine_ = nullptr;
    // Rmax, Alarm, ETO, CTO.
    QScatterSeries* above_[4] = {};
    QLineSeries* requiredRmaxLine_ = nullptr;
    QLineSeries* requiredEtoLine_ = nullptr;
    QLineSeries* requiredCtoLine_ = nullptr;
    QAreaSeries* failingBands_ = nullptr;
    QAreaSeries* refusedBands_ = nullptr;
};

} // namespace qntcalc
