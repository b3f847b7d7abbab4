#pragma once

#include "app/MasterForm.h"
#include "base/Result.h"
#include "cli/Options.h"
#include "ui/Globals.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qntcalc::cli {

// One project evaluated in a window of its own, exactly as the program
// would: a new window with one calculation, the file read as File > Open
// reads it (but only in memory), the mode and the --set changes applied as
// a user would. Value-check boxes are recorded and answered with OK.
class Evaluation : private MessageBoxes, private HelpSystem {
public:
    explicit Evaluation(const Globals& program);
    Evaluation(const Evaluation&) = delete;
    Evaluation& operator=(const Evaluation&) = delete;

    // Reads the project; refuses a file that is missing, cannot be read or
    // holds no project, and then changes nothing.
    Result Load(const std::string& path);
    // The same with the file's bytes as read from path already, so that
    // whatever else is made of those bytes (a hash) names this project.
    Result Load(const std::string& path, std::string_view bytes);
    void ApplyMode(const std::string& mode);
    // Stops at the first change the window's state then does not allow.
    Result ApplySets(const Options& options);
    // Writes the project atomically.
    Result Save(const std::string& path) const;

    const TMasterForm& Form() const { return *form_; }
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

} // namespace qntcalc::cli
