#include "whatif/qt/WhatIfChart.h"

#include "text/Numbers.h"
#include "text/Units.h"
#include "ui/qt/QtText.h"
#include "whatif/ChartGeometry.h"
#include "whatif/ChartTexts.h"
#include "whatif/WhatIfTexts.h"

#include <algorithm>
#include <cmath>

#include <QAreaSeries>
#include <QChart>
#include <QFontMetrics>
#include <QLegendMarker>
#include <QLineSeries>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

namespace qntcalc {

namespace {

// Lines are thinned for at least this many pixel columns, also before the
// chart has its size.
constexpr int kFewestColumns = 200;
constexpr double kMarkSize = 9;

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

void ShowScale(QValueAxis* axis, const AxisScale& scale) {
    axis->setTickAnchor(0);
    SetTicks(axis, 0, scale.top, scale.step);
}

QScatterSeries* NewMarks(QChart* chart, const QColor& colour) {
    auto* marks = new QScatterSeries(chart);
    marks->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    marks->setMarkerSize(kMarkSize);
    marks->setColor(colour);
    // Marks one pixel column apart overlap: a white border would wash a row
    // of them out to a pale hatching.
    marks->setBorderColor(colour);
    return marks;
}

// Qt's own printf: thousands grouped with commas as in every text of the
// program ("5,000"), whatever the locale.
const QString kWholeNumbers = QStringLiteral("%'.0f");

constexpr int32_t CalcState::*kTimes[] = {&CalcState::Rmax, &CalcState::Alarm, &CalcState::ETO,
                                           &CalcState::CTO};

} // namespace

WhatIfChart::WhatIfChart(const WhatIfForm& form, QWidget* parent)
    : QChartView(new QChart, parent), form_(form) {
    chart_ = chart();
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(4, 4, 4, 4));

    valueAxis_ = new QValueAxis(chart_);
    valueAxis_->setLabelFormat(kWholeNumbers);
    valueAxis_->setTickType(QValueAxis::TicksDynamic);
    valueAxis_->setTickAnchor(0);
    timeAxis_ = new QValueAxis(chart_);
    timeAxis_->setTitleText(ToQString(std::string(texts::kWhatIfTime) + UnitTag(InputUnit::Milliseconds)));
    timeAxis_->setLabelFormat(kWholeNumbers);
    timeAxis_->setTickType(QValueAxis::TicksDynamic);
    rateAxis_ = new QValueAxis(chart_);
    rateAxis_->setTitleText(ToQString(std::string(texts::kWhatIfRate) + UnitTag(InputUnit::KBitsPerSecond)));
    rateAxis_->setLabelFormat(kWholeNumbers);
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
    const QColor rmaxColour(31, 78, 156);
    const QColor alarmColour(224, 123, 0);
    const QColor etoColour(46, 139, 87);
    const QColor ctoColour(142, 68, 173);
    rmaxLine_ = NewLine(chart_, texts::kWhatIfRmax, rmaxColour, Qt::SolidLine, 3.5);
    alarmLine_ = NewLine(chart_, texts::kWhatIfAlarm, alarmColour, Qt::SolidLine, 1.5);
    etoLine_ = NewLine(chart_, texts::kWhatIfEto, etoColour);
    ctoLine_ = NewLine(chart_, texts::kWhatIfCto, ctoColour);
    rateLine_ = NewLine(chart_, texts::kWhatIfRate, QColor(90, 90, 90), Qt::SolidLine, 1.5);
    currentLine_ = NewLine(chart_, texts::kWhatIfCurrent, Qt::black, Qt::DashLine, 1.5);
    // Cyan: apart from every other line, the green of ETO above all.
    fixLine_ = NewLine(chart_, texts::kLimitsNearest, QColor(0, 175, 220), Qt::DashDotLine, 2.5);
    pointerLine_ = NewLine(chart_, {}, QColor(60, 60, 60, 160), Qt::SolidLine, 1.0);
    requiredRmaxLine_ = NewLine(chart_, texts::kWhatIfRequired, QColor(208, 0, 0), Qt::DashLine);
    requiredEtoLine_ = NewLine(chart_, {}, etoColour, Qt::DotLine);
    requiredCtoLine_ = NewLine(chart_, {}, ctoColour, Qt::DotLine);
    const QColor markColours[] = {rmaxColour, alarmColour, etoColour, ctoColour};
    for (std::size_t i = 0; i < std::size(above_); ++i)
        above_[i] = NewMarks(chart_, markColours[i]);

