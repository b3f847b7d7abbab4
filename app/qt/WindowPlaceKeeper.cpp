#include "app/qt/WindowPlaceKeeper.h"

#include <QGuiApplication>
#include <QPointer>
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

void KeepWindowPlace(WindowPlaceSection& section, QWidget& window) {
    if (const std::optional<WindowPlace>& saved = section.Saved()) {
        const WindowPlace place = FitOnScreens(*saved, AvailableScreens());
        window.resize(place.width, place.height);
        // A top-level window's position is that of its frame.
        window.move(place.left, place.top);
        if (place.maximized)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    section.Current = [shown = QPointer<QWidget>(&window)]() -> std::optional<WindowPlace> {
        if (!shown || !shown->isVisible())
            return std::nullopt;
        // Maximized, the window keeps the place it goes back to.
        const QRect normal = shown->normalGeometry();
        const QPoint frame = shown->geometry().topLeft() - shown->pos();
        return WindowPlace{normal.x() - frame.x(), normal.y() - frame.y(), normal.width(),
                           normal.height(), shown->isMaximized()};
    };
}

} // namespace qntcalc
