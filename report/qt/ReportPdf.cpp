#include "report/qt/ReportPdf.h"

#include "fileio/FileIo.h"
#include "report/PageLayout.h"
#include "report/ReportTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/QtText.h"
#include "whatif/qt/WhatIfChart.h"

#include <memory>
#include <utility>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QGraphicsScene>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

namespace qntcalc {

namespace {

constexpr int kChartWidth = 900;
constexpr int kChartHeight = 480;

QString Escaped(const std::string& text) {
    return ToQString(text).toHtmlEscaped();
}

// A cell's text, never broken after a slash: "I/O" stays whole.
QString CellText(const std::string& text) {
    return Escaped(text).replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
}

// Wide tables in a smaller type, so that their columns keep their words. A
// last column read below takes the table's full width under its row; the
// header rows come again at the top of each page a table continues on.
// Numbers read from the right, failing rows in red.
QString Table(const ReportBlock& block) {
    const auto& rows = block.rows;
    const bool wide = !rows.empty() && rows.front().size() > 4;
    QString html =
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"%1>")
            .arg(wide ? QStringLiteral(" class=\"small\"") : QString());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool header = r == 0;
        const QString cell = header ? QStringLiteral("th") : QStringLiteral("td");
        const bool red = r < block.alertRows.size() && block.alertRows[r];
        const QString style = red ? QStringLiteral(" class=\"alert\"") : QString();
        const std::size_t beside =
            block.lastColumnBelow && !rows[r].empty() ? rows[r].size() - 1 : rows[r].size();
        if (header)
            html += QStringLiteral("<thead>");
        html += QStringLiteral("<tr>");
        for (std::size_t c = 0; c < beside; ++c) {
            const bool numeric = !header && c < block.numericColumns.size() &&
                                 block.numericColumns[c];
            html += QStringLiteral("<%1%2%3>%4</%1>")
                        .arg(cell, style,
                             numeric ? QStringLiteral(" align=\"right\"") : QString(),
                             CellText(rows[r][c]));
        }
        html += QStringLiteral("</tr>");
        if (beside < rows[r].size() && !rows[r].back().empty())
            html += QStringLiteral("<tr><%1%2 colspan=\"%3\" align=\"left\">%4</%1></tr>")
                        .arg(cell, style)
                        .arg(beside)
                        .arg(CellText(rows[r].back()));
        if (header)
            html += QStringLiteral("</thead>");
    }
    return html + QStringLiteral("</table>");
}

// Lines to fill in by hand.
QString SignOff(const ReportBlock& block) {
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"10\" width=\"100%\">");
    for (const auto& row : block.rows)
        html += QStringLiteral("<tr><td width=\"25%\">%1</td><td class=\"fill\">&nbsp;</td></tr>")
                    .arg(Escaped(row.empty() ? std::string() : row.front()));
    return html + QStringLiteral("</table>");
}

// The chart as the What-if window draws it, twice as sharp as the screen.
QImage ChartImage(const WhatIfForm& form) {
    WhatIfChart chart(form);
    // Laid out as on screen, without a screen: the chart arranges its axes
    // and series in posted events.
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.resize(kChartWidth, kChartHeight);
    chart.show();
    QCoreApplication::sendPostedEvents();
    chart.Draw();
    QCoreApplication::sendPostedEvents();
    QImage image(kChartWidth * 2, kChartHeight * 2, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    chart.scene()->render(&painter, QRectF(image.rect()), chart.chart()->geometry());
    return image;
}

// The blocks [begin, end) of the report.
QString Html(const CalcReport& report, std::size_t begin, std::size_t end,
             QTextDocument& document) {
    QString html;
    for (std::size_t i = begin; i < end; ++i) {
        const ReportBlock& block = report.blocks[i];
        switch (block.kind) {
        case ReportBlock::Kind::Title:
            html += QStringLiteral("<h1>%1</h1>").arg(Escaped(block.text));
            break;
        case ReportBlock::Kind::Heading:
            html += QStringLiteral("<h2>%1</h2>").arg(Escaped(block.text));
            break;
        case ReportBlock::Kind::Subheading:
            html += QStringLiteral("<h3>%1</h3>").arg(Escaped(block.text));
            break;
        case ReportBlock::Kind::Paragraph:
            html += (block.alert ? QStringLiteral("<p class=\"alert\">%1</p>")
                                 : QStringLiteral("<p>%1</p>"))
                        .arg(Escaped(block.text));
            break;
        case ReportBlock::Kind::Table:
            html += Table(block);
            break;
        case ReportBlock::Kind::SignOff:
            html += SignOff(block);
            break;
        case ReportBlock::Kind::Chart:
            document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")),
                                 ChartImage(report.whatIf));
            html += QStringLiteral("<p><img src=\"chart.png\" width=\"%1\" height=\"%2\"></p>")
                        .arg(kChartWidth * 2 / 3)
                        .arg(kChartHeight * 2 / 3);
            break;
        }
    }
    return html;
}

