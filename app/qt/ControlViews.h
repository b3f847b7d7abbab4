#pragma once

#include "app/Controls.h"
#include "app/qt/QtText.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QObject>

class QWidget;

namespace qntcalc {

// Which widget shows which model control, and how to bring the widget up to
// date with it. A view registers each binding once and mirrors a control
// whenever the model reports a change. Each widget is named after its
// control, so tests and tools find it by the model's name.
// Visibility, enabled state and hint, common to every widget.
void MirrorWidget(const Control& control, QWidget* widget);

class ControlViews {
public:
    void Register(const Control& control, QObject* view, std::function<void()> mirror);
    void Mirror(const Control& control) const;

    QObject* ViewOf(std::string_view name) const;
    const Control* ControlOf(const QObject* view) const;

private:
    std::unordered_map<const Control*, std::function<void()>> mirrors_;
    std::unordered_map<std::string, QObject*> views_;
    std::unordered_map<const QObject*, const Control*> controls_;
};

} // namespace qntcalc
