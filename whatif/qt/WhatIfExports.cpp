#include "whatif/qt/WhatIfExports.h"

#include "fileio/FileIo.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"
#include "whatif/ChartTexts.h"
#include "whatif/Requirements.h"
#include "whatif/WhatIfCsv.h"
#include "whatif/WhatIfTexts.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace qntcalc {

namespace {

constexpr int kPadding = 8;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QFont TitleFont() {
    QFont font = QGuiApplication::font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    return font;
}

QFont BoldFont() {
    QFont font = QGuiApplication::font();
    font.setBold(true);
    return font;
}

// The height of `text` wrapped to `width`.
int TextHeight(const QFont& font, int width, const QString& text) {
    if (text.isEmpty())
        return 0;
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000), kTextFlags, text).height();
}

struct Heights {
    int above;
    int below;
};

Heights HeightsFor(int width, const ChartContext& context) {
    const int textWidth = std::max(1, width - 2 * kPadding);
    return {kPadding + TextHeight(TitleFont(), textWidth, context.title) +
                TextHeight(QGuiApplication::font(), textWidth, context.requirements) + kPadding,
            kPadding + TextHeight(BoldFont(), textWidth, context.headroom) + kPadding};
}

} // namespace

ChartContext ContextOf(const WhatIfForm& form, const Globals& globals) {
    ChartContext context;
    const WhatIfAnswer* shown = form.Shown();
    if (const WhatIfInput* input = form.ShownInput(); shown && input)
        context.title = ToQString(ChartTitle(globals.ProjectFile, *input, shown->range));
    context.requirements = ToQString(RequirementsSentence(form.Required()));
    context.headroom = ToQString(form.HeadroomText());
    return context;
}

QSize PictureSize(const QSize& chartSize, const ChartContext& context) {
    const Heights heights = HeightsFor(chartSize.width(), context);
    return {chartSize.width(), heights.above + chartSize.height() + heights.below};
}

void RenderChart(QPainter& painter, const QRect& target, QChart& chart,
                 const ChartContext& context) {
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setPen(Qt::black);
    const Heights heights = HeightsFor(target.width(), context);
    const QRect text = target.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    painter.setFont(TitleFont());
    QRect drawn;
    painter.drawText(text, kTextFlags, context.title, &drawn);
    painter.setFont(QGuiApplication::font());
    painter.drawText(text.adjusted(0, context.title.isEmpty() ? 0 : drawn.height(), 0, 0),
                     kTextFlags, context.requirements);
    const QRect plot(target.left(), target.top() + heights.above, target.width(),
                     std::max(1, target.height() - heights.above - heights.below));
    if (QGraphicsScene* scene = chart.scene())
        scene->render(&painter, plot, chart.sceneBoundingRect());
    painter.setFont(BoldFont());
    painter.drawText(QRect(text.left(), plot.bottom() + 1 + kPadding, text.width(),
                           heights.below),
                     kTextFlags, context.headroom);
    painter.restore();
}

WhatIfExports::WhatIfExports(QWidget& window, QChartView& view, const WhatIfForm& form,
                             const Globals& globals, MessageBoxes& messages, FileDialogs& dialogs)
    : window_(window), view_(view), form_(form), globals_(globals), messages_(messages),
      dialogs_(dialogs) {}

std::optional<QString> WhatIfExports::ChooseFile(std::string_view filter,
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
void WhatIfExports::Write(const QString& path, const QByteArray& bytes, bool drawn) {
    const std::string file = QFile::encodeName(path).toStdString();
    const Result written =
        drawn ? fileio::WriteFileAtomically(
                    file, {bytes.constData(), static_cast<std::size_t>(bytes.size())})
              : Result{Result::Failure::Unwritable, file, std::string(texts::kWhatIfNotDrawn)};
    if (!written.Ok())
        messages_.Show(written.Message(), texts::kSaveErrorCaption, MessageKind::Critical);
}

void WhatIfExports::Png() {
    const DialogOwner owner(&window_);
    const std::optional<QString> path = ChooseFile(texts::kWhatIfPngFilter, ".png");
    if (!path)
        return;
    const ChartContext context = ContextOf(form_, globals_);
    QImage picture(PictureSize(view_.size(), context), QImage::Format_RGB32);
    QPainter painter;
    bool drawn = painter.begin(&picture);
    if (drawn) {
        painter.setRenderHint(QPainter::Antialiasing);
        RenderChart(painter, picture.rect(), *view_.chart(), context);
        painter.end();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    drawn = drawn && picture.save(&buffer, "PNG");
    Write(*path, bytes, drawn);
}

void WhatIfExports::Svg() {
    const DialogOwner owner(&window_);
    const std::optional<QString> path = ChooseFile(texts::kWhatIfSvgFilter, ".svg");
    if (!path)
        return;
    const ChartContext context = ContextOf(form_, globals_);
    const QSize size = PictureSize(view_.size(), context);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(context.title);
    svg.setDescription(context.headroom);
    QPainter painter;
    const bool drawn = painter.begin(&svg);
    if (drawn) {
        RenderChart(painter, QRect(QPoint(0, 0), size), *view_.chart(), context);
        painter.end();
    }
    Write(*path, bytes, drawn);
}

void WhatIfExports::Csv() {
    const DialogOwner owner(&window_);
    const std::optional<QString> path = ChooseFile(texts::kWhatIfCsvFilter, ".csv");
    if (!path)
        return;
    std::string text = WhatIfCsvHeader();
    if (const WhatIfAnswer* shown = form_.Shown()) {
        for (const WhatIfPoint& point : shown->points)
            text += WhatIfCsvRow(point, globals_.ProjectFile);
    }
    Write(*path, QByteArray::fromStdString(text), true);
}

} // namespace qntcalc
