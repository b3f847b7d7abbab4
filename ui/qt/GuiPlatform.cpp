#include "ui/qt/GuiPlatform.h"

#include "ui/UiTexts.h"
#include "ui/qt/FileKinds.h"
#include "ui/qt/HelpWindow.h"
#include "ui/qt/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QUrl>

namespace qntcalc {

namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                         const QString& caption, const FileDialogSetup& setup) {
    QFileDialog dialog(parent, caption, QFile::decodeName(setup.initialDir.c_str()),
                       QtNameFilters(setup.filter));
    KeepFromFileContents(dialog);
    dialog.setAcceptMode(mode);
    // The commands take any name: Open says itself why a name is no
    // project, and Save as makes its own backup instead of asking.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!setup.proposedName.empty())
        dialog.selectFile(QFile::decodeName(setup.proposedName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QPointer<QWidget>& CommandOwner() {
    static QPointer<QWidget> owner;
    return owner;
}

} // namespace

std::string TodayText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

DialogOwner::DialogOwner(QWidget* window) : previous_(CommandOwner()) {
    CommandOwner() = window;
}

DialogOwner::~DialogOwner() {
    CommandOwner() = previous_;
}

QWidget* DialogParent(QWidget* mainWindow) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* owner = CommandOwner(); owner && owner->isVisible())
        return owner;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return mainWindow;
}

void QtMessageBoxes::Show(std::string_view text, std::string_view caption, MessageKind kind) {
    QMessageBox box(IconOf(kind), ToQString(caption), ToQString(text), QMessageBox::Ok,
                    DialogParent(mainWindow_));
    box.exec();
}

SaveChoice QtMessageBoxes::AskSave(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    DialogParent(mainWindow_));
    // Qt's own texts differ by desktop and most have no mnemonic.
    box.button(QMessageBox::Save)->setText(ToQString(texts::kSaveButton));
    box.button(QMessageBox::Discard)->setText(ToQString(texts::kDiscardButton));
    box.button(QMessageBox::Cancel)->setText(ToQString(texts::kCancelButton));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel; // also closed by the window manager
    }
}

QString QtNameFilters(std::string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& shown = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the shown text.
        const QString inParentheses = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (shown.contains(inParentheses) ? shown
                                                  : shown + QLatin1Char(' ') + inParentheses);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialogs::ChooseOpenFile(const FileDialogSetup& setup) {
    return RunFileDialog(DialogParent(mainWindow_), QFileDialog::AcceptOpen,
                         ToQString(texts::kOpenDialogCaption), setup);
}

std::optional<std::string> QtFileDialogs::ChooseSaveFile(const FileDialogSetup& setup) {
    return RunFileDialog(DialogParent(mainWindow_), QFileDialog::AcceptSave,
                         ToQString(texts::kSaveDialogCaption), setup);
}

QStringList HelpSearchDirs() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList dirs{exeDir, QDir::cleanPath(exeDir + QStringLiteral("/../share/qntcalc"))};
#ifdef QNTCALC_DATADIR
    dirs << QStringLiteral(QNTCALC_DATADIR);
#endif
    dirs.removeDuplicates();
    return dirs;
}

QString FindHelpFile(const QStringList& dirs) {
    for (const QString& dir : dirs) {
        const QFileInfo file(QDir(dir), ToQString(texts::kHelpFileName));
        if (file.isFile() && file.isReadable())
            return file.absoluteFilePath();
    }
    return {};
}

QtHelpSystem::QtHelpSystem(MessageBoxes& messages, WindowOnFirstUse window,
                           QStringList searchDirs)
    : messages_(messages), window_(std::move(window)), searchDirs_(std::move(searchDirs)) {}

QtHelpSystem::~QtHelpSystem() = default;

void QtHelpSystem::ShowContents() {
    Show({});
}

void QtHelpSystem::ShowTopic(int topic) {
    Show(QStringLiteral("topic%1").arg(topic));
}

void QtHelpSystem::Show(const QString& anchor) {
    // Looked up every time: the file may have been installed meanwhile.
    const QString path = FindHelpFile(searchDirs_);
    if (path.isEmpty()) {
        const QString text =
            ToQString(texts::kHelpFileMissing)
                .arg(ToQString(texts::kHelpFileName), searchDirs_.join(QLatin1Char('\n')));
        messages_.Show(text.toStdString(), texts::kProgramTitle, MessageKind::Warning);
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    window_().Open(url);
}

} // namespace qntcalc