    const auto add = [this](QAbstractSeries* series, QValueAxis* vertical) {
        chart_->addSeries(series);
        series->attachAxis(valueAxis_);
        series->attachAxis(vertical);
    };
    // In drawing order: the worst case reaction time last, its line and then
    // its marks, over everything else: the alarm reaction time, a few ms
    // below it, is marked at the same places and would hide it. Marks go
    // over the lines that run along the top edge where they mark.
    add(failingBands_, bandAxis_);
    add(refusedBands_, bandAxis_);
    add(rateLine_, rateAxis_);
    for (QLineSeries* line : {requiredRmaxLine_, requiredEtoLine_, requiredCtoLine_, ctoLine_,
                              etoLine_, alarmLine_})
        add(line, timeAxis_);
    add(currentLine_, bandAxis_);
    add(fixLine_, bandAxis_);
    add(pointerLine_, bandAxis_);
    for (QScatterSeries* marks : {above_[3], above_[2], above_[1]})
        add(marks, timeAxis_);
    add(rmaxLine_, timeAxis_);
    add(above_[0], timeAxis_);
    for (QAbstractSeries* unnamed : std::initializer_list<QAbstractSeries*>{
             requiredEtoLine_, requiredCtoLine_, pointerLine_, above_[0], above_[1], above_[2], above_[3]})
        chart_->legend()->markers(unnamed).constFirst()->setVisible(false);
    // Named only while there is a fix to mark.
    chart_->legend()->markers(fixLine_).constFirst()->setVisible(false);

