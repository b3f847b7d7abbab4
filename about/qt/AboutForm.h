#pragma once

#include "ui/Globals.h"
#include "ui/Platform.h"

#include <functional>
#include <string>

#include <QDialog>

class QLabel;
class QPushButton;

namespace qntcalc {

// The About box. Its construction does more than build a window: it
// publishes the program's version (PublishProgramVersion) and makes
// "QntCalc.hlp" the help file in force. Showing it re-reads nothing.
//
// Its texts sit in a framed box above an OK button, laid out so that any
// font fits. The maker has no e-mail or web address, so the box has no
// lines for them.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // `setHelpFile` receives the application's help file name.
    TAboutForm(Globals& globals, HelpSystem& help,
               const std::function<void(const std::string&)>& setHelpFile,
               QWidget* parent = nullptr);

    QLabel* Title() const { return title_; }
    QLabel* Version() const { return label4_; }
    QPushButton* OkButton() const { return okButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();

    HelpSystem& help_;
    QLabel* title_ = nullptr;
    QLabel* label4_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace qntcalc
