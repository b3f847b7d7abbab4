#include "whatif/qt/WhatIfWindow.h"

#include "GuiFixture.h"
#include "fileio/IniFile.h"
#include "tests/support/GermanLocale.h"
#include "tests/support/IniFiles.h"

#include <algorithm>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>

namespace qntcalc::testing {
namespace {

class WhatIfWindowTest : public GuiTest {
protected:
    // Opens it from the menu and waits for its first chart.
    WhatIfWindow& Open() {
        Trigger("WhatIf1");
        WhatIfWindow* window = program->WhatIfIfOpened();
        if (!window)
            throw std::runtime_error("Options > What-if opened no window");
        EXPECT_TRUE(QTest::qWaitFor([&] { return CaughtUp(*window); }, 10000));
        return *window;
    }

    // The chart shows the main window's latest state.
    static bool CaughtUp(WhatIfWindow& window) {
        const WhatIfAnswer* shown = window.Form().Shown();
        return shown && shown->generation == window.Form().Generation();
    }

    static QString Headroom(WhatIfWindow& window) {
        return window.findChild<QLabel*>("WhatIfHeadroom")->text();
    }

    void TypeInMainWindow(std::string_view field, const QString& text) {
        Window().activateWindow();
        // The dialog on top gives the activation back only a moment later.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Window(); }));
        Type(field, text);
    }
};

TEST_F(WhatIfWindowTest, OpensFollowsTheMainWindowAndExports) {
    EXPECT_EQ(program->WhatIfIfOpened(), nullptr) << "made on first use, not at start";
    WhatIfWindow& whatIf = Open();
    EXPECT_TRUE(whatIf.isVisible());
    EXPECT_FALSE(whatIf.isModal());
    EXPECT_EQ(Headroom(whatIf), "Main path can grow from 100 m to 200 m, the end of the searched "
                                "range, within the requirements.");

    TypeInMainWindow("Ed_Mainpath", "180");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return CaughtUp(whatIf) && whatIf.Form().Shown()->current == 180; }, 10000));
    EXPECT_EQ(whatIf.findChild<QSpinBox*>("WhatIfTo")->value(), 360);
    EXPECT_EQ(Headroom(whatIf), "Main path can grow from 180 m to 360 m, the end of the searched "
                                "range, within the requirements.");

    // A stricter requirement judges the same points again.
    whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->setValue(10);
    EXPECT_TRUE(Headroom(whatIf).startsWith("Main path at 180 m does not meet the requirements"))
        << Headroom(whatIf).toStdString();

    dialogs.saveAnswers = {Path("chart.png").toStdString(), Path("chart").toStdString(),
                           Path("points.csv").toStdString()};
    whatIf.ExportPng();
    whatIf.ExportSvg();
    whatIf.ExportCsv();
    ASSERT_EQ(dialogs.saveSetups.size(), 3u);
    EXPECT_EQ(dialogs.saveSetups[0].proposedName, "whatif-Mainpath.png");
    EXPECT_EQ(dialogs.saveSetups[2].filter, "CSV files (*.csv)|*.csv");
    // The pictures carry the title, the requirements and the headroom.
    const QImage png(Path("chart.png"));
    EXPECT_EQ(png.width(), whatIf.ChartView()->width());
    EXPECT_GT(png.height(), whatIf.ChartView()->height() + 40);
    EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(QSvgRenderer(Path("chart.svg")).isValid()) << "the extension is added";
    QFile svg(Path("chart.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString picture = QString::fromUtf8(svg.readAll());
    for (const QString& said :
         {QString(" - What-if: Main path from 1 m to 360 m</title>"),
          QString(">Required: worst case reaction time at most 10 ms.<"),
          QString("<desc>Main path at 180 m does not meet the requirements"),
          QString(">Main path at 180 m does not meet"), QString("fill=\"#ffffff\"")})
        EXPECT_TRUE(picture.contains(said)) << said.toStdString();
    QFile csv(Path("points.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 361);
    EXPECT_TRUE(rows[0].startsWith("file,value,rejected,Mainpath,"));
    EXPECT_TRUE(rows[180].startsWith(",180,0,180,")) << rows[180].toStdString();

    // The requirement is the project's; the settings file keeps it with the
    // window's last project, not in the What-if window's section.
    EXPECT_EQ(program->Form().Required().rmaxMs, 10);
    program->Commands().FormClose();
    const IniFile settings = OpenIni(Path("QntCalc.ini").toStdString());
    EXPECT_EQ(settings.ReadInteger("Requirements", "Rmax", 0), 10);
    EXPECT_FALSE(settings.ValueExists("WhatIf", "RequireRmax"));
}

TEST_F(WhatIfWindowTest, HoverShowsThePointAndF1ItsHelp) {
    WhatIfWindow& whatIf = Open();
    QChartView* view = whatIf.ChartView();
    QAbstractSeries* rmax = nullptr;
    for (QAbstractSeries* series : view->chart()->series()) {
        if (series->name() == "Worst case reaction time")
            rmax = series;
    }
    ASSERT_NE(rmax, nullptr);
    // The chart lays itself out on a posted event.
    QCoreApplication::sendPostedEvents();
    const QPointF inChart = view->chart()->mapToPosition(QPointF(150, 5), rmax);
    QTest::mouseMove(view->viewport(), view->mapFromScene(view->chart()->mapToScene(inChart)));
    // Within a pixel's worth of values of the point aimed at.
    const QString hover = whatIf.findChild<QLabel*>("WhatIfHover")->text();
    const QRegularExpressionMatch shown =
        QRegularExpression("^Main path (\\d+) m: \\d+ kBits/s, worst case").match(hover);
    ASSERT_TRUE(shown.hasMatch()) << hover.toStdString();
    EXPECT_EQ(shown.captured(1).toInt(), 150);
    EXPECT_TRUE(QToolTip::text().startsWith("Main path: " + shown.captured(1) +
                                            " m\nTransmission rate: "))
        << QToolTip::text().toStdString();
    // A line at the point; the worst case reaction time over every other
    // line, and wider than the alarm line.
    const auto pointerLines = [view] {
        int count = 0;
        for (QAbstractSeries* series : view->chart()->series()) {
            if (auto* line = qobject_cast<QLineSeries*>(series))
                count += line->points() == QList<QPointF>{{150, 0}, {150, 1}};
        }
        return count;
    };
    EXPECT_EQ(pointerLines(), 1);
    QTest::mouseMove(view->viewport(), QPoint(1, 1));
    EXPECT_EQ(pointerLines(), 0) << "gone away from the plot";
    std::vector<QLineSeries*> lines;
    for (QAbstractSeries* series : view->chart()->series()) {
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            lines.push_back(static_cast<QLineSeries*>(series));
    }
    ASSERT_EQ(lines.back(), rmax) << "over every other line";
    // Its marks on the top edge come last of all, in its colour, right
    // after it: over the alarm reaction time's marks at the same places.
    const QList<QAbstractSeries*> all = view->chart()->series();
    auto* rmaxMarks = qobject_cast<QScatterSeries*>(all.back());
    ASSERT_NE(rmaxMarks, nullptr);
    EXPECT_EQ(all[all.size() - 2], rmax);
    EXPECT_EQ(rmaxMarks->color(), static_cast<QLineSeries*>(rmax)->pen().color());
    EXPECT_EQ(rmaxMarks->borderColor(), rmaxMarks->color());
    const auto alarm = std::find_if(lines.begin(), lines.end(), [](const QLineSeries* line) {
        return line->name() == "Alarm reaction time";
    });
    ASSERT_NE(alarm, lines.end());
    EXPECT_GE(static_cast<QLineSeries*>(rmax)->pen().widthF(), 2 * (*alarm)->pen().widthF());

    // Waiting long for the answer to a change greys the chart.
    whatIf.Form().MainWindowChanged();
    whatIf.Sweeps().PendingElapsed();
    EXPECT_EQ(view->chart()->title(), "Updating…");
    EXPECT_LT(rmax->opacity(), 1.0);
    EXPECT_EQ(Headroom(whatIf), "The headroom is being updated…") << "not the old state's";
    whatIf.Sweeps().StartNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return CaughtUp(whatIf); }, 10000));
    EXPECT_EQ(view->chart()->title(), "");
    EXPECT_EQ(rmax->opacity(), 1.0);
    EXPECT_TRUE(Headroom(whatIf).startsWith("Main path can grow")) << Headroom(whatIf).toStdString();

    whatIf.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&whatIf));
    QTest::keyClick(&whatIf, Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{140});
    whatIf.findChild<QTabWidget*>("WhatIfViews")->setCurrentWidget(whatIf.Limits());
    whatIf.Limits()->setFocus();
    QTest::keyClick(whatIf.Limits(), Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{140, 141}));
}

