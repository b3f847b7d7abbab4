#include "app/qt/WhatIfExports.h"

#include "app/AppTexts.h"
#include "app/WhatIfCsv.h"
#include "project/FileIo.h"
#include "project/ProjectTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <QBuffer>
#include <QChartView>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace qntcalc {

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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool drawn = view_.grab().save(&buffer, "PNG");
    Write(*path, bytes, drawn);
}

void WhatIfExports::Svg(const QString& description) {
    const DialogOwner owner(&window_);
    const std::optional<QString> path = ChooseFile(texts::kWhatIfSvgFilter, ".svg");
    if (!path)
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view_.size());
    svg.setViewBox(QRect(QPoint(0, 0), view_.size()));
    svg.setTitle(window_.windowTitle());
    svg.setDescription(description);
    QPainter painter;
    const bool drawn = painter.begin(&svg);
    if (drawn) {
        view_.render(&painter);
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
