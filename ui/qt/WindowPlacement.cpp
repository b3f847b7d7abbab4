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

BesideFrames PlaceBeside(const QRect& screen, const QRect& main, const QSize& frame,
                         int leastWidth) {
    const auto top = [&](int height) {
        return std::clamp(main.top(), screen.top(),
                          std::max(screen.top(), screen.bottom() + 1 - height));
    };
    const int roomRight = screen.right() - main.right();
    const int roomLeft = main.left() - screen.left();
    if (frame.width() <= roomRight)
        return {QRect(QPoint(main.right() + 1, top(frame.height())), frame), main};
    if (frame.width() <= roomLeft)
        return {QRect(QPoint(main.left() - frame.width(), top(frame.height())), frame), main};

    const int width = std::min(frame.width(), screen.width() - main.width());
    if (width >= leastWidth && main.width() <= screen.width()) {
        // The side with more room, so that the main window moves least.
        QRect moved = main;
        QRect window(QPoint(0, top(frame.height())), QSize(width, frame.height()));
        if (roomRight >= roomLeft) {
            moved.moveLeft(std::min(main.left(), screen.right() + 1 - width - main.width()));
            window.moveLeft(moved.right() + 1);
        } else {
            moved.moveLeft(std::max(main.left(), screen.left() + width));
            window.moveLeft(moved.left() - width);
        }
        return {window, moved};
    }

    const auto onScreen = [&](const QPoint& at) {
        return QPoint(std::clamp(at.x(), screen.left(),
                                 std::max(screen.left(), screen.right() + 1 - frame.width())),
                      std::clamp(at.y(), screen.top(),
                                 std::max(screen.top(), screen.bottom() + 1 - frame.height())));
    };
    std::optional<QPoint> best;
    int64_t leastHidden = 0;
    for (const QPoint& at :
         {QPoint(main.right() + 1, main.top()), QPoint(main.left(), main.bottom() + 1),
          QPoint(main.left() - frame.width(), main.top()),
          QPoint(main.left(), main.top() - frame.height())}) {
        const QRect hidden = QRect(onScreen(at), frame).intersected(main);
        const int64_t area = int64_t{hidden.width()} * hidden.height();
        if (!best || area < leastHidden) {
            best = onScreen(at);
            leastHidden = area;
        }
    }
    return {QRect(*best, frame), main};
}

void PlaceBeside(QWidget& window, QWidget& main) {
    const QSize frame = window.frameGeometry().size().expandedTo(window.size());
    const QSize margins = frame - window.size();
    const int leastWidth = window.minimumSizeHint().expandedTo(window.minimumSize()).width() +
                           margins.width();
    const BesideFrames places =
        PlaceBeside(main.screen()->availableGeometry(), main.frameGeometry(), frame, leastWidth);
    if (places.main != main.frameGeometry())
        main.move(places.main.topLeft());
    PlaceWindow(window, {places.window.left(), places.window.top(),
                         places.window.width() - margins.width(), window.height(), false});
}

WindowPlace PlaceOf(const QWidget& window) {
    const QRect normal = window.normalGeometry();
    const QPoint frame = window.geometry().topLeft() - window.pos();
    return {normal.x() - frame.x(), normal.y() - frame.y(), normal.width(), normal.height(),
            window.isMaximized()};
}

} // namespace qntcalc
