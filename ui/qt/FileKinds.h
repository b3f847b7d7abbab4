#pragma once

#include <QAbstractFileIconProvider>
#include <QFileIconProvider>
#include <QMimeDatabase>

class QCoreApplication;
class QFileDialog;

namespace qntcalc {

// The type and icon of a file in a file dialog, from its name and its kind
// (folder, file, FIFO, device) alone. Qt's own provider reads a file to
// guess its type, and a read of /proc/kmsg, a FIFO or a device may wait for
// ever, with the dialog and the program frozen. Safe from any thread, as the
// file system model asks from its own.
class FileKindProvider : public QAbstractFileIconProvider {
public:
    // The one every dialog shares; it lives to the end of the program.
    static FileKindProvider& Shared();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    // Null for anything but a regular file, FIFO, device or socket.
    QMimeType MimeOf(const QFileInfo& info) const;

    QFileIconProvider standard_;
    QMimeDatabase mimes_;
};

// Qt's own dialog widgets, whatever the platform offers, so that the
// provider above is the one that types the files.
void KeepFromFileContents(QFileDialog& dialog);

// Dialogs that Qt makes by itself, such as the print dialog's file chooser
// and its file name completer, get the provider when they are shown.
void KeepAllDialogsFromFileContents(QCoreApplication& app);

} // namespace qntcalc
