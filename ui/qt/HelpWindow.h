#pragma once

#include "ui/WindowPlace.h"

#include <optional>

#include <QByteArray>
#include <QList>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;

namespace qntcalc {

// A browser with one history for every way of moving: a topic asked for, a
// link followed inside a page, Back and Forward (buttons or keys). Each place
// keeps where it was scrolled to.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    void backward() override;
    void forward() override;
    bool CanGoBack() const { return !earlier_.isEmpty(); }
    bool CanGoForward() const { return !later_.isEmpty(); }

    // After every change of the history.
    std::function<void()> OnHistoryChanged;

protected:
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override;

private:
    struct Place {
        QUrl url;
        int scrolled = 0;
    };
    Place Here() const;
    void Walk(QList<Place>& from, QList<Place>& to);
    void HistoryChanged();

    QList<Place> earlier_;
    QList<Place> later_;
    bool walking_ = false;
};

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

    HelpBrowser* browser_;
    QAction* back_;
    QAction* forward_;
    QLineEdit* findField_;
    QLabel* findState_;
    std::optional<WindowPlace> place_; // when last closed
};

} // namespace qntcalc
