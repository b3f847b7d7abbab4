#include "app/qt/WhatIfChart.h"

#include "app/AppTexts.h"
#include "ui/qt/QtText.h"

#include <algorithm>
#include <cmath>

#include <QAreaSeries>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>

namespace qntcalc {

namespace {

// Lines are thinned for at least this many pixel columns, also before the
// chart has its size.
constexpr int kFewestColumns = 200;

QLineSeries* NewLine(QChart* chart, std::string_view name, const QColor& colour,
                     Qt::PenStyle style = Qt::SolidLine, qreal width = 2.0) {
    auto* line = new QLineSeries(chart);
    line->setName(ToQString(name));
    QPen pen(colour);
    pen.setWidthF(width);
    pen.setStyle(style);
    line->setPen(pen);
    return line;
}

QAreaSeries* NewBands(QChart* chart, std::string_view name, const QColor& colour) {
    auto* area = new QAreaSeries(new QLineSeries(chart), new QLineSeries(chart));
    area->setParent(chart);
    area->setName(ToQString(name));
    area->setBrush(colour);
    area->setPen(Qt::NoPen);
    return area;
}

// Bands span the hidden axis from 0 to 1, the whole height of the plot.
void ShowBands(QAreaSeries* area, const std::vector<Band>& bands) {
    QList<QPointF> upper;
    for (const Band& band : bands)
        upper << QPointF(band.from, 0) << QPointF(band.from, 1) << QPointF(band.to, 1)
              << QPointF(band.to, 0);
    QList<QPointF> lower;
    if (!bands.empty())
        lower << QPointF(bands.front().from, 0) << QPointF(bands.back().to, 0);
    area->upperSeries()->replace(upper);
    area->lowerSeries()->replace(lower);
}

void ShowLevel(QLineSeries* line, std::optional<int32_t> level, double left, double right) {
    if (level)
        line->replace({QPointF(left, *level), QPointF(right, *level)});
    else
        line->clear();
}

// 1, 2 or 5 times a power of ten, so that about `ticks` ticks fill `span`.
double RoundStep(double span, int ticks) {
    const double raw = std::max(span / ticks, 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * magnitude)
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

QList<QPointF> ToQPoints(const std::vector<ChartPoint>& line) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(line.size()));
    for (const ChartPoint& p : line)
        points << QPointF(p.x, p.y);
    return points;
}

// Never a small interval over a wide range, not even for a moment: that
// could mean thousands of ticks.
void SetTicks(QValueAxis* axis, double low, double high, double interval) {
    if (interval > axis->tickInterval()) {
        axis->setTickInterval(interval);
        axis->setRange(low, high);
    } else {
        axis->setRange(low, high);
        axis->setTickInterval(interval);
    }
}

// From 0 to a round number a little above `top`, ticked at round steps.
void ShowScale(QValueAxis* axis, double top) {
    const double step = RoundStep(top * 1.1, 6);
    axis->setTickAnchor(0);
    SetTicks(axis, 0, std::ceil(top * 1.1 / step) * step, step);
}

} // namespace