    // A plot of another size than the one drawn for gets its lines thinned
    // and its marks placed again.
    connect(
        chart_, &QChart::plotAreaChanged, this,
        [this](const QRectF& area) {
            if (form_.Shown() && area.size() != drawnFor_)
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
    drawnFor_ = chart_->plotArea().size();
    const int lineColumns =
        std::max(kFewestColumns, static_cast<int>(std::ceil(drawnFor_.width())));
    const std::span<const WhatIfPoint> points = shown->points;
    const AxisScale timeScale = TimeAxisScale(points, form_.Required());
    QLineSeries* const lines[] = {rmaxLine_, alarmLine_, etoLine_, ctoLine_};
    const double left = shown->range.from - 0.5;
    const double right = shown->range.to + 0.5;
    // Marks just under the edge: the plot leaves out points on it. The plot
    // does not clip them either: those at either end are moved in.
    const double markAt = timeScale.top * (1 - kMarkSize / 2 / std::max(1.0, drawnFor_.height()));
    const double halfMark = kMarkSize / 2 * (right - left) / std::max(1.0, drawnFor_.width());
    for (std::size_t i = 0; i < std::size(kTimes); ++i) {
        lines[i]->replace(
            ToQPoints(UnderTop(TimeLine(points, kTimes[i], lineColumns), timeScale.top)));
        QList<QPointF> marks;
        for (const double x : WithinEnds(AboveTop(points, kTimes[i], timeScale.top, lineColumns),
                                         left, right, halfMark))
            marks << QPointF(x, markAt);
        above_[i]->replace(marks);
    }
    const std::vector<ChartPoint> steps = RateStepLine(points);
    rateLine_->replace(ToQPoints(steps));
    double fastest = 20;
    for (const ChartPoint& step : steps)
        fastest = std::max(fastest, step.y);
    ShowBands(failingBands_, Bands(shown->points, PointKind::Failing));
    ShowBands(refusedBands_, Bands(shown->points, PointKind::Refused));
    bool markersChanged = false;
    const auto showMarker = [this, &markersChanged](QAbstractSeries* series, bool visible) {
        QLegendMarker* marker = chart_->legend()->markers(series).constFirst();
        if (marker->isVisible() != visible) {
            marker->setVisible(visible);
            markersChanged = true;
        }
    };
    for (QAreaSeries* bands : {failingBands_, refusedBands_})
        showMarker(bands, bands->upperSeries()->count() > 0);

    valueAxis_->setTitleText(ToQString(input->subject) + ToQString(UnitTag(input->unit)));
    const QFontMetrics labelMetrics(valueAxis_->labelsFont());
    const int labelWidth =
        std::max(labelMetrics.horizontalAdvance(ToQString(text::GroupedNumber(shown->range.from))),
                 labelMetrics.horizontalAdvance(ToQString(text::GroupedNumber(shown->range.to))));
    // Measured on the view, not the plot: the plot's width moves with the
    // labels, and the labels with it.
    constexpr double kPlotShare = 0.6;
    SetTicks(valueAxis_, left, right,
             RoundStep(right - left, StepsThatFit(kPlotShare * width(), labelWidth, 10)));
    ShowScale(timeAxis_, timeScale);
    ShowScale(rateAxis_, ScaleFor(fastest));
    currentLine_->replace({QPointF(shown->current, 0), QPointF(shown->current, 1)});
    const std::optional<int32_t> fix = form_.ShownFix();
    if (fix)
        fixLine_->replace({QPointF(*fix, 0), QPointF(*fix, 1)});
    else
        fixLine_->clear();
    showMarker(fixLine_, fix.has_value());
    if (markersChanged) {
        // The legend lays a marker shown again out only when shown itself.
        chart_->legend()->hide();
        chart_->legend()->show();
    }

    const Requirements& required = form_.Required();
    const auto judged = [&required](std::optional<int32_t> level) {
        return required.timesJudged ? level : std::nullopt;
    };
    ShowLevel(requiredRmaxLine_, judged(required.rmaxMs), left, right);
    ShowLevel(requiredEtoLine_, judged(required.etoMs), left, right);
    ShowLevel(requiredCtoLine_, judged(required.ctoMs), left, right);
}

bool WhatIfChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport()) {
        if (event->type() == QEvent::MouseMove)
            Hover(static_cast<QMouseEvent*>(event)->position().toPoint());
        // The view would hide the tooltip again, having none of its own.
        else if (event->type() == QEvent::ToolTip) {
            Hover(static_cast<QHelpEvent*>(event)->pos());
            return true;
        }
        else if (event->type() == QEvent::Leave) {
            pointerLine_->clear();
            emit pointed({});
        }
    }
    return QChartView::eventFilter(watched, event);
}

void WhatIfChart::SetPending(bool pending) {
    chart_->setTitle(pending ? ToQString(texts::kWhatIfUpdating) : QString());
    for (QAbstractSeries* series : chart_->series())
        series->setOpacity(pending ? 0.35 : 1.0);
}

void WhatIfChart::Hover(const QPoint& at) {
    const QPointF inChart = chart_->mapFromScene(mapToScene(at));
    const WhatIfInput* input = form_.ShownInput();
    const WhatIfPoint* point = nullptr;
    if (input && chart_->plotArea().contains(inChart))
        point = form_.PointAt(chart_->mapToValue(inChart, rmaxLine_).x());
    if (!point) {
        pointerLine_->clear();
        emit pointed({});
        QToolTip::hideText();
        return;
    }
    pointerLine_->replace({QPointF(point->value, 0), QPointF(point->value, 1)});
    emit pointed(ToQString(PointSummary(*input, *point)));
    QToolTip::showText(viewport()->mapToGlobal(at), ToQString(PointTooltip(*input, *point)),
                       viewport());
}

} // namespace qntcalc