// Thousands of values are drawn as a few points per pixel column.
TEST_F(WhatIfWindowTest, AWideSweepIsThinnedForThePlot) {
    WhatIfWindow& whatIf = Open();
    whatIf.findChild<QSpinBox*>("WhatIfTo")->setValue(10000);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return CaughtUp(whatIf) && whatIf.Form().Shown()->points.size() == 10000; }, 10000));
    QCoreApplication::sendPostedEvents();
    QChart* chart = whatIf.ChartView()->chart();
    for (QAbstractSeries* series : chart->series()) {
        if (series->name() == "Worst case reaction time") {
            EXPECT_LE(static_cast<QLineSeries*>(series)->count(), 4 * chart->plotArea().width());
        }
    }

    // Every time above twice the requirement: the axis ends there, and the
    // marks along its top, up to the last value, stay inside the plot.
    whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->setValue(10);
    QCoreApplication::sendPostedEvents();
    const QList<QAbstractAxis*> left = chart->axes(Qt::Vertical);
    const auto timeAxis = std::find_if(left.begin(), left.end(), [](const QAbstractAxis* axis) {
        return axis->alignment() == Qt::AlignLeft;
    });
    ASSERT_NE(timeAxis, left.end());
    EXPECT_EQ(static_cast<QValueAxis*>(*timeAxis)->max(), 20);
    const QRectF plot = chart->plotArea();
    int marks = 0;
    std::vector<double> outside;
    for (QAbstractSeries* series : chart->series()) {
        auto* scatter = qobject_cast<QScatterSeries*>(series);
        if (!scatter)
            continue;
        const double half = scatter->markerSize() / 2;
        for (const QPointF& mark : scatter->points()) {
            const QPointF at = chart->mapToPosition(mark, scatter);
            ++marks;
            if (at.x() - half < plot.left() - 0.01 || at.x() + half > plot.right() + 0.01 ||
                at.y() - half < plot.top() - 0.01)
                outside.push_back(mark.x());
        }
    }
    EXPECT_GT(marks, 200);
    EXPECT_EQ(outside, std::vector<double>{});
}

