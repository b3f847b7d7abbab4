#pragma once

#include "app/Platform.h"
#include "project/Globals.h"

#include <functional>
#include <string>
#include <string_view>

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace qntcalc {

namespace texts {
inline constexpr std::string_view kAboutCaption = "About";
inline constexpr std::string_view kAboutTitle = "Quarnet Calculator";
// A bare name: the help system looks for it where the program is installed.
inline constexpr std::string_view kHelpFile = "QntCalc.hlp";
inline constexpr std::string_view kCopyright = "Copyright (C)";
} // namespace texts

// The About box. Its construction does more than build a window: it reads
// the version information of the program's own executable, publishes
// ProgramVersion and ProgramName for the print sheet and the project files,
// and makes "QntCalc.hlp" the help file in force, so it must be constructed
// once at start-up, after the main window and before the print sheet.
// Showing it re-reads nothing.
//
// The maker has no e-mail or web address, so the box has no lines for them.
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
    void Arrange();

    HelpSystem& help_;
    QFrame* bevel1_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* copyright_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace qntcalc
