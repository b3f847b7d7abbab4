#pragma once

#include <QByteArray>
#include <QTextDocument>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace qntcalc {

// The help viewer: the help file in a browser with its own history (Back,
// Forward), a way back to the contents and a find-in-page field. It is made
// once and only hidden when closed, so it keeps its place for the run.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows url (the help file, with a topic's anchor or without for the
    // contents) in front, over the modal window in front if there is one.
    void Open(const QUrl& url);

    QTextBrowser* Browser() const { return browser_; }
    QAction* BackAction() const { return back_; }
    QAction* ForwardAction() const { return forward_; }
    QLineEdit* FindField() const { return findField_; }
    // Empty while the text searched for is found without wrapping.
    QLabel* FindState() const { return findState_; }

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowContents();
    void FindNext();
    void FindPrevious();
    void FindAsTyped();
    void Find(QTextDocument::FindFlags flags, bool fromSelectionStart);

    QTextBrowser* browser_;
    QAction* back_;
    QAction* forward_;
    QLineEdit* findField_;
    QLabel* findState_;
    QByteArray place_; // frame and state when last closed
};

} // namespace qntcalc
