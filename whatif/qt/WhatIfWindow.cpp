#include "whatif/qt/WhatIfWindow.h"

#include "text/Units.h"
#include "ui/HelpTopics.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WindowPlacement.h"
#include "whatif/RequirementOptions.h"
#include "whatif/WhatIfTexts.h"
#include "window/WindowSnapshot.h"

#include <functional>
#include <limits>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qntcalc {

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

QSpinBox* NewSpinBox(int minimum, int maximum, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    // Plain digits, as every number of the program reads, whatever the locale.
    box->setLocale(QLocale::c());
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

// Answers the form's latest request with `answer` from a snapshot of the
// main window.
template <typename Answer, typename Form, typename AnswerFrom>
LatestAnswerJob<Answer> SnapshotJob(Form& form, const TMasterForm& master, AnswerFrom answer) {
    return {[&form] { return form.Generation(); },
            [&form, &master, answer] {
                return [snapshot = WindowSnapshot(master), request = form.Request(),
                        answer](const std::function<bool()>& keepGoing) {
                    return answer(snapshot, request, keepGoing);
                };
            },
            [&form](Answer&& given) { return form.Accept(std::move(given)); }};
}

} // namespace

WhatIfWindow::WhatIfWindow(TMasterForm& master, Globals& globals, MessageBoxes& messages,
                           FileDialogs& dialogs, HelpSystem& help, QWidget* parent)
    : QDialog(parent), master_(master), help_(help), chart_(new WhatIfChart(form_, this)),
      exports_(*this, *chart_, form_, globals, messages, dialogs),
      limitsSearch_([&master] { return master.Settled(); }, SnapshotJob<LimitsAnswer>(limitsForm_, master, &AnswerLimits)),
      sweeps_([&master] { return master.Settled(); }, SnapshotJob<WhatIfAnswer>(form_, master, &AnswerWhatIf)) {
    setObjectName(QStringLiteral("WhatIfWindow"));
    setWindowTitle(ToQString(texts::kWhatIfCaption));
    setModal(false);
    form_.SetRequirements(Applicable(master_, master_.Required()));
    BuildControls();
    resize(900, 600);

    sweeps_.SayWhenPending();
    limitsSearch_.SayWhenPending();
    connect(&limitsSearch_, &LatestAnswerRunner::pending, limits_,
            [this](bool waiting) { limits_->SetUpdating(waiting); });
    connect(&sweeps_, &LatestAnswerRunner::answered, this, [this] { Redraw(); });
    connect(&limitsSearch_, &LatestAnswerRunner::answered, this, [this] {
        limits_->Show();
        emit limitsShown();
    });
    connect(&sweeps_, &LatestAnswerRunner::pending, this, [this](bool waiting) {
        // The headroom says so too instead of describing the old state.
        form_.SetUpdating(waiting);
        chart_->SetPending(waiting);
        headroom_->setText(ToQString(form_.HeadroomText()));
    });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    // The Limits tab has a topic of its own.
    connect(f1, &QShortcut::activated, this, [this] {
        help_.ShowTopic(views_->currentWidget() == limits_ ? topic::kWhatIfLimits
                                                           : topic::kWhatIf);
    });

    master_.controls.AddObserver(this);
}

