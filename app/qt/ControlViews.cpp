#include "app/qt/ControlViews.h"

#include <QWidget>

namespace qntcalc {

void MirrorWidget(const Control& control, QWidget* widget) {
    widget->setVisible(control.Visible());
    widget->setEnabled(control.Enabled());
    const QString hint = ToQString(control.Hint());
    if (widget->toolTip() != hint)
        widget->setToolTip(hint);
}

void ControlViews::Register(const Control& control, QObject* view, std::function<void()> mirror) {
    view->setObjectName(ToQString(control.Name()));
    views_[control.Name()] = view;
    controls_[view] = &control;
    mirrors_[&control] = std::move(mirror);
}

void ControlViews::Mirror(const Control& control) const {
    const auto found = mirrors_.find(&control);
    if (found != mirrors_.end())
        found->second();
}

QObject* ControlViews::ViewOf(std::string_view name) const {
    const auto found = views_.find(std::string(name));
    return found == views_.end() ? nullptr : found->second;
}

const Control* ControlViews::ControlOf(const QObject* view) const {
    const auto found = controls_.find(view);
    return found == controls_.end() ? nullptr : found->second;
}

} // namespace qntcalc
