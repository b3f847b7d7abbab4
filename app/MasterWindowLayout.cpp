#include "app/MasterWindow.h"
#include "checks/StatusTexts.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/QtText.h"
#include "ui/qt/StatusPanel.h"

#include <algorithm>
#include <iterator>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

// Where the main window's widgets sit. Each page is a grid that keeps the
// rows and columns of the original design (fields left, unit and caption to
// their right; on the Results page caption left, field, unit right), so it
// stays in order at any font size; hidden widgets keep their cell, so a
// mode change moves nothing else, except where that would leave a hole
// (see BuildBottom).
namespace qntcalc {

namespace {

// Columns of an input page: rate-source radio button (Network page only),
// field, unit, caption; the Routers page repeats field, unit and caption
// further right.
constexpr int kTypeListWidth = 233;

enum Column : int { kRadio, kField, kUnit, kCaption, kGap, kField2, kUnit2, kCaption2, kEnd };

// Columns of the Results page: caption, field and unit twice.
enum ResultColumn : int {
    kResCaption,
    kResField,
    kResUnit,
    kResGap,
    kResCaption2,
    kResField2,
    kResUnit2,
    kResEnd
};

void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void AddField(QGridLayout* grid, int row, int column, QWidget* field, QLabel* unit, QLabel* caption,
              int captionSpan = 1) {
    grid->addWidget(field, row, column);
    if (unit)
        grid->addWidget(unit, row, column + 1);
    if (caption)
        grid->addWidget(caption, row, column + 2, 1, captionSpan);
}

// Caption left of a result field: right-aligned against the field.
QLabel* RightAligned(QLabel* label) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

MasterWindow::MasterWindow(TMasterForm& form, QWidget* parent)
    : QMainWindow(parent), form_(form), views_(form.controls) {
    views_.Title(form_.MasterForm, this, true);
    BuildMenu();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);
    column->addWidget(BuildProjectGroup());
    column->addWidget(BuildPages(), 1);
    BuildBottom(central);
    setCentralWidget(central);

    // F1 asks for help on the control that has the focus.
    auto* contextHelp = new QAction(this);
    contextHelp->setShortcut(QKeySequence::HelpContents);
    contextHelp->setShortcutContext(Qt::WindowShortcut);
    connect(contextHelp, &QAction::triggered, this,
            [this] { ShowContextHelp(QApplication::focusWidget()); });
    addAction(contextHelp);

    // Ctrl+PgDown and Ctrl+PgUp step through the visible pages, as in any
    // tabbed program.
    for (const auto& [keys, step] : {std::pair{QKeyCombination(Qt::CTRL, Qt::Key_PageDown), 1},
                                      std::pair{QKeyCombination(Qt::CTRL, Qt::Key_PageUp), -1}}) {
        auto* page = new QShortcut(QKeySequence(keys), this);
        connect(page, &QShortcut::activated, this,
                [this, step] { form_.PageControl1.UserStepPage(step); });
    }

    // Wide enough for all eight tabs (measured before the model hides any);
    // the status panel's minimum makes room for every status message.
    const int tabsWidth = tabs_->tabBar()->sizeHint().width() + 2 * 6 + 8;

    views_.MirrorAll();
    // The type lists are 233 pixels wide as designed, wider only where the
    // font needs it, and always alike, so that the two pages line up.
    auto* routerType = views_.ViewAs<QComboBox>("CB_RouterType");
    auto* repeaterType = views_.ViewAs<QComboBox>("CB_RepeaterType");
    const int typeWidth = std::max(
        {kTypeListWidth, routerType->sizeHint().width(), repeaterType->sizeHint().width()});
    routerType->setFixedWidth(typeWidth);
    repeaterType->setFixedWidth(typeWidth);
    // All eight router types in the open list.
    for (QComboBox* list : {routerType, repeaterType})
        list->setMaxVisibleItems(std::max(list->maxVisibleItems(), list->count()));
    resize(std::max(sizeHint().width(), tabsWidth), sizeHint().height());
}

int MasterWindow::FieldWidth() const {
    // Room for every value a field holds, "-2147483648": one cut to its
    // last digits would read as another number.
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    // Bold as the results are, so that every field has one width.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const QSize text(metrics.horizontalAdvance(QStringLiteral("-0000000000")) + 4, metrics.height());
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, this).width();
}

