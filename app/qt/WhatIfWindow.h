#pragma once

#include "app/MasterForm.h"
#include "app/WhatIfForm.h"
#include "project/WhatIfSettings.h"
#include "ui/Globals.h"
#include "ui/Platform.h"

#include <atomic>
#include <memory>
#include <optional>

#include <QDialog>
#include <QFutureWatcher>
#include <QTimer>

class QAreaSeries;
class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QValueAxis;

namespace qntcalc {

// The What-if window: how the results of the main window change over a
// range of one input, as a chart, with the headroom under it. A thin view
// of WhatIfForm that follows the main window live: every change there
// starts a new sweep, computed off the GUI thread from a snapshot taken on
// it, so typing never waits for the chart. Changes that come while a sweep
// runs stop it and are taken together into the next one; an answer that
// comes back too late for the latest change is dropped.
//
// Non-modal. Its question (input and requirements) is kept in the settings
// file through Settings().
class WhatIfWindow : public QDialog, private ControlObserver {
    Q_OBJECT
public:
    // Everything must outlive the window.
    WhatIfWindow(TMasterForm& master, Globals& globals, MessageBoxes& messages,
                 FileDialogs& dialogs, HelpSystem& help, QWidget* parent = nullptr);
    ~WhatIfWindow() override;

    WhatIfForm& Form() { return form_; }
    SettingsSection& Settings() { return settings_; }
    QChartView* ChartView() const { return view_; }

    void ExportPng();
    void ExportSvg();
    void ExportCsv();

signals:
    // An answer was drawn.
    void redrawn();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildChart();
    void PlaceBesideParent();
    void ControlChanged(const Control& control) override;
    // The form needs a new sweep.
    void Changed();
    void StartSweep();
    void SweepDone();
    void Redraw();
    void ShowInputs();
    void ShowRequirements();
    void DrawChart();
    void TakeRequirements();
    void Hover(const QPoint& at);
    // The chosen file with `extension` when it has none, or nothing.
    std::optional<QString> ChooseExportFile(std::string_view filter, const QString& extension);
    // Reports a failure, also a picture that could not be drawn.
    void WriteExport(const QString& path, const QByteArray& bytes, bool drawn);

    TMasterForm& master_;
    Globals& globals_;
    MessageBoxes& messages_;
    FileDialogs& dialogs_;
    HelpSystem& help_;
    WhatIfForm form_;
    WhatIfSettings settings_{form_};

    // The generation the running sweep must still serve; it stops when
    // this moves on.
    std::shared_ptr<std::atomic<uint64_t>> wanted_;
    QFutureWatcher<std::optional<WhatIfAnswer>> sweep_;
    uint64_t started_ = 0;
    bool placed_ = false;
    int lineColumns_ = 0;
    QTimer coalesce_;

    QComboBox* input_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QPushButton* defaultRange_ = nullptr;
    QSpinBox* rmax_ = nullptr;
    QCheckBox* etoOn_ = nullptr;
    QSpinBox* eto_ = nullptr;
    QCheckBox* ctoOn_ = nullptr;
    QSpinBox* cto_ = nullptr;
    QLabel* hover_ = nullptr;
    QLabel* headroom_ = nullptr;

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QValueAxis* timeAxis_ = nullptr;
    QValueAxis* rateAxis_ = nullptr;
    QValueAxis* bandAxis_ = nullptr;
    QLineSeries* rmaxLine_ = nullptr;
    QLineSeries* alarmLine_ = nullptr;
    QLineSeries* etoLine_ = nullptr;
    QLineSeries* ctoLine_ = nullptr;
    QLineSeries* rateLine_ = nullptr;
    QLineSeries* currentLine_ = nullptr;
    QLineSeries* requiredRmaxLine_ = nullptr;
    QLineSeries* requiredEtoLine_ = nullptr;
    QLineSeries* requiredCtoLine_ = nullptr;
    QAreaSeries* failingBands_ = nullptr;
    QAreaSeries* refusedBands_ = nullptr;
};

} // namespace qntcalc
