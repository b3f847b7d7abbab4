#pragma once

#include <string_view>

// What the window needs of the toolkit beyond its controls. The GUI, the
// command-line tool and the tests each provide their own.
namespace qntcalc {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal, with a single OK button; returns when it is closed.
    virtual void Show(std::string_view text, std::string_view caption) = 0;
};

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    virtual void ShowContents() = 0;
    virtual void ShowTopic(int topic) = 0;
};

} // namespace qntcalc