WhatIfWindow::~WhatIfWindow() {
    master_.controls.RemoveObserver(this);
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
    rmax_ = NewSpinBox(kLeastRequiredMs, kIntMax, this);
    rmax_->setObjectName(QStringLiteral("WhatIfRequiredRmax"));
    required->addWidget(rmax_);
    required->addSpacing(16);
    etoOn_ = new QCheckBox(Literal(texts::kWhatIfRequiredEto), this);
    required->addWidget(etoOn_);
    eto_ = NewSpinBox(kLeastRequiredMs, kIntMax, this);
    required->addWidget(eto_);
    required->addSpacing(16);
    ctoOn_ = new QCheckBox(Literal(texts::kWhatIfRequiredCto), this);
    required->addWidget(ctoOn_);
    cto_ = NewSpinBox(kLeastRequiredMs, kIntMax, this);
    required->addWidget(cto_);
    for (QSpinBox* ms : {rmax_, eto_, cto_}) {
        ms->setSuffix(ToQString(UnitSuffix(InputUnit::Milliseconds)));
        // A box ticked for the first time must not fail every value at once.
        ms->setValue(kDefaultRequiredRmaxMs);
    }
    required->addStretch(1);
    layout->addLayout(required);
    timesNote_ = new QLabel(ToQString(texts::kRequiresNoTimes), this);
    timesNote_->setObjectName(QStringLiteral("WhatIfTimesNote"));
    timesNote_->setVisible(false);
    layout->addWidget(timesNote_);

    // The chart and, on a tab beside it, the limits of every input.
    views_ = new QTabWidget(this);
    views_->setObjectName(QStringLiteral("WhatIfViews"));
    views_->addTab(chart_, ToQString(texts::kWhatIfChartTab));
    limits_ = new LimitsView(limitsForm_, this);
    views_->addTab(limits_, ToQString(texts::kWhatIfLimitsTab));
    layout->addWidget(views_, 1);

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
        RestartSweep();
    });
    const auto range = [this] {
        form_.SetRange(from_->value(), to_->value());
        RestartSweep();
    };
    connect(from_, &QSpinBox::valueChanged, this, range);
    connect(to_, &QSpinBox::valueChanged, this, range);
    connect(defaultRange_, &QPushButton::clicked, this, [this] {
        form_.ResetRange();
        RestartSweep();
    });
    for (QSpinBox* ms : {rmax_, eto_, cto_})
        connect(ms, &QSpinBox::valueChanged, this, [this] { TakeRequirements(); });
    for (QCheckBox* on : {etoOn_, ctoOn_})
        connect(on, &QCheckBox::toggled, this, [this] { TakeRequirements(); });
    connect(limits_, &LimitsView::useValue, this,
            [this](Field field, int value) { master_.UseValue(field, value); });
    connect(limits_, &LimitsView::keep, this, [this](Field field, bool kept) {
        Requirements required = master_.Required();
        required.kept.Set(field, kept);
        master_.UserSetRequirements(required);
    });
    connect(limits_, &LimitsView::chosen, this, [this](Field field) {
        limits_->SetCharted(field);
        form_.ChooseInput(field);
        RestartSweep();
        views_->setCurrentWidget(chart_);
    });
    connect(chart_, &WhatIfChart::pointed, hover_, [this](const QString& summary) {
        hover_->setText(summary.isEmpty() ? ToQString(texts::kWhatIfHoverHint) : summary);
    });
    connect(png, &QPushButton::clicked, this, [this] { ExportPng(); });
    connect(svg, &QPushButton::clicked, this, [this] { ExportSvg(); });
    connect(csv, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void WhatIfWindow::showEvent(QShowEvent* event) {
    ShowRequirements();
    if (!placed_) {
        placed_ = true;
        // Beside the main window, so that both can be seen while typing.
        if (QWidget* main = parentWidget(); main && main->isVisible())
            PlaceBeside(*this, *main);
    }
    QDialog::showEvent(event);
    sweeps_.SetActive(true);
    // The main window may have changed while this one was hidden.
    RestartLimits();
    limitsSearch_.SetActive(true);
}

void WhatIfWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A minimised window is still visible and keeps following.
    sweeps_.SetActive(isVisible());
    limitsSearch_.SetActive(isVisible());
}

void WhatIfWindow::ControlChanged(const Control&) {
    // The mode decides whether the times are judged.
    WindowDataChanged();
    form_.MainWindowChanged();
    RestartSweep();
    RestartLimits();
}

void WhatIfWindow::WindowDataChanged() {
    const Requirements applicable = Applicable(master_, master_.Required());
    if (form_.Required() == applicable)
        return;
    form_.SetRequirements(applicable);
    ShowRequirements();
    // Unlike the chart's points, every search depends on them.
    RestartLimits();
    if (form_.Shown())
        Redraw();
}

void WhatIfWindow::RestartSweep() {
    sweeps_.Changed();
}

void WhatIfWindow::RestartLimits() {
    limitsForm_.Changed(form_.Required());
    limitsSearch_.Changed();
}

void WhatIfWindow::Redraw() {
    ShowInputs();
    limits_->SetCharted(form_.Shown()->field);
    chart_->Draw();
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
        input_->addItem(ToQString(FindWhatIfInput(field)->subject), static_cast<int>(field));
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
    // In Baud rate mode no time is judged: nothing to set, and it says so.
    for (QWidget* setting : {static_cast<QWidget*>(rmax_), static_cast<QWidget*>(etoOn_),
                             static_cast<QWidget*>(ctoOn_)})
        setting->setEnabled(required.timesJudged);
    if (!required.timesJudged) {
        eto_->setEnabled(false);
        cto_->setEnabled(false);
    }
    timesNote_->setVisible(!required.timesJudged);
}

// One change of the project's, which the main window's observers hear of.
void WhatIfWindow::TakeRequirements() {
    eto_->setEnabled(etoOn_->isChecked());
    cto_->setEnabled(ctoOn_->isChecked());
    master_.UserSetRequirements(
        {rmax_->value(), etoOn_->isChecked() ? std::optional<int32_t>(eto_->value()) : std::nullopt,
         ctoOn_->isChecked() ? std::optional<int32_t>(cto_->value()) : std::nullopt,
         master_.Required().kept});
}

} // namespace qntcalc
