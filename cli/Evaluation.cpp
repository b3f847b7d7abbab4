#include "cli/Evaluation.h"

#include "cli/SetKeys.h"
#include "project/FileIo.h"
#include "project/IniFile.h"
#include "project/Paths.h"
#include "project/ProjectFile.h"

namespace qntcalc::cli {

Evaluation::Evaluation(const Globals& program)
    : globals_(program),
      form_(std::make_unique<TMasterForm>(globals_, static_cast<MessageBoxes&>(*this),
                                          static_cast<HelpSystem&>(*this), "")) {
    WireOwnMenuItems(*form_);
    form_->Recalculate();
}

void Evaluation::Show(std::string_view text, std::string_view, MessageKind) {
    valueErrors_.emplace_back(text);
    if (OnValueError)
        OnValueError(text);
}

Result Evaluation::Load(const std::string& path) {
    std::string bytes;
    if (Result read = fileio::ReadWholeFile(path, kMostProjectBytes, bytes); !read.Ok())
        return read;
    return Load(path, bytes);
}

Result Evaluation::Load(const std::string& path, std::string_view bytes) {
    // As File > Open, but an older file is converted in memory only, where
    // nothing can fail.
    IniFile ini = IniFile::FromBytes(bytes, path);
    if (Result found = CheckProject(ini); !found.Ok())
        return found;
    globals_.ProjectFile = path;
    globals_.ProjectDir = DirOfPath(path);
    form_->Save.SetEnabled(true);
    return ReadSettingsFromFile(*form_, ini);
}

void Evaluation::ApplyMode(const std::string& mode) {
    if (mode == "standard")
        form_->Standard.Click();
    else if (mode == "expert")
        form_->Expert.Click();
    else if (mode == "baud")
        form_->Baudratemode.Click();
}

Result Evaluation::ApplySets(const Options& options) {
    for (const auto& [key, value] : options.sets) {
        if (Result applied = ApplySet(*form_, key, value); !applied.Ok())
            return applied;
    }
    return {};
}

Result Evaluation::Save(const std::string& path) const {
    return WriteSettingsToFile(*form_, globals_, path);
}

bool Evaluation::EndsWithError() const {
    return form_->SB_Status.Colour() == StatusColour::Red;
}

} // namespace qntcalc::cli
