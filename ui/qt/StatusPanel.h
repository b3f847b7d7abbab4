#pragma once

#include <QLabel>
#include <QString>

namespace qntcalc {

// A panel of a status bar that never cuts its text off unseen: text that
// does not fit ends in "…", and then the whole text is the panel's
// tooltip. It takes the width the layout gives it, however long the text.
class StatusPanel : public QLabel {
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // Instead of setText, which knows nothing of the tooltip.
    void SetText(const QString& text);
    // Whether the whole text fits into the panel as it is now.
    bool Fits() const;
    // The width that shows this text in full with the panel's font.
    int WidthFor(const QString& text) const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateTip();
};

} // namespace qntcalc
