#pragma once

#include <QApplication>
#include <QString>

namespace qntcalc {

// Shows an error that escaped the program's code in a message box with the
// program's title.
void ShowErrorBox(const QString& text);

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
