#include "report/qt/ReportPdf.h"

#include "project/FileIo.h"
#include "report/ReportTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/QtText.h"
#include "whatif/qt/WhatIfChart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QGraphicsScene>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace qntcalc {

namespace {

constexpr int kChartWidth = 900;
constexpr int kChartHeight = 480;

QString Escaped(const std::string& text) {
    return ToQString(text).toHtmlEscaped();
}

// Wide tables in a smaller type, so that their columns keep their words.
QString Table(const std::vector<std::vector<std::string>>& rows) {
    const bool wide = !rows.empty() && rows.front().size() > 4;
    QString html =
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"%1>")
            .arg(wide ? QStringLiteral(" class=\"small\"") : QString());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        html += QStringLiteral("<tr>");
        const QString cell = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
        for (const std::string& text : rows[r])
            html += QStringLiteral("<%1>%2</%1>").arg(cell, Escaped(text));
        html += QStringLiteral("</tr>");
    }
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

QString Html(const CalcReport& report, QTextDocument& document) {
    QString html;
    for (const ReportBlock& block : report.blocks) {
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
            html += QStringLiteral("<p>%1</p>").arg(Escaped(block.text));
            break;
        case ReportBlock::Kind::Table:
            html += Table(block.rows);
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

} // namespace

bool RenderReportPdf(const CalcReport& report, const QString& title, QByteArray& pdf) {
    pdf.clear();
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    QTextDocument document;
    // Ligatures would turn "ff" and "fi" into single glyphs that a reader
    // of the text (or a search for a hash) no longer finds.
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral("table.small { font-size: 8pt; }"));
    document.setHtml(Html(report, document));
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(ToQString(texts::kProgramTitle));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    document.print(&writer);
    buffer.close();
    return !pdf.isEmpty();
}

Result WriteReportPdf(const CalcReport& report, const QString& title, const std::string& path,
                      const std::string& projectFile) {
    if (!projectFile.empty() && fileio::SameFile(path, projectFile))
        return {Result::Failure::Unwritable, path, std::string(texts::kReportOverProject)};
    QByteArray pdf;
    if (!RenderReportPdf(report, title, pdf))
        return {Result::Failure::Unwritable, path, std::string(texts::kReportNotDrawn)};
    return fileio::WriteFileAtomically(path,
                                       {pdf.constData(), static_cast<std::size_t>(pdf.size())});
}

} // namespace qntcalc
