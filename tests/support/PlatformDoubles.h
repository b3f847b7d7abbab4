#pragma once

#include "ui/Platform.h"

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

// The stand-ins for the platform services that every window test shares,
// headless or with widgets.
namespace qntcalc::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    bool operator==(const ShownBox&) const = default;
};

inline void PrintTo(const ShownBox& box, std::ostream* os) {
    *os << '"' << box.caption << "\": \"" << box.text << '"';
}

inline const ShownBox kGreaterZeroBox{"Value must be greater than 0.", "Value Error"};
inline const ShownBox kGreaterEqualZeroBox{"Value must be greater or equal 0.", "Value Error"};

// Whether a box that no test announced with Expect is taken as it comes or
// fails the test.
enum class Unannounced { Accept, Fail };

// Records every box; the boxes announced with Expect must come in that order.
class RecordingMessages : public MessageBoxes {
public:
    explicit RecordingMessages(Unannounced unannounced = Unannounced::Accept)
        : acceptAll(unannounced == Unannounced::Accept) {}

    void Show(std::string_view text, std::string_view caption, MessageKind kind) override {
        const ShownBox box{std::string(text), std::string(caption)};
        shown.push_back(box);
        kinds.push_back(kind);
        if (expected_.empty()) {
            if (!acceptAll)
                ADD_FAILURE() << "unexpected message box " << ::testing::PrintToString(box);
            return;
        }
        EXPECT_EQ(box, expected_.front());
        expected_.pop_front();
    }
    void Expect(ShownBox box) { expected_.push_back(std::move(box)); }
    bool AllShown() const { return expected_.empty() && choices.empty(); }

    // Each question takes the next choice; an unscripted one is answered
    // Discard, as if no question were asked, or fails the test.
    SaveChoice AskSave(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption)});
        if (choices.empty()) {
            if (!acceptAll)
                ADD_FAILURE() << "unexpected question " << ::testing::PrintToString(questions.back());
            return SaveChoice::Discard;
        }
        const SaveChoice choice = choices.front();
        choices.pop_front();
        return choice;
    }

    bool acceptAll;
    std::vector<ShownBox> shown;
    std::vector<MessageKind> kinds; // of each shown box
    std::deque<SaveChoice> choices;
    std::vector<ShownBox> questions;

private:
    std::deque<ShownBox> expected_;
};

class RecordingHelp : public HelpSystem {
public:
    void ShowContents() override { ++contents; }
    void ShowTopic(int topic) override { topics.push_back(topic); }
    int contents = 0;
    std::vector<int> topics;
};

// Answers the file dialogs and records what they were asked: each dialog
// takes the next answer of its own queue, else of the shared one; a dialog
// without an answer fails the test.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup& setup) override {
        openSetups.push_back(setup);
        return Answer(setup, openAnswers, "open");
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) override {
        saveSetups.push_back(setup);
        return Answer(setup, saveAnswers, "save");
    }

    std::deque<std::optional<std::string>> answers; // for either dialog
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<FileDialogSetup> asked; // by either dialog
    std::vector<FileDialogSetup> openSetups;
    std::vector<FileDialogSetup> saveSetups;

private:
    std::optional<std::string> Answer(const FileDialogSetup& setup,
                                      std::deque<std::optional<std::string>>& own,
                                      const char* dialog) {
        asked.push_back(setup);
        std::deque<std::optional<std::string>>& queue = own.empty() ? answers : own;
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " file dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace qntcalc::testing
