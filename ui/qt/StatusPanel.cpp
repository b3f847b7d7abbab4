#include "ui/qt/StatusPanel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace qntcalc {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // The text starts where the elided text is drawn, so both fit alike.
    setIndent(0);
}

void StatusPanel::SetText(const QString& text) {
    if (text == this->text())
        return;
    setText(text);
    UpdateTip();
}

bool StatusPanel::Fits() const {
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width();
}

int StatusPanel::WidthFor(const QString& text) const {
    // Frame and margins around the text.
    return fontMetrics().horizontalAdvance(text) + width() - contentsRect().width();
}

QSize StatusPanel::minimumSizeHint() const {
    // The text's own width would make the window grow with every message.
    return {minimumWidth(), QLabel::minimumSizeHint().height()};
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    if (Fits()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                          shown, foregroundRole());
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateTip();
}

void StatusPanel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ContentsRectChange)
        UpdateTip();
}

void StatusPanel::UpdateTip() {
    // Without a tip of its own, the status bar's hint shows.
    const QString tip = Fits() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
}

} // namespace qntcalc