QGridLayout* MasterWindow::PageGrid(QWidget* page) const {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    // The same unit column on every page keeps the captions in line.
    const QFontMetrics metrics(font());
    const int unitWidth = metrics.horizontalAdvance(QStringLiteral("[kBits/s]")) + 6;
    grid->setColumnMinimumWidth(kUnit, unitWidth);
    return grid;
}

void MasterWindow::BuildMenu() {
    QMenu* file = Menu(form_.File1);
    fileMenu_ = file;
    views_.Action(form_.Open, file);
    views_.Action(form_.Save, file);
    views_.Action(form_.SaveAs, file);
    views_.Action(form_.ExportReport, file);
    file->addSeparator()->setObjectName(QStringLiteral("N4"));
    views_.Action(form_.CopytoClipboard1, file);
    file->addSeparator()->setObjectName(QStringLiteral("N3"));
    views_.Action(form_.Printersetup1, file);
    views_.Action(form_.Print, file);
    views_.Action(form_.Printpreview1, file);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    views_.Action(form_.Exit, file);

    QMenu* edit = Menu(form_.Edit1);
    views_.Action(form_.Undo, edit);
    QAction* redo = views_.Action(form_.Redo, edit);
    // Both of the desktop's spellings of Redo.
    redo->setShortcuts({redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y"))});

    QMenu* options = Menu(form_.OptionsMenu);
    // Radio look and at most one checked; the model decides which, and it
    // may leave none checked after reading a file.
    auto* modes = new QActionGroup(this);
    modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (MenuItem* item : form_.modes.Items())
        modes->addAction(views_.Action(*item, options));
    views_.Action(form_.N5, options);
    views_.Action(form_.WhatIf1, options);

    QMenu* help = Menu(form_.Help1);
    views_.Action(form_.Help2, help);
    help->addSeparator()->setObjectName(QStringLiteral("N2"));
    views_.Action(form_.About, help);

    // The File menu's own shortcut.
    auto* openFileMenu = new QShortcut(QKeySequence(QStringLiteral("Ctrl+F")), this);
    connect(openFileMenu, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(fileMenu_->menuAction()); });
}

QWidget* MasterWindow::BuildProjectGroup() {
    QGroupBox* group = views_.Group(form_.GroupBox5);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(8, 2, 8, 6);
    row->addWidget(Edit(form_.Ed_Project), 1);
    row->addSpacing(12);
    QLabel* date = Text(form_.Lbl_Date);
    date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(date);
    return group;
}

QTabWidget* MasterWindow::BuildPages() {
    tabs_ = new QTabWidget(this);
    tabs_->addTab(BuildNetworkPage(), {});
    tabs_->addTab(BuildDevicesPage(), {});
    tabs_->addTab(BuildInputsPage(), {});
    tabs_->addTab(BuildOutputsPage(), {});
    tabs_->addTab(BuildRoutersPage(), {});
    tabs_->addTab(BuildRepeatersPage(), {});
    tabs_->addTab(BuildDropLinesPage(), {});
    tabs_->addTab(BuildResultsPage(), {});
    tabs_->tabBar()->setAttribute(Qt::WA_Hover); // hot-tracking
    views_.Pages(form_.PageControl1, tabs_);
    return tabs_;
}

QWidget* MasterWindow::BuildNetworkPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;

    grid->addWidget(views_.Radio(f.RB_Main), 0, kRadio);
    // The placeholders lie on top of the fields they cover.
    AddField(grid, 0, kField, Edit(f.Ed_Mainpath), Text(f.Label19), Text(f.Label18));
    grid->addWidget(Edit(f.Ed_LeerMain), 0, kField);
    grid->addWidget(views_.Radio(f.RB_Baud), 1, kRadio);
    AddField(grid, 1, kField, Edit(f.Ed_MainBaud), Text(f.LBL_Baud2), Text(f.LBL_Baud));
    grid->addWidget(Edit(f.Ed_LeerBaud), 1, kField);

    QGroupBox* structure = views_.Group(f.GB_Structure);
    auto* boxes = new QHBoxLayout(structure);
    boxes->setContentsMargins(8, 2, 8, 4);
    boxes->setSpacing(18);
    boxes->addWidget(Check(f.CB_Routers));
    boxes->addWidget(Check(f.CB_Repeaters));
    boxes->addWidget(Check(f.CB_DropLines));
    boxes->addStretch(1);
    grid->addWidget(structure, 2, kField, 1, kEnd - kField);

    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildDevicesPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;

    AddField(grid, 0, kField, Edit(f.Ed_NumIOD), nullptr, Text(f.Label15), kEnd - kCaption);
    AddField(grid, 1, kField, Edit(f.Ed_NumVesk), nullptr, Text(f.Label16));
    auto* cpu = new QHBoxLayout;
    cpu->setSpacing(12);
    cpu->addWidget(views_.Radio(f.RB_Vesk1));
    cpu->addWidget(views_.Radio(f.RB_Vesk3));
    cpu->addStretch(1);
    grid->addLayout(cpu, 1, kGap, 1, kEnd - kGap);
    AddField(grid, 2, kField, Edit(f.Ed_LoadFact), Text(f.Label4), Text(f.Label3));

    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildInputsPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;
    AddField(grid, 0, kField, Edit(f.Ed_NumInp), nullptr, Text(f.Label29));
    AddField(grid, 1, kField, Edit(f.Ed_NumInpCycl), nullptr, Text(f.Label31));
    AddField(grid, 2, kField, Edit(f.Ed_InpCycl), Text(f.Label32), Text(f.Label33));
    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildOutputsPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;
    AddField(grid, 0, kField, Edit(f.Ed_NumOut), nullptr, Text(f.Label34));
    AddField(grid, 1, kField, Edit(f.Ed_NumOutCycl), nullptr, Text(f.Label36));
    AddField(grid, 2, kField, Edit(f.Ed_OutCycl), Text(f.Label37), Text(f.Label38));
    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildRoutersPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;
    AddField(grid, 0, kField, Edit(f.Ed_NumRouters), nullptr, Text(f.Label8));
    grid->addWidget(views_.Combo(f.CB_RouterType), 1, kField, 1, kGap - kField, Qt::AlignLeft);
    // Nothing stands right of the last row, so its long caption may run on.
    AddField(grid, 2, kField, Edit(f.Ed_RouterCorr), Text(f.Label26), Text(f.Label25),
             kEnd - kCaption);
    AddField(grid, 0, kField2, Edit(f.Ed_LongSeg), Text(f.Label28), Text(f.Label27));
    AddField(grid, 1, kField2, Edit(f.Ed_MDSeg), Text(f.Label46), Text(f.Label17));
    grid->setColumnMinimumWidth(kGap, 12);
    grid->setColumnMinimumWidth(kUnit2, grid->columnMinimumWidth(kUnit));
    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildRepeatersPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;
    AddField(grid, 0, kField, Edit(f.Ed_NumRepeater), nullptr, Text(f.Label41));
    grid->addWidget(views_.Combo(f.CB_RepeaterType), 1, kField, 1, kGap - kField, Qt::AlignLeft);
    AddField(grid, 2, kField, Edit(f.Ed_LRepeater), Text(f.Label7), Text(f.Label24));
    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MasterWindow::BuildDropLinesPage() {
    auto* page = new QWidget;
    QGridLayout* grid = PageGrid(page);
    TMasterForm& f = form_;
    AddField(grid, 0, kField, Edit(f.Ed_DropMax), Text(f.Label21), Text(f.Label20));
    AddField(grid, 1, kField, Edit(f.Ed_DropTot), Text(f.Label23), Text(f.Label22));
    grid->setColumnStretch(kEnd, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* MasterWindow::BuildResultsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    TMasterForm& f = form_;

    const auto addResult = [&](int row, int column, QWidget* caption, EditField& field,
                               Label& unit) {
        grid->addWidget(caption, row, column);
        grid->addWidget(ResultEdit(field), row, column + 1);
        grid->addWidget(Text(unit), row, column + 2);
    };

    addResult(0, kResCaption, RightAligned(Text(f.Label1)), f.Ed_Baud, f.Label2);
    // "Transmission rate" over "longest segment", one caption in two lines.
    auto* longest = new QWidget;
    auto* lines = new QVBoxLayout(longest);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);
    lines->addWidget(RightAligned(Text(f.Label42)));
    lines->addWidget(RightAligned(Text(f.Label48)));
    addResult(1, kResCaption, longest, f.Ed_BaudLong, f.Label47);
    addResult(2, kResCaption, RightAligned(Text(f.Label13)), f.Ed_Rmax, f.Label14);
    addResult(3, kResCaption, RightAligned(Text(f.Label30)), f.Ed_Alarm, f.Label35);

    addResult(0, kResCaption2, RightAligned(Text(f.Label9)), f.Ed_ETO, f.Label10);
    addResult(1, kResCaption2, RightAligned(Text(f.Label11)), f.Ed_CTO, f.Label12);
    addResult(2, kResCaption2, RightAligned(Text(f.Label5)), f.Ed_RouterCorrRes, f.Label6);
    // The manual-entry box sits between the caption and the field; it gives
    // up its place when hidden, so the caption stays against the field.
    auto* cycle = new QWidget;
    auto* cycleRow = new QHBoxLayout(cycle);
    cycleRow->setContentsMargins(0, 0, 0, 0);
    cycleRow->setSpacing(4);
    cycleRow->addStretch(1);
    cycleRow->addWidget(Text(f.Label39));
    cycleRow->addWidget(Check(f.CB_CVeskManual));
    addResult(3, kResCaption2, cycle, f.Ed_CVesk, f.Label40);

    const QFontMetrics metrics(font());
    grid->setColumnMinimumWidth(kResUnit,
                                metrics.horizontalAdvance(QStringLiteral("[kBits/s]")) + 6);
    grid->setColumnMinimumWidth(kResGap, 6);
    grid->setColumnStretch(kResEnd, 1);
    grid->setRowStretch(4, 1);
    return page;
}

void MasterWindow::BuildBottom(QWidget* central) {
    auto* bar = new QProgressBar(central);
    bar->setTextVisible(false);
    bar->setFixedHeight(9);
    central->layout()->addWidget(bar);
    views_.Indicator(form_.BAR_Reaction, bar);

    QStatusBar* status = statusBar();
    const QFontMetrics metrics(font());
    for (int panel = 0; panel < 2; ++panel) {
        auto* label = new StatusPanel(status);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        label->setObjectName(QStringLiteral("SB_Status_Panel%1").arg(panel));
        statusPanels_[panel] = label;
    }
    // 55 and 400 pixels as designed, wider where the font needs it.
    const int frames = 2 * (statusPanels_[0]->frameWidth() + 3) + 4;
    statusPanels_[0]->setFixedWidth(
        std::max(55, metrics.horizontalAdvance(QStringLiteral("8888 kBaud")) + frames));
    int longest = 0;
    for (std::string_view message : texts::kStatusMessages)
        longest = std::max(longest, statusPanels_[1]->WidthFor(ToQString(message)));
    statusPanels_[1]->setMinimumWidth(std::max(400, longest));
    status->addPermanentWidget(statusPanels_[0]);
    status->addPermanentWidget(statusPanels_[1], 1);
    status->setAutoFillBackground(true);
    views_.Status(form_.SB_Status, status, statusPanels_[0], statusPanels_[1]);

    // Hidden widgets keep their cells, except where a mode would leave a
    // hole: the rate-source radio buttons, whose column is left out in the
    // modes without them; the transmission-rate row, so that the structure
    // group follows the main path at the usual row spacing; the Routers box,
    // so that the other boxes close up; and the manual-entry box, which lets
    // its caption close up to the field.
    const QObject* const movable[] = {
        views_.ViewOf("RB_Main"),    views_.ViewOf("RB_Baud"),       views_.ViewOf("Ed_MainBaud"),
        views_.ViewOf("LBL_Baud2"),  views_.ViewOf("LBL_Baud"),      views_.ViewOf("Ed_LeerBaud"),
        views_.ViewOf("CB_Routers"), views_.ViewOf("CB_CVeskManual")};
    for (int page = 0; page < tabs_->count(); ++page) {
        for (QWidget* child : tabs_->widget(page)->findChildren<QWidget*>()) {
            if (std::find(std::begin(movable), std::end(movable), child) == std::end(movable))
                KeepPlaceWhenHidden(child);
        }
    }
}

} // namespace qntcalc
