#include "app/qt/GuiApplication.h"

#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <cstdio>
#include <exception>

#include <QMessageBox>

namespace qntcalc {

namespace {

void PrintError(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", ToQString(texts::kProgramTitle).toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
}

} // namespace

void ShowErrorBox(const QString& text) {
    QMessageBox::critical(DialogParent(nullptr), ToQString(texts::kProgramTitle), text);
}

GuiApplication::GuiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuiApplication::notify(QObject* receiver, QEvent* event) {
    QString error;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        error = ToQString(e.what());
    } catch (...) {
        error.clear();
    }
    // An error raised while the last one is still on screen goes to stderr,
    // so that a fault in the display cannot stack boxes without end.
    if (showingError_) {
        PrintError(error);
        return false;
    }
    showingError_ = true;
    try {
        emit errorEscaped(error);
    } catch (...) {
        PrintError(error);
    }
    showingError_ = false;
    return false;
}

} // namespace qntcalc
