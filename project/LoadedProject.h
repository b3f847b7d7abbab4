#pragma once

#include "base/Result.h"
#include "ui/Globals.h"
#include "window/MasterForm.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qntcalc {

// A main window of its own with one project loaded, exactly as the program
// would have it: a new window with one calculation, the file read as File >
// Open reads it (but only in memory). What is changed in it afterwards is
// changed as a user would. Value-check boxes are recorded and answered with
// OK.
class LoadedProject : private MessageBoxes, private HelpSystem {
public:
    explicit LoadedProject(const Globals& program);
    LoadedProject(const LoadedProject&) = delete;
    LoadedProject& operator=(const LoadedProject&) = delete;

    // Reads the project; refuses a file that is missing, cannot be read or
    // holds no project, and then changes nothing.
    Result Load(const std::string& path);
    // The same with the file's bytes as read from path already, so that
    // whatever else is made of those bytes (a hash) names this project.
    Result Load(const std::string& path, std::string_view bytes);
    // Writes the project atomically.
    Result Save(const std::string& path) const;

    const TMasterForm& Form() const { return *form_; }
    TMasterForm& Form() { return *form_; }
    const std::vector<std::string>& ValueErrors() const { return valueErrors_; }
    bool EndsWithError() const;

    // Where value-check messages go as they happen (stderr in the tool).
    std::function<void(std::string_view)> OnValueError;

private:
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override;
    void ShowContents() override {}
    void ShowTopic(int) override {}

    Globals globals_;
    std::vector<std::string> valueErrors_;
    std::unique_ptr<TMasterForm> form_;
};

} // namespace qntcalc