TEST_F(WhatIfWindowTest, AFailedExportIsReported) {
    WhatIfWindow& whatIf = Open();
    // Right after the file dialog the window system may leave another
    // window active; the box still goes over the window of the command.
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Window(); }));
    messages.acceptAll = true;
    dialogs.saveAnswers = {Path("gone/points.csv").toStdString(),
                           Path("gone/chart.png").toStdString()};
    whatIf.ExportCsv();
    whatIf.ExportPng();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.over, (std::vector<QWidget*>{&whatIf, &whatIf}));
    for (const ShownBox& box : messages.shown) {
        EXPECT_EQ(box.caption, "Save Error");
        EXPECT_EQ(box.text.rfind("Cannot write \"" + Path("gone/").toStdString(), 0), 0u)
            << box.text;
    }
}

// The limits of every input follow the main window and the requirements;
// choosing a row charts that input.
TEST_F(WhatIfWindowTest, LimitsFollowAndChoosingARowChartsIt) {
    WhatIfWindow& whatIf = Open();
    LimitsView& view = *whatIf.Limits();
    // Shows the overview of the main window's state as it is now.
    const auto showsNow = [&](const Requirements& required) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return whatIf.LimitsModel().UpToDate(); }, 10000));
        WhatIf now(Form());
        std::vector<InputLimit> limits;
        ASSERT_TRUE(FindLimits(now, required, limits).Ok());
        ASSERT_EQ(view.rowCount(), static_cast<int>(limits.size()));
        for (std::size_t row = 0; row < limits.size(); ++row) {
            const auto cells = LimitCells(limits[row], required, ColumnsFor(limits));
            for (std::size_t column = 0; column < cells.size(); ++column)
                EXPECT_EQ(view.item(static_cast<int>(row), static_cast<int>(column))
                              ->text()
                              .toStdString(),
                          cells[column])
                    << row << ", " << column;
        }
    };
    showsNow({300, std::nullopt, std::nullopt});
    ASSERT_GT(view.rowCount(), 3);

    // Long without the new answer, the old rows are greyed and say so.
    const QColor grey = view.palette().color(QPalette::Disabled, QPalette::Text);
    TypeInMainWindow("Ed_Mainpath", "180");
    whatIf.LimitsSearch().PendingElapsed();
    EXPECT_EQ(whatIf.LimitsModel().Note(), "Updating…");
    EXPECT_EQ(view.item(0, 0)->foreground().color(), grey);
    showsNow({300, std::nullopt, std::nullopt});
    EXPECT_EQ(whatIf.LimitsModel().Note(), "");
    EXPECT_NE(view.item(0, 0)->foreground().color(), grey);
    // The requirements are the window's, and every search depends on them.
    whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->setValue(1);
    showsNow({1, std::nullopt, std::nullopt});
    EXPECT_EQ(view.item(0, 3)->text(), "-") << "the current state fails 1 ms";

    auto* tabs = whatIf.findChild<QTabWidget*>("WhatIfViews");
    tabs->setCurrentWidget(&view);
    int numIod = 0;
    while (numIod < view.rowCount() && view.FieldOf(numIod) != Field::NumIOD)
        ++numIod;
    ASSERT_LT(numIod, view.rowCount());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualItemRect(view.item(numIod, 0)).center());
    EXPECT_EQ(tabs->currentWidget(), whatIf.ChartView());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return CaughtUp(whatIf) && whatIf.Form().Shown()->field == Field::NumIOD; }, 10000));

    // Sorted anew, the charted input's row stays the highlighted one.
    const auto highlighted = [&view] {
        const QModelIndexList rows = view.selectionModel()->selectedRows();
        return rows.size() == 1 ? std::optional(view.FieldOf(rows.front().row())) : std::nullopt;
    };
    EXPECT_EQ(highlighted(), Field::NumIOD);
    whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->setValue(300);
    showsNow({300, std::nullopt, std::nullopt});
    EXPECT_NE(view.FieldOf(numIod), Field::NumIOD) << "the order changed";
    EXPECT_EQ(highlighted(), Field::NumIOD);
}

