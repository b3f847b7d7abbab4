#include "app/MasterWindow.h"
#include "checks/StatusTexts.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/QtText.h"
#include "ui/qt/StatusPanel.h"
#include "window/PageLayout.h"

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

constexpr int kTypeListWidth = 233;

void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
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
    for (const page_layout::PageCells& page : page_layout::kPages)
        tabs_->addTab(BuildPage(page), {});
    tabs_->tabBar()->setAttribute(Qt::WA_Hover); // hot-tracking
    views_.Pages(form_.PageControl1, tabs_);
    return tabs_;
}

QWidget* MasterWindow::ViewFor(Control& control, Page page) {
    return std::visit(
        Overloaded{[&](EditField* field) -> QWidget* {
                       return page == Page::Results ? ResultEdit(*field) : Edit(*field);
                   },
                   [&](Label* label) -> QWidget* { return Text(*label); },
                   [&](CheckBox* box) -> QWidget* { return Check(*box); },
                   [&](RadioButton* button) -> QWidget* { return views_.Radio(*button); },
                   [&](ComboBox* list) -> QWidget* { return views_.Combo(*list); },
                   [](auto*) -> QWidget* { return nullptr; }},
        control.Kind());
}

QWidget* MasterWindow::BuildPage(const page_layout::PageCells& cells) {
    using page_layout::Arrangement;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    const auto view = [&](std::string_view name, page_layout::Align align) {
        QWidget* widget = ViewFor(*form_.controls.Find(name), cells.page);
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && align == page_layout::Align::Right)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return widget;
    };
    const auto named = [](const page_layout::Cell& cell) {
        std::vector<std::string_view> names;
        for (std::string_view name : cell.controls) {
            if (!name.empty())
                names.push_back(name);
        }
        return names;
    };

    for (const page_layout::Cell& cell : cells.cells) {
        const std::vector<std::string_view> names = named(cell);
        QWidget* widget = nullptr;
        QLayout* layout = nullptr;
        switch (cell.arrangement) {
        case Arrangement::One:
            widget = view(names.front(), cell.align);
            break;
        case Arrangement::Boxed: {
            QGroupBox* box =
                views_.Group(*std::get<Label*>(form_.controls.Find(names.front())->Kind()));
            auto* boxes = new QHBoxLayout(box);
            boxes->setContentsMargins(8, 2, 8, 4);
            boxes->setSpacing(18);
            for (std::size_t i = 1; i < names.size(); ++i)
                boxes->addWidget(view(names[i], cell.align));
            boxes->addStretch(1);
            widget = box;
            break;
        }
        case Arrangement::Side: {
            auto* side = new QHBoxLayout;
            side->setSpacing(12);
            for (std::string_view name : names)
                side->addWidget(view(name, cell.align));
            side->addStretch(1);
            layout = side;
            break;
        }
        case Arrangement::SideRight:
        case Arrangement::Stacked: {
            // Inside a widget of its own, so that hiding one control closes
            // the row up against the field.
            widget = new QWidget;
            QBoxLayout* inner = cell.arrangement == Arrangement::Stacked
                                    ? static_cast<QBoxLayout*>(new QVBoxLayout(widget))
                                    : new QHBoxLayout(widget);
            inner->setContentsMargins(0, 0, 0, 0);
            inner->setSpacing(cell.arrangement == Arrangement::Stacked ? 0 : 4);
            if (cell.arrangement == Arrangement::SideRight)
                inner->addStretch(1);
            for (std::string_view name : names)
                inner->addWidget(view(name, cell.align));
            break;
        }
        }
        const Qt::Alignment align =
            cell.align == page_layout::Align::Left ? Qt::AlignLeft : Qt::Alignment();
        if (layout)
            grid->addLayout(layout, cell.row, cell.column, 1, cell.columnSpan);
        else
            grid->addWidget(widget, cell.row, cell.column, 1, cell.columnSpan, align);
    }

    // The same unit column on every page keeps the captions in line.
    const QFontMetrics metrics(font());
    const int unitWidth = metrics.horizontalAdvance(QStringLiteral("[kBits/s]")) + 6;
    if (cells.page == Page::Results) {
        grid->setColumnMinimumWidth(page_layout::kResUnit, unitWidth);
        grid->setColumnMinimumWidth(page_layout::kResGap, 6);
    } else {
        grid->setColumnMinimumWidth(page_layout::kUnit, unitWidth);
    }
    // A second set of fields stands apart from the first.
    const bool secondFields =
        std::any_of(cells.cells.begin(), cells.cells.end(), [&](const page_layout::Cell& cell) {
            return cells.page != Page::Results && cell.column == page_layout::kField2;
        });
    if (secondFields) {
        grid->setColumnMinimumWidth(page_layout::kGap, 12);
        grid->setColumnMinimumWidth(page_layout::kUnit2, unitWidth);
    }
    grid->setColumnStretch(cells.columns, 1);
    grid->setRowStretch(page_layout::RowsOf(cells), 1);
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
