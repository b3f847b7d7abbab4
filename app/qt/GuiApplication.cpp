#include "app/qt/GuiApplication.h"

#include "app/MessageTexts.h"
#include "app/qt/GuiPlatform.h"

#include <cstdio>
#include <exception>

#include <QMessageBox>

namespace qntcalc {

void ShowErrorBox(const QString& text) {
    const QString caption = QString::fromUtf8(texts::kWindowTitle.data(),
                                              static_cast<qsizetype>(texts::kWindowTitle.size()));
    QMessageBox::critical(DialogParent(nullptr), caption, text);
}

GuiApplication::GuiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuiApplication::notify(QObject* receiver, QEvent* event) {
    QString error;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error.clear();
    }
    // An error raised while the last one is still on screen goes to stderr,
    // so that a fault in the display cannot stack boxes without end.
    if (showingError_) {
        std::fprintf(stderr, "Quarnet Calculator: %s\n", error.toLocal8Bit().constData());
        return false;
    }
    showingError_ = true;
    try {
        ShowError(error);
    } catch (...) {
        std::fprintf(stderr, "Quarnet Calculator: %s\n", error.toLocal8Bit().constData());
    }
    showingError_ = false;
    return false;
}

} // namespace qntcalc