WhatIfChart::WhatIfChart(const WhatIfForm& form, QWidget* parent)
    : QChartView(new QChart, parent), form_(form) {
    chart_ = chart();
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(4, 4, 4, 4));

    valueAxis_ = new QValueAxis(chart_);
    valueAxis_->setLabelFormat(QStringLiteral("%.0f"));
    valueAxis_->setTickType(QValueAxis::TicksDynamic);
    valueAxis_->setTickAnchor(0);
    timeAxis_ = new QValueAxis(chart_);
    timeAxis_->setTitleText(ToQString(texts::kWhatIfTimeAxis));
    timeAxis_->setLabelFormat(QStringLiteral("%.0f"));
    timeAxis_->setTickType(QValueAxis::TicksDynamic);
    rateAxis_ = new QValueAxis(chart_);
    rateAxis_->setTitleText(ToQString(texts::kWhatIfRateAxis));
    rateAxis_->setLabelFormat(QStringLiteral("%.0f"));
    rateAxis_->setTickType(QValueAxis::TicksDynamic);
    rateAxis_->setGridLineVisible(false);
    bandAxis_ = new QValueAxis(chart_);
    bandAxis_->setRange(0, 1);
    bandAxis_->setVisible(false);
    chart_->addAxis(valueAxis_, Qt::AlignBottom);
    chart_->addAxis(timeAxis_, Qt::AlignLeft);
    chart_->addAxis(rateAxis_, Qt::AlignRight);
    chart_->addAxis(bandAxis_, Qt::AlignRight);

    // Bands first, so that every line is drawn over them.
    failingBands_ = NewBands(chart_, texts::kWhatIfFailing, QColor(255, 0, 0, 45));
    refusedBands_ = NewBands(chart_, texts::kWhatIfRefusedBand, QColor(110, 110, 110, 60));
    const QColor etoColour(46, 139, 87);
    const QColor ctoColour(142, 68, 173);
    rmaxLine_ = NewLine(chart_, texts::kWhatIfRmax, QColor(31, 78, 156), Qt::SolidLine, 2.5);
    alarmLine_ = NewLine(chart_, texts::kWhatIfAlarm, QColor(224, 123, 0));
    etoLine_ = NewLine(chart_, texts::kWhatIfEto, etoColour);
    ctoLine_ = NewLine(chart_, texts::kWhatIfCto, ctoColour);
    rateLine_ = NewLine(chart_, texts::kWhatIfRate, QColor(90, 90, 90), Qt::SolidLine, 1.5);
    currentLine_ = NewLine(chart_, texts::kWhatIfCurrent, Qt::black, Qt::DashLine, 1.5);
    requiredRmaxLine_ = NewLine(chart_, texts::kWhatIfRequired, QColor(208, 0, 0), Qt::DashLine);
    requiredEtoLine_ = NewLine(chart_, {}, etoColour, Qt::DotLine);
    requiredCtoLine_ = NewLine(chart_, {}, ctoColour, Qt::DotLine);

    const auto add = [this](QAbstractSeries* series, QValueAxis* vertical) {
        chart_->addSeries(series);
        series->attachAxis(valueAxis_);
        series->attachAxis(vertical);
    };
    add(failingBands_, bandAxis_);
    add(refusedBands_, bandAxis_);
    for (QLineSeries* line : {rmaxLine_, alarmLine_, etoLine_, ctoLine_, requiredRmaxLine_,
                              requiredEtoLine_, requiredCtoLine_})
        add(line, timeAxis_);
    add(rateLine_, rateAxis_);
    add(currentLine_, bandAxis_);
    for (QLineSeries* unnamed : {requiredEtoLine_, requiredCtoLine_})
        chart_->legend()->markers(unnamed).constFirst()->setVisible(false);

    // A wider plot than the lines were thinned for gets them again.
    connect(
        chart_, &QChart::plotAreaChanged, this,
        [this](const QRectF& area) {
            if (form_.Shown() && area.width() > lineColumns_)
                Draw();
        },
        Qt::QueuedConnection);

    setObjectName(QStringLiteral("WhatIfChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(560, 320);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
}

void WhatIfChart::Draw() {
    const WhatIfAnswer* shown = form_.Shown();
    const WhatIfInput* input = form_.ShownInput();
    if (!shown || !input) {
        for (QLineSeries* line : chart_->findChildren<QLineSeries*>())
            line->clear();
        return;
    }
    // Thousands of values share the plot's few hundred pixel columns.
    lineColumns_ =
        std::max(kFewestColumns, static_cast<int>(std::ceil(chart_->plotArea().width())));
    const std::span<const WhatIfPoint> points = shown->points;
    rmaxLine_->replace(ToQPoints(TimeLine(points, &CalcState::Rmax, lineColumns_)));
    alarmLine_->replace(ToQPoints(TimeLine(points, &CalcState::Alarm, lineColumns_)));
    etoLine_->replace(ToQPoints(TimeLine(points, &CalcState::ETO, lineColumns_)));
    ctoLine_->replace(ToQPoints(TimeLine(points, &CalcState::CTO, lineColumns_)));
    const std::vector<ChartPoint> steps = RateStepLine(points);
    rateLine_->replace(ToQPoints(steps));
    double fastest = 20;
    for (const ChartPoint& step : steps)
        fastest = std::max(fastest, step.y);
    ShowBands(failingBands_, Bands(shown->points, PointKind::Failing));
    ShowBands(refusedBands_, Bands(shown->points, PointKind::Refused));
    for (QAreaSeries* bands : {failingBands_, refusedBands_})
        chart_->legend()->markers(bands).constFirst()->setVisible(bands->upperSeries()->count() >
                                                                  0);

    const double left = shown->range.from - 0.5;
    const double right = shown->range.to + 0.5;
    valueAxis_->setTitleText(ToQString(input->label) + ToQString(UnitTag(input->unit)));
    SetTicks(valueAxis_, left, right, RoundStep(right - left, 10));
    ShowScale(timeAxis_, TimeAxisTop(shown->points, form_.Required()));
    ShowScale(rateAxis_, fastest);
    currentLine_->replace({QPointF(shown->current, 0), QPointF(shown->current, 1)});

    const Requirements& required = form_.Required();
    ShowLevel(requiredRmaxLine_, required.rmaxMs, left, right);
    ShowLevel(requiredEtoLine_, required.etoMs, left, right);
    ShowLevel(requiredCtoLine_, required.ctoMs, left, right);
}

bool WhatIfChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport()) {
        if (event->type() == QEvent::MouseMove)
            Hover(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            emit pointed({});
    }
    return QChartView::eventFilter(watched, event);
}

void WhatIfChart::Hover(const QPoint& at) {
    const QPointF inChart = chart_->mapFromScene(mapToScene(at));
    const WhatIfInput* input = form_.ShownInput();
    const WhatIfPoint* point = nullptr;
    if (input && chart_->plotArea().contains(inChart))
        point = form_.PointAt(chart_->mapToValue(inChart, rmaxLine_).x());
    if (!point) {
        emit pointed({});
        QToolTip::hideText();
        return;
    }
    const QString text = ToQString(PointSummary(*input, *point));
    emit pointed(text);
    QToolTip::showText(viewport()->mapToGlobal(at), text, viewport());
}

} // namespace qntcalc
