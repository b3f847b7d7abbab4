#include "ui/qt/FileKinds.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace qntcalc {

namespace {

#ifdef Q_OS_UNIX
// The kinds that QFileInfo does not tell apart, from a stat() that never
// opens the file.
QString InodeMimeName(const QFileInfo& info) {
    struct stat status {};
    if (::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &status) != 0)
        return {};
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("inode/fifo");
    if (S_ISCHR(status.st_mode))
        return QStringLiteral("inode/chardevice");
    if (S_ISBLK(status.st_mode))
        return QStringLiteral("inode/blockdevice");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("inode/socket");
    return {};
}
#else
QString InodeMimeName(const QFileInfo&) {
    return {};
}
#endif

class DialogWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            for (QFileSystemModel* model : watched->findChildren<QFileSystemModel*>()) {
                if (model->iconProvider() != &FileKindProvider::Shared())
                    model->setIconProvider(&FileKindProvider::Shared());
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

FileKindProvider& FileKindProvider::Shared() {
    static FileKindProvider* const shared = new FileKindProvider;
    return *shared;
}

QIcon FileKindProvider::icon(IconType type) const {
    return standard_.icon(type);
}

QIcon FileKindProvider::icon(const QFileInfo& info) const {
    if (info.isDir())
        return standard_.icon(info.isRoot() ? Drive : Folder);
    const QMimeType mime = MimeOf(info);
    const QIcon file = standard_.icon(File);
    return mime.isValid() ? QIcon::fromTheme(mime.iconName(),
                                             QIcon::fromTheme(mime.genericIconName(), file))
                          : file;
}

QString FileKindProvider::type(const QFileInfo& info) const {
    const QMimeType mime = MimeOf(info);
    if (!mime.isValid()) // folders and the like; the base class reads only files
        return QAbstractFileIconProvider::type(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

QMimeType FileKindProvider::MimeOf(const QFileInfo& info) const {
    if (info.isFile())
        return mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    const QString inode = InodeMimeName(info);
    return inode.isEmpty() ? QMimeType() : mimes_.mimeTypeForName(inode);
}

void KeepFromFileContents(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&FileKindProvider::Shared());
}

void KeepAllDialogsFromFileContents(QCoreApplication& app) {
    app.installEventFilter(new DialogWatcher(&app));
}

} // namespace qntcalc