// Picks, in the context menu that a row of the Limits tab opens, the entry
// whose text starts with `entry`; false when the menu has none.
bool PickFromRowMenu(LimitsView& view, Field field, const QString& entry) {
    int row = 0;
    while (row < view.rowCount() && view.FieldOf(row) != field)
        ++row;
    if (row == view.rowCount())
        return false;
    // Rows have their places only while the tab is shown.
    view.window()->findChild<QTabWidget*>("WhatIfViews")->setCurrentWidget(&view);
    bool picked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (QAction* action : menu->actions()) {
            if (!picked && action->text().startsWith(entry)) {
                picked = true;
                action->trigger();
            }
        }
        menu->close();
    });
    poll.start(10);
    const QRect cell = view.visualItemRect(view.item(row, 0));
    emit view.customContextMenuRequested(cell.center());
    return picked;
}

// A row's meeting value is typed into the main window as one step of its
// own, and a row's input can be kept; both are the project's to undo.
TEST_F(WhatIfWindowTest, ALimitsRowTypesItsValueAndKeepsItsInput) {
    WhatIfWindow& whatIf = Open();
    LimitsView& view = *whatIf.Limits();
    // 1 ms below what the project gives: it fails.
    const int32_t required = Form().State().Rmax - 1;
    const std::string devices = Form().Ed_NumIOD.Text();
    whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->setValue(required);
    EXPECT_EQ(Form().Required().rmaxMs, required);
    const auto upToDate = [&] {
        return QTest::qWaitFor(
            [&] { return view.rowCount() > 0 && whatIf.LimitsModel().UpToDate(); }, 10000);
    };
    ASSERT_TRUE(upToDate());
    ASSERT_TRUE(PickFromRowMenu(view, Field::NumIOD, "Use the nearest meeting value"));
    EXPECT_LE(Form().State().Rmax, required);
    const std::string used = Form().Ed_NumIOD.Text();
    EXPECT_NE(used, devices);
    Trigger("Undo");
    EXPECT_EQ(Form().Ed_NumIOD.Text(), devices);
    Trigger("Undo");
    EXPECT_EQ(Form().Required().rmaxMs, 300);
    EXPECT_EQ(whatIf.findChild<QSpinBox*>("WhatIfRequiredRmax")->value(), 300);
    Trigger("Redo");
    Trigger("Redo");
    EXPECT_EQ(Form().Ed_NumIOD.Text(), used);

    ASSERT_TRUE(upToDate());
    ASSERT_TRUE(PickFromRowMenu(view, Field::Mainpath, "Keep as it is"));
    EXPECT_TRUE(Form().Required().kept.Has(Field::Mainpath));
    ASSERT_TRUE(upToDate());
    bool shown = false;
    for (int row = 0; row < view.rowCount(); ++row) {
        if (view.FieldOf(row) == Field::Mainpath)
            shown = view.item(row, 0)->text().endsWith("(kept)");
    }
    EXPECT_TRUE(shown);
    Trigger("Undo");
    EXPECT_FALSE(Form().Required().kept.Has(Field::Mainpath));
}

