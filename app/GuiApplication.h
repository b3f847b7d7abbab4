#pragma once

#include <QApplication>
#include <QIcon>
#include <QString>

namespace qntcalc {

// Shows an error that escaped the program's code in a message box with the
// program's title.
void ShowErrorBox(const QString& text);

// Qt ends the process with a core dump when it cannot start the window
// system, for instance without a display. While a guard lives (around the
// construction of the application object), such a failure instead writes
// one line to standard error, naming the problem and how to calculate
// without a window, and exits with status 1. Qt's messages meanwhile are
// held back, and passed on by Done.
class WindowSystemGuard {
public:
    WindowSystemGuard();
    ~WindowSystemGuard() { Done(); }
    WindowSystemGuard(const WindowSystemGuard&) = delete;
    WindowSystemGuard& operator=(const WindowSystemGuard&) = delete;

    void Done();

private:
    bool active_ = true;
};

// The line for a window system that failed to start, from the environment
// it was started in: the platform asked for (QT_QPA_PLATFORM) and DISPLAY.
QString NoWindowSystemText(const QString& platform, const QString& display);

// The program's icon, from pixels built into the program: reading an image
// file at start would first look through every image format plugin.
QIcon ProgramIcon();

// The platform's style, except that the menu bar's overflow button gets its
// icon when the button is first drawn, not when the bar is built: reading
// the icon's file starts every image format plugin, and the button shows
// only when the menus do not fit.
QStyle* StartupStyle();

// The application object. An exception that escapes an event handler is
// announced by errorEscaped (the program shows it with ShowErrorBox), and
// the event loop goes on, with the program's state as the handler left it.
class GuiApplication : public QApplication {
    Q_OBJECT
public:
    GuiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    // Empty text for an error that carries none.
    void errorEscaped(const QString& text);

private:
    bool showingError_ = false;
};

} // namespace qntcalc
