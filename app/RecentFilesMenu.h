#pragma once

#include "project/RecentFiles.h"

#include <array>
#include <functional>
#include <string>

#include <QObject>

class QAction;

namespace qntcalc {

class MasterWindow;

// The recent projects in the main window's File menu, above Exit: "1 alpha"
// and so on, each with its path as status tip and tooltip, and a separator
// below them while there are any. It shows the list and hands a choice on;
// the list decides everything else.
class RecentFilesMenu {
public:
    using Open = std::function<void(const std::string& path)>;

    RecentFilesMenu(RecentFiles& recent, MasterWindow& window, Open open);
    ~RecentFilesMenu();
    RecentFilesMenu(const RecentFilesMenu&) = delete;
    RecentFilesMenu& operator=(const RecentFilesMenu&) = delete;

private:
    void Show();

    RecentFiles& recent_;
    Open open_;
    // Made once and reused: choosing one changes the list while it runs.
    std::array<QAction*, RecentFiles::kMax> items_{};
    QAction* separator_ = nullptr;
    // The context of the items' connections: they end with this view.
    QObject connections_;
};

} // namespace qntcalc
