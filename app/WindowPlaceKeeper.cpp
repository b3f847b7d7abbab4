#include "app/WindowPlaceKeeper.h"

#include "ui/qt/WindowPlacement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace qntcalc {

namespace {

// Follows the window's frame once it is shown. The place was fitted onto
// the screens before the window manager drew a frame around it; once the
// frame is known, the whole frame is fitted, once.
//
// It also keeps where the window's inside lies in its frame while the
// window is neither maximized nor minimized: a window manager may draw a
// maximized window with less of a frame, and the place to keep is the
// normal one.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget& window, bool fitFrame)
        : QObject(&window), window_(window), fitFrame_(fitFrame) {
        window.installEventFilter(this);
    }

    QPoint Offset() const {
        return offset_.value_or(window_.geometry().topLeft() - window_.pos());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The frame may be known at once, or only once the window manager
        // has framed the window and says where it went.
        const bool moved = event->type() == QEvent::Show || event->type() == QEvent::Move ||
                           event->type() == QEvent::Resize;
        if (watched != &window_ || !moved || !window_.isVisible() || !Normal())
            return false;
        offset_ = window_.geometry().topLeft() - window_.pos();
        if (fitFrame_ && window_.frameGeometry().size() != window_.size()) {
            fitFrame_ = false;
            // Not while the window system's event is still being handled.
            QMetaObject::invokeMethod(this, [this] { FitFrame(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool Normal() const {
        return !(window_.windowState() &
                 (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    }

    void FitFrame() {
        const QRect frame = window_.frameGeometry();
        const WindowPlace place{frame.x(), frame.y(), frame.width(), frame.height()};
        const WindowPlace fitted = FitOnScreens(place, AvailableScreens());
        if (fitted == place || !Normal())
            return;
        const QSize border = frame.size() - window_.size();
        window_.resize(fitted.width - border.width(), fitted.height - border.height());
        window_.move(fitted.left, fitted.top);
    }

    QWidget& window_;
    bool fitFrame_;
    std::optional<QPoint> offset_;
};

} // namespace

void KeepWindowPlace(WindowPlaceSection& section, QWidget& window) {
    const std::optional<WindowPlace>& saved = section.Saved();
    if (saved)
        PlaceWindow(window, *saved);
    auto* watch = new FrameWatch(window, saved && !saved->maximized);
    section.Current = [watch = QPointer<FrameWatch>(watch),
                       shown = QPointer<QWidget>(&window)]() -> std::optional<WindowPlace> {
        if (!watch || !shown || !shown->isVisible())
            return std::nullopt;
        // Maximized, the window keeps the place it goes back to.
        const QRect normal = shown->normalGeometry();
        const QPoint frame = watch->Offset();
        return WindowPlace{normal.x() - frame.x(), normal.y() - frame.y(), normal.width(),
                           normal.height(), shown->isMaximized()};
    };
}

} // namespace qntcalc