// One unit laid out for the writer, `width` device pixels wide.
std::unique_ptr<QTextDocument> UnitDocument(const CalcReport& report,
                                            std::pair<std::size_t, std::size_t> unit,
                                            QPagedPaintDevice& device, qreal width) {
    auto document = std::make_unique<QTextDocument>();
    // Ligatures would turn "ff" and "fi" into single glyphs that a reader
    // of the text (or a search for a hash) no longer finds.
    QFont font = document->defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    document->setDefaultFont(font);
    document->setDefaultStyleSheet(
        QStringLiteral("table.small { font-size: 8pt; } "
                       "p.alert { color: #c00000; font-weight: bold; } "
                       "td.alert { color: #c00000; } "
                       "td.fill { border-bottom: 1px solid black; }"));
    document->documentLayout()->setPaintDevice(&device);
    QTextFrameFormat root = document->rootFrame()->frameFormat();
    root.setMargin(0);
    document->rootFrame()->setFrameFormat(root);
    document->setHtml(Html(report, unit.first, unit.second, *document));
    document->setTextWidth(width);
    return document;
}

// The units laid out page by page, each whole on one page where it fits.
struct Layout {
    std::vector<BlockRun> units;
    std::vector<std::unique_ptr<QTextDocument>> documents;
    std::vector<PlacedRun> placed;
    int pages = 0;
    qreal width = 0;
    qreal body = 0;   // the height a page gives the report
    qreal footer = 0; // below it, the page line
};

// The A4 page with its margins that every report is written on.
void SetUpPage(QPdfWriter& writer) {
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 15, 20, 12), QPageLayout::Millimeter);
}

Layout LayOut(const CalcReport& report, QPdfWriter& writer) {
    Layout layout;
    const QRectF paper = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal width = paper.width();
    layout.width = width;
    layout.footer = writer.resolution() * 10 / 25.4; // 10 mm
    const qreal body = paper.height() - layout.footer;
    layout.body = body;
    layout.units = KeptTogether(report);
    std::vector<RunSize> sizes;
    for (const BlockRun& unit : layout.units) {
        layout.documents.push_back(UnitDocument(report, unit, writer, width));
        QTextDocument& document = *layout.documents.back();
        RunSize& size = sizes.emplace_back();
        size.height = document.size().height();
        // Taller than a page: cut between lines.
        if (size.height > body) {
            document.setPageSize(QSizeF(width, body));
            size.slices = document.pageCount();
        }
    }
    PagePlan plan = PlaceRuns(sizes, body);
    layout.placed = std::move(plan.placed);
    layout.pages = plan.pages;
    return layout;
}

// Draws the laid out units with the page line at the foot of every page.
bool PrintPages(const CalcReport& report, QPdfWriter& writer) {
    Layout layout = LayOut(report, writer);
    const int pages = layout.pages;
    const qreal width = layout.width;
    const qreal body = layout.body;
    const qreal footer = layout.footer;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    int shown = 0;
    const auto pageLine = [&](int index) {
        QFont small = painter.font();
        small.setPointSizeF(8);
        painter.setFont(small);
        painter.setPen(QColor(90, 90, 90));
        painter.drawLine(QPointF(0, body + footer / 3), QPointF(width, body + footer / 3));
        painter.drawText(QRectF(0, body + footer / 3, width, footer * 2 / 3),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         ToQString(PageLine(report, index + 1, pages)));
    };
    for (const PlacedRun& p : layout.placed) {
        while (shown < p.page) {
            pageLine(shown++);
            writer.newPage();
        }
        QTextDocument& document = *layout.documents[p.run];
        painter.save();
        if (p.slice < 0) {
            painter.translate(0, p.top);
            document.drawContents(&painter);
        } else {
            painter.translate(0, -p.slice * body);
            document.drawContents(&painter, QRectF(0, p.slice * body, width, body));
        }
        painter.restore();
    }
    pageLine(shown);
    return painter.end();
}

} // namespace

bool RenderReportPdf(const CalcReport& report, const QString& title, QByteArray& pdf) {
    pdf.clear();
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(ToQString(texts::kProgramTitle));
    SetUpPage(writer);
    if (!PrintPages(report, writer))
        return false;
    buffer.close();
    return !pdf.isEmpty();
}

std::vector<std::vector<std::size_t>> ReportPageBlocks(const CalcReport& report) {
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    SetUpPage(writer);
    const Layout layout = LayOut(report, writer);
    std::vector<std::vector<std::size_t>> pages(static_cast<std::size_t>(layout.pages));
    for (const PlacedRun& p : layout.placed) {
        const auto [first, end] = layout.units[p.run];
        for (std::size_t block = first; block < end; ++block)
            pages[static_cast<std::size_t>(p.page)].push_back(block);
    }
    return pages;
}

Result CheckReportTarget(const std::string& path, const std::string& projectFile) {
    if (!projectFile.empty() && fileio::SameFile(path, projectFile))
        return {Result::Failure::Unwritable, path, std::string(texts::kReportOverProject)};
    return {};
}

Result WriteReportPdf(const CalcReport& report, const QString& title, const std::string& path,
                      const std::string& projectFile) {
    if (Result refused = CheckReportTarget(path, projectFile); !refused.Ok())
        return refused;
    QByteArray pdf;
    if (!RenderReportPdf(report, title, pdf))
        return {Result::Failure::Unwritable, path, std::string(texts::kReportNotDrawn)};
    return fileio::WriteFileAtomically(path,
                                       {pdf.constData(), static_cast<std::size_t>(pdf.size())});
}

} // namespace qntcalc