// A Qt program takes its locale from the environment; the window's numbers
// stay English as its texts are: in the Limits tab and on the chart's axes.
TEST_F(WhatIfWindowTest, NumbersReadAsInEnglishUnderAGermanLocale) {
    const ScopedLocale german(kGermanLocale);
    if (!german.Made())
        GTEST_SKIP() << kNoGermanLocale;
    WhatIfWindow& whatIf = Open();
    LimitsView& view = *whatIf.Limits();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view.rowCount() > 0 && whatIf.LimitsModel().UpToDate(); }, 10000));
    int mainPath = 0;
    while (mainPath < view.rowCount() && view.FieldOf(mainPath) != Field::Mainpath)
        ++mainPath;
    ASSERT_LT(mainPath, view.rowCount());
    QStringList cells;
    ASSERT_EQ(view.columnCount(), 6);
    for (int column = 1; column < 5; ++column)
        cells << view.item(mainPath, column)->text();
    EXPECT_EQ(cells, QStringList({"100", "3,500", "3,501", "3,400 (3,400.0%)"}));

    whatIf.findChild<QSpinBox*>("WhatIfTo")->setValue(2000);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return CaughtUp(whatIf) && whatIf.Form().Shown()->range.to == 2000; }, 10000));
    dialogs.saveAnswers = {Path("chart.svg").toStdString()};
    whatIf.ExportSvg();
    QFile svg(Path("chart.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString picture = QString::fromUtf8(svg.readAll());
    EXPECT_TRUE(picture.contains(">1,000<")) << "a tick of the input's axis";
    EXPECT_TRUE(picture.contains("from 1 m to 2,000 m")) << "the title";
}

} // namespace
} // namespace qntcalc::testing
