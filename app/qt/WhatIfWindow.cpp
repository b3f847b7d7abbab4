#include "app/qt/WhatIfWindow.h"

#include "app/AppTexts.h"
#include "app/WhatIfCsv.h"
#include "project/FileIo.h"
#include "project/ProjectTexts.h"
#include "ui/HelpTopics.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QApplication>
#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

namespace qntcalc {

namespace {

// Changes that come this close together share one sweep; while typing, the
// chart still follows about thirty times a second.
constexpr int kCoalesceMs = 30;
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
// Lines are thinned for at least this many pixel columns, also before the
// chart has its size.
constexpr int kFewestColumns = 200;

QSpinBox* NewSpinBox(int minimum, int maximum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    // A typed number counts when it is complete, not digit by digit.
    box->setKeyboardTracking(false);
    box->setAccelerated(true);
    return box;
}

QLabel* NewLabel(std::string_view text, QWidget* parent) {
    return new QLabel(Literal(text), parent);
}

QPushButton* NewButton(std::string_view text, QWidget* parent) {
    auto* button = new QPushButton(Literal(text), parent);
    // Enter in a spin box takes its number; it must not press a button.
    button->setAutoDefault(false);
    return button;
}

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

WhatIfWindow::WhatIfWindow(TMasterForm& master, Globals& globals, MessageBoxes& messages,
                           FileDialogs& dialogs, HelpSystem& help, QWidget* parent)
    : QDialog(parent), master_(master), globals_(globals), messages_(messages), dialogs_(dialogs),
      help_(help), wanted_(std::make_shared<std::atomic<uint64_t>>(0)) {
    setObjectName(QStringLiteral("WhatIfWindow"));
    setWindowTitle(ToQString(texts::kWhatIfCaption));
    setModal(false);
    BuildControls();
    resize(900, 600);

    coalesce_.setSingleShot(true);
    coalesce_.setInterval(kCoalesceMs);
    connect(&coalesce_, &QTimer::timeout, this, [this] { StartSweep(); });
    connect(&sweep_, &QFutureWatcher<std::optional<WhatIfAnswer>>::finished, this,
            [this] { SweepDone(); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { help_.ShowTopic(topic::kWhatIf); });

    master_.controls.AddObserver(this);
}

WhatIfWindow::~WhatIfWindow() {
    master_.controls.RemoveObserver(this);
    // The sweep owns copies of all it reads; stopping it is only quicker.
    wanted_->store(0);
    sweep_.waitForFinished();
}

void WhatIfWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* question = new QHBoxLayout;
    question->addWidget(NewLabel(texts::kWhatIfInput, this));
    input_ = new QComboBox(this);
    input_->setObjectName(QStringLiteral("WhatIfInput"));
    input_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    question->addWidget(input_);
    question->addSpacing(16);
    question->addWidget(NewLabel(texts::kWhatIfFrom, this));
    from_ = NewSpinBox(kIntMin, kIntMax, this);
    from_->setObjectName(QStringLiteral("WhatIfFrom"));
    question->addWidget(from_);
    question->addWidget(NewLabel(texts::kWhatIfTo, this));
    to_ = NewSpinBox(kIntMin, kIntMax, this);
    to_->setObjectName(QStringLiteral("WhatIfTo"));
    question->addWidget(to_);
    defaultRange_ = NewButton(texts::kWhatIfDefaultRange, this);
    question->addWidget(defaultRange_);
    question->addStretch(1);
    layout->addLayout(question);

    auto* required = new QHBoxLayout;
    required->addWidget(NewLabel(texts::kWhatIfRequiredRmax, this));
    rmax_ = NewSpinBox(1, kIntMax, this);
    rmax_->setObjectName(QStringLiteral("WhatIfRequiredRmax"));
    required->addWidget(rmax_);
    required->addSpacing(16);
    etoOn_ = new QCheckBox(Literal(texts::kWhatIfRequiredEto), this);
    required->addWidget(etoOn_);
    eto_ = NewSpinBox(1, kIntMax, this);
    required->addWidget(eto_);
    required->addSpacing(16);
    ctoOn_ = new QCheckBox(Literal(texts::kWhatIfRequiredCto), this);
    required->addWidget(ctoOn_);
    cto_ = NewSpinBox(1, kIntMax, this);
    required->addWidget(cto_);
    for (QSpinBox* ms : {rmax_, eto_, cto_}) {
        ms->setSuffix(QStringLiteral(" ms"));
        // A box ticked for the first time must not fail every value at once.
        ms->setValue(kDefaultRequiredRmaxMs);
    }
    required->addStretch(1);
    layout->addLayout(required);

    BuildChart();
    layout->addWidget(view_, 1);

    hover_ = new QLabel(ToQString(texts::kWhatIfHoverHint), this);
    hover_->setObjectName(QStringLiteral("WhatIfHover"));
    hover_->setWordWrap(true);
    // Room for a wrapped line, so that the chart does not jump while pointing.
    hover_->setMinimumHeight(2 * hover_->fontMetrics().lineSpacing());
    hover_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(hover_);
    headroom_ = new QLabel(this);
    headroom_->setObjectName(QStringLiteral("WhatIfHeadroom"));
    headroom_->setWordWrap(true);
    headroom_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = headroom_->font();
    bold.setBold(true);
    headroom_->setFont(bold);
    layout->addWidget(headroom_);

    auto* buttons = new QHBoxLayout;
    QPushButton* png = NewButton(texts::kWhatIfExportPng, this);
    QPushButton* svg = NewButton(texts::kWhatIfExportSvg, this);
    QPushButton* csv = NewButton(texts::kWhatIfExportCsv, this);
    QPushButton* close = NewButton(texts::kWhatIfClose, this);
    buttons->addWidget(png);
    buttons->addWidget(svg);
    buttons->addWidget(csv);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(input_, &QComboBox::activated, this, [this](int index) {
        form_.ChooseInput(static_cast<Field>(input_->itemData(index).toInt()));
        Changed();
    });
    const auto range = [this] {
        form_.SetRange(from_->value(), to_->value());
        Changed();
    };
    connect(from_, &QSpinBox::valueChanged, this, range);
    connect(to_, &QSpinBox::valueChanged, this, range);
    connect(defaultRange_, &QPushButton::clicked, this, [this] {
        form_.ResetRange();
        Changed();
    });
    for (QSpinBox* ms : {rmax_, eto_, cto_})
        connect(ms, &QSpinBox::valueChanged, this, [this] { TakeRequirements(); });
    for (QCheckBox* on : {etoOn_, ctoOn_})
        connect(on, &QCheckBox::toggled, this, [this] { TakeRequirements(); });
    connect(png, &QPushButton::clicked, this, [this] { ExportPng(); });
    connect(svg, &QPushButton::clicked, this, [this] { ExportSvg(); });
    connect(csv, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void WhatIfWindow::BuildChart() {
    chart_ = new QChart;
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
                DrawChart();
        },
        Qt::QueuedConnection);

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("WhatIfChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(560, 320);
    view_->setMouseTracking(true);
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
}

void WhatIfWindow::showEvent(QShowEvent* event) {
    ShowRequirements();
    if (!placed_) {
        placed_ = true;
        PlaceBesideParent();
    }
    QDialog::showEvent(event);
    if (started_ != form_.Generation() && !coalesce_.isActive())
        coalesce_.start();
}

// Beside the main window, on the side where it hides the least of it, so
// that both can be seen while typing.
void WhatIfWindow::PlaceBesideParent() {
    const QWidget* main = parentWidget();
    if (!main || !main->isVisible())
        return;
    const QRect screen = main->screen()->availableGeometry();
    const QRect beside = main->frameGeometry();
    const QSize size = frameGeometry().size().expandedTo(this->size());
    const auto onScreen = [&](const QPoint& at) {
        return QPoint(std::clamp(at.x(), screen.left(),
                                 std::max(screen.left(), screen.right() + 1 - size.width())),
                      std::clamp(at.y(), screen.top(),
                                 std::max(screen.top(), screen.bottom() + 1 - size.height())));
    };
    std::optional<QPoint> best;
    int64_t leastHidden = 0;
    for (const QPoint& at :
         {QPoint(beside.right() + 1, beside.top()), QPoint(beside.left(), beside.bottom() + 1),
          QPoint(beside.left() - size.width(), beside.top()),
          QPoint(beside.left(), beside.top() - size.height())}) {
        const QRect hidden = QRect(onScreen(at), size).intersected(beside);
        const int64_t area = int64_t{hidden.width()} * hidden.height();
        if (!best || area < leastHidden) {
            best = onScreen(at);
            leastHidden = area;
        }
    }
    move(*best);
}

void WhatIfWindow::ControlChanged(const Control&) {
    form_.MainWindowChanged();
    Changed();
}

void WhatIfWindow::Changed() {
    // A sweep that runs now serves an older state: let it stop.
    wanted_->store(form_.Generation(), std::memory_order_relaxed);
    if (isVisible() && !coalesce_.isActive())
        coalesce_.start();
}

void WhatIfWindow::StartSweep() {
    // A running sweep starts the next itself when it ends.
    if (!isVisible() || sweep_.isRunning() || started_ == form_.Generation())
        return;
    // While a box is open the main window may be in the middle of a value
    // check, with the refused text still in its field.
    if (QApplication::activeModalWidget()) {
        coalesce_.start();
        return;
    }
    const WhatIfRequest request = form_.Request();
    started_ = request.generation;
    wanted_->store(started_, std::memory_order_relaxed);
    sweep_.setFuture(
        QtConcurrent::run([snapshot = WindowSnapshot(master_), request, wanted = wanted_] {
            return AnswerWhatIf(snapshot, request, [&] {
                return wanted->load(std::memory_order_relaxed) == request.generation;
            });
        }));
}

void WhatIfWindow::SweepDone() {
    std::optional<WhatIfAnswer> answer = sweep_.result();
    if (answer && form_.Accept(std::move(*answer)))
        Redraw();
    if (started_ != form_.Generation() && !coalesce_.isActive())
        StartSweep();
}

void WhatIfWindow::Redraw() {
    ShowInputs();
    DrawChart();
    headroom_->setText(ToQString(form_.HeadroomText()));
    emit redrawn();
}

void WhatIfWindow::ShowInputs() {
    const WhatIfAnswer* shown = form_.Shown();
    if (!shown)
        return;
    const QSignalBlocker quietInput(input_);
    const QSignalBlocker quietFrom(from_);
    const QSignalBlocker quietTo(to_);
    input_->clear();
    for (Field field : shown->editable)
        input_->addItem(ToQString(FindWhatIfInput(field)->label), static_cast<int>(field));
    if (shown->field)
        input_->setCurrentIndex(input_->findData(static_cast<int>(*shown->field)));
    from_->setValue(shown->range.from);
    to_->setValue(shown->range.to);
}

void WhatIfWindow::ShowRequirements() {
    const Requirements& required = form_.Required();
    const QSignalBlocker quietRmax(rmax_);
    const QSignalBlocker quietEto(eto_);
    const QSignalBlocker quietCto(cto_);
    const QSignalBlocker quietEtoOn(etoOn_);
    const QSignalBlocker quietCtoOn(ctoOn_);
    rmax_->setValue(required.rmaxMs);
    etoOn_->setChecked(required.etoMs.has_value());
    ctoOn_->setChecked(required.ctoMs.has_value());
    if (required.etoMs)
        eto_->setValue(*required.etoMs);
    if (required.ctoMs)
        cto_->setValue(*required.ctoMs);
    eto_->setEnabled(etoOn_->isChecked());
    cto_->setEnabled(ctoOn_->isChecked());
}

void WhatIfWindow::TakeRequirements() {
    form_.SetRequirements(
        {rmax_->value(), etoOn_->isChecked() ? std::optional<int32_t>(eto_->value()) : std::nullopt,
         ctoOn_->isChecked() ? std::optional<int32_t>(cto_->value()) : std::nullopt});
    eto_->setEnabled(etoOn_->isChecked());
    cto_->setEnabled(ctoOn_->isChecked());
    if (form_.Shown())
        Redraw();
}

void WhatIfWindow::DrawChart() {
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

bool WhatIfWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport()) {
        if (event->type() == QEvent::MouseMove)
            Hover(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            hover_->setText(ToQString(texts::kWhatIfHoverHint));
    }
    return QDialog::eventFilter(watched, event);
}

void WhatIfWindow::Hover(const QPoint& at) {
    const QPointF inChart = chart_->mapFromScene(view_->mapToScene(at));
    const WhatIfInput* input = form_.ShownInput();
    const WhatIfPoint* point = nullptr;
    if (input && chart_->plotArea().contains(inChart))
        point = form_.PointAt(chart_->mapToValue(inChart, rmaxLine_).x());
    if (!point) {
        hover_->setText(ToQString(texts::kWhatIfHoverHint));
        QToolTip::hideText();
        return;
    }
    const QString text = ToQString(PointSummary(*input, *point));
    hover_->setText(text);
    QToolTip::showText(view_->viewport()->mapToGlobal(at), text, view_->viewport());
}

std::optional<QString> WhatIfWindow::ChooseExportFile(std::string_view filter,
                                                      const QString& extension) {
    FileDialogSetup setup;
    setup.filter = std::string(filter);
    setup.initialDir = fileio::DialogFolder(globals_.ProjectDir);
    if (const WhatIfInput* input = form_.ShownInput())
        setup.proposedName = std::string(texts::kWhatIfFilePrefix) +
                             std::string(FieldName(input->field)) + extension.toStdString();
    const std::optional<std::string> chosen = dialogs_.ChooseSaveFile(setup);
    if (!chosen)
        return std::nullopt;
    QString path = QFile::decodeName(chosen->c_str());
    if (QFileInfo(path).suffix().isEmpty())
        path += extension;
    return path;
}

// Through the project's one atomic writer, as every file the program writes.
void WhatIfWindow::WriteExport(const QString& path, const QByteArray& bytes, bool drawn) {
    const std::string file = QFile::encodeName(path).toStdString();
    const Result written =
        drawn ? fileio::WriteFileAtomically(
                    file, {bytes.constData(), static_cast<std::size_t>(bytes.size())})
              : Result{Result::Failure::Unwritable, file, std::string(texts::kWhatIfNotDrawn)};
    if (!written.Ok())
        messages_.Show(written.Message(), texts::kSaveErrorCaption, MessageKind::Critical);
}

void WhatIfWindow::ExportPng() {
    const DialogOwner owner(this);
    const std::optional<QString> path = ChooseExportFile(texts::kWhatIfPngFilter, ".png");
    if (!path)
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool drawn = view_->grab().save(&buffer, "PNG");
    WriteExport(*path, bytes, drawn);
}

void WhatIfWindow::ExportSvg() {
    const DialogOwner owner(this);
    const std::optional<QString> path = ChooseExportFile(texts::kWhatIfSvgFilter, ".svg");
    if (!path)
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view_->size());
    svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
    svg.setTitle(windowTitle());
    svg.setDescription(headroom_->text());
    QPainter painter;
    const bool drawn = painter.begin(&svg);
    if (drawn) {
        view_->render(&painter);
        painter.end();
    }
    WriteExport(*path, bytes, drawn);
}

void WhatIfWindow::ExportCsv() {
    const DialogOwner owner(this);
    const std::optional<QString> path = ChooseExportFile(texts::kWhatIfCsvFilter, ".csv");
    if (!path)
        return;
    std::string text = WhatIfCsvHeader();
    if (const WhatIfAnswer* shown = form_.Shown()) {
        for (const WhatIfPoint& point : shown->points)
            text += WhatIfCsvRow(point, globals_.ProjectFile);
    }
    WriteExport(*path, QByteArray::fromStdString(text), true);
}

} // namespace qntcalc
