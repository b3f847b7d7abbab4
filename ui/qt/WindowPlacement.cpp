#include "ui/qt/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qntcalc {

std::vector<ScreenArea> AvailableScreens() {
    std::vector<ScreenArea> screens;
    QList<QScreen*> all = QGuiApplication::screens();
    all.removeOne(QGuiApplication::primaryScreen());
    all.prepend(QGuiApplication::primaryScreen());
    for (const QScreen* screen : all) {
        if (!screen)
            continue;
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    return screens;
}

void PlaceWindow(QWidget& window, const WindowPlace& place) {
    const WindowPlace fitted = FitOnScreens(place, AvailableScreens());
    window.resize(fitted.width, fitted.height);
    // A top-level window's position is that of its frame.
    window.move(fitted.left, fitted.top);
    if (fitted.maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

WindowPlace PlaceBeside(const QWidget& window, const QWidget& main) {
    const QRect screen = main.screen()->availableGeometry();
    const QRect beside = main.frameGeometry();
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    const auto onScreen = [&](const QPoint& at) {
        return QPoint(std::clamp(at.x(), screen.left(),
                                 std::max(screen.left(), screen.right() + 1 - size.width())),
                      std::clamp(at.y(), screen.top(),
                                 std::max(screen.top(), screen.bottom() + 1 - size.height())));
    };
    std::optional<QPoint> best;
    int64_t leastHidden = 0;
    for (const QPoint& at :
         {QPoint(beside.right() + 1, beside.top()), QPoint(beside.left(), beside.bottom() + 1),
          QPoint(beside.left() - size.width(), beside.top()),
          QPoint(beside.left(), beside.top() - size.height())}) {
        const QRect hidden = QRect(onScreen(at), size).intersected(beside);
        const int64_t area = int64_t{hidden.width()} * hidden.height();
        if (!best || area < leastHidden) {
            best = onScreen(at);
            leastHidden = area;
        }
    }
    return {best->x(), best->y(), window.width(), window.height(), false};
}

WindowPlace PlaceOf(const QWidget& window) {
    const QRect normal = window.normalGeometry();
    const QPoint frame = window.geometry().topLeft() - window.pos();
    return {normal.x() - frame.x(), normal.y() - frame.y(), normal.width(), normal.height(),
            window.isMaximized()};
}

} // namespace qntcalc
