#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the windows need of the platform beyond their controls: message
// boxes, help and the file dialogs. The Qt program (ui/qt/GuiPlatform.h),
// the command-line tool and the tests each provide their own.
namespace qntcalc {

// What a box reports, shown by the platform's standard icon of that kind.
enum class MessageKind {
    Information,
    Warning,  // a value the user gave was refused
    Critical, // a command failed
};

// The answers to "Save your changes?".
enum class SaveChoice { Save, Discard, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal, with a single OK button; returns when it is closed.
    virtual void Show(std::string_view text, std::string_view caption, MessageKind kind) = 0;
    // A modal question with Save, Discard and Cancel; closing it cancels.
    // Only the main window's file commands ask.
    virtual SaveChoice AskSave(std::string_view /*text*/, std::string_view /*caption*/) {
        return SaveChoice::Cancel;
    }
};

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    virtual void ShowContents() = 0;
    virtual void ShowTopic(int topic) = 0;
};

struct FileDialogSetup {
    std::string filter; // "Project files (*.ini)|*.ini": shown text, bar, pattern
    std::string initialDir;
    std::string proposedName; // save dialog only
};

// The open and save dialogs. Neither requires the file to exist, asks before
// overwriting or appends an extension.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogSetup& setup) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) = 0;
};

} // namespace qntcalc
