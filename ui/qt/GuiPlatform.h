#pragma once

#include "ui/Platform.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

// The platform services of the window model, done with Qt.
namespace qntcalc {

class HelpWindow;

// Today in the system's short date format.
std::string TodayText();

// The window that a box or dialog goes over: the modal window in front
// (About box, print preview), else the window whose command runs (see
// DialogOwner), else the program's active window, else the main window, so
// that nothing shows away from the program when no window is active (right
// after a file dialog, or after the focus left).
QWidget* DialogParent(QWidget* mainWindow);

// While it lives, the boxes and dialogs of a command go over `window`, also
// when the window system has not yet given the activation back to it after
// the command's file dialog.
class DialogOwner {
public:
    explicit DialogOwner(QWidget* window);
    ~DialogOwner();
    DialogOwner(const DialogOwner&) = delete;
    DialogOwner& operator=(const DialogOwner&) = delete;

private:
    QPointer<QWidget> previous_;
};

// Modal box with one OK button and the icon of its kind, or the question,
// over DialogParent.
class QtMessageBoxes : public MessageBoxes {
public:
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override;
    SaveChoice AskSave(std::string_view text, std::string_view caption) override;
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    QPointer<QWidget> mainWindow_;
};

// "Project files (*.ini)|*.ini" (pairs of shown text and pattern, separated
// by bars, patterns by semicolons) as a Qt name filter list.
QString QtNameFilters(std::string_view filter);

// Over DialogParent, like the boxes.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup& setup) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) override;
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    QPointer<QWidget> mainWindow_;
};

// Where the help file may be: beside the executable, in the data directory
// relative to it, and in the data directory of the installation.
QStringList HelpSearchDirs();
// The first existing help file in dirs, or an empty text.
QString FindHelpFile(const QStringList& dirs);

// The help file is an HTML page with one anchor per topic ("topic21"),
// shown in the help window that `window` hands over when help is first
// asked for: whoever creates the program's windows creates that one too.
class QtHelpSystem : public HelpSystem {
public:
    using WindowOnFirstUse = std::function<HelpWindow&()>;

    QtHelpSystem(MessageBoxes& messages, WindowOnFirstUse window,
                 QStringList searchDirs = HelpSearchDirs());
    ~QtHelpSystem() override;

    void ShowContents() override;
    void ShowTopic(int topic) override;

private:
    void Show(const QString& anchor);

    MessageBoxes& messages_;
    WindowOnFirstUse window_;
    QStringList searchDirs_;
};

} // namespace qntcalc
