#include "PrintGuiFixture.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>

namespace qntcalc::testing {

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> whileOpen)
    : whileOpen_(std::move(whileOpen)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
    timer_.start(10);
}

ModalWatcher::~ModalWatcher() {
    timer_.stop();
}

void ModalWatcher::Check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (seen++ == 0 && whileOpen_)
        whileOpen_(modal);
    if (!modal->isVisible())
        return;
    ADD_FAILURE() << "modal window \"" << modal->windowTitle().toStdString() << "\" left open";
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

SheetWindowTest::SheetWindowTest() {
    commands.BindMainMenu(*form);
    QGuiApplication::clipboard()->clear();
}

SheetWindowTest::~SheetWindowTest() {
    window.hide();
}

QString SheetWindowTest::ShownText(std::string_view field) {
    auto* edit = ViewOf<QLineEdit>(field);
    return edit ? edit->text() : QString();
}

void SheetWindowTest::TriggerSheetItem(std::string_view name) {
    auto* action = ViewOf<QAction>(name);
    ASSERT_NE(action, nullptr);
    action->trigger();
}

} // namespace qntcalc::testing
