#include "app/RecentFilesMenu.h"

#include "app/MasterWindow.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QFile>
#include <QMenu>

namespace qntcalc {

RecentFilesMenu::RecentFilesMenu(RecentFiles& recent, MasterWindow& window, Open open)
    : recent_(recent), open_(std::move(open)) {
    auto* menu = window.Views().ViewAs<QMenu>("File1");
    auto* exit = window.Views().ViewAs<QAction>("Exit");
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* item = new QAction(menu);
        item->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        menu->insertAction(exit, item);
        QObject::connect(item, &QAction::triggered, &connections_, [this, i] {
            if (i < recent_.Paths().size()) {
                const std::string path = recent_.Paths()[i];
                open_(path);
            }
        });
        items_[i] = item;
    }
    separator_ = menu->insertSeparator(exit);
    // The path also as a tooltip: a long menu may cover the status bar.
    menu->setToolTipsVisible(true);
    recent_.OnChanged = [this] { Show(); };
    Show();
}

RecentFilesMenu::~RecentFilesMenu() {
    recent_.OnChanged = nullptr;
}

void RecentFilesMenu::Show() {
    const std::vector<std::string>& paths = recent_.Paths();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        QAction* item = items_[i];
        const bool used = i < paths.size();
        item->setVisible(used);
        if (!used)
            continue;
        // Shown as the file system names them, whatever their bytes.
        const QString shown = QFile::decodeName(QByteArray::fromStdString(ShownFileName(paths[i])));
        item->setText(QStringLiteral("&%1 ").arg(i + 1) +
                      QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setStatusTip(QFile::decodeName(QByteArray::fromStdString(paths[i])));
        item->setToolTip(item->statusTip());
    }
    separator_->setVisible(!paths.empty());
}

} // namespace qntcalc
