#pragma once

#include "ui/Globals.h"
#include "ui/Platform.h"
#include "whatif/LimitsForm.h"
#include "whatif/WhatIfForm.h"
#include "whatif/WhatIfSettings.h"
#include "whatif/qt/LatestAnswerRunner.h"
#include "whatif/qt/LimitsView.h"
#include "whatif/qt/WhatIfChart.h"
#include "whatif/qt/WhatIfExports.h"
#include "window/MasterForm.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qntcalc {

// The What-if window: how the results of the main window change over a
// range of one input, as a chart with the headroom under it, and on the
// Limits tab how far every input can move. A thin view of WhatIfForm and
// LimitsForm that lays out the question, the chart, the limits and the
// exports; a LatestAnswerRunner for each keeps both following the main
// window live, so that typing never waits for them.
//
// Non-modal. The requirements it shows and sets are the main window's
// project's; its chart input and range are kept in the settings file
// through Settings().
class WhatIfWindow : public QDialog, private ControlObserver {
    Q_OBJECT
public:
    // Everything must outlive the window.
    WhatIfWindow(TMasterForm& master, Globals& globals, MessageBoxes& messages,
                 FileDialogs& dialogs, HelpSystem& help, QWidget* parent = nullptr);
    ~WhatIfWindow() override;

    WhatIfForm& Form() { return form_; }
    SettingsSection& Settings() { return settings_; }
    QChartView* ChartView() const { return chart_; }
    LimitsView* Limits() const { return limits_; }
    const LimitsForm& LimitsModel() const { return limitsForm_; }
    LatestAnswerRunner& Sweeps() { return sweeps_; }
    LatestAnswerRunner& LimitsSearch() { return limitsSearch_; }

    void ExportPng() { exports_.Png(); }
    void ExportSvg() { exports_.Svg(); }
    void ExportCsv() { exports_.Csv(); }

signals:
    // An answer was drawn.
    void redrawn();
    // The limits overview was filled.
    void limitsShown();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void ControlChanged(const Control& control) override;
    // The project's requirements changed.
    void WindowDataChanged() override;
    // The form needs a new sweep.
    void RestartSweep();
    void RestartLimits();
    void Redraw();
    void ShowInputs();
    void ShowRequirements();
    void TakeRequirements();

    TMasterForm& master_;
    HelpSystem& help_;
    WhatIfForm form_;
    WhatIfSettings settings_{form_};
    LimitsForm limitsForm_;
    bool placed_ = false;

    QComboBox* input_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QPushButton* defaultRange_ = nullptr;
    QSpinBox* rmax_ = nullptr;
    QCheckBox* etoOn_ = nullptr;
    QSpinBox* eto_ = nullptr;
    QCheckBox* ctoOn_ = nullptr;
    QSpinBox* cto_ = nullptr;
    QLabel* timesNote_ = nullptr;
    QLabel* hover_ = nullptr;
    QLabel* headroom_ = nullptr;
    QTabWidget* views_ = nullptr;
    LimitsView* limits_ = nullptr;
    // A Qt child, made before the exports that draw it.
    WhatIfChart* chart_;
    WhatIfExports exports_;
    // Last, so that their searches stop before anything they report to goes.
    LatestAnswerRunner limitsSearch_;
    LatestAnswerRunner sweeps_;
};

} // namespace qntcalc
