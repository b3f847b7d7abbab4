#include "project/LoadedProject.h"

#include "fileio/FileIo.h"
#include "fileio/IniFile.h"
#include "fileio/Paths.h"
#include "project/ProjectFile.h"

namespace qntcalc {

LoadedProject::LoadedProject(const Globals& program)
    : globals_(program),
      form_(std::make_unique<TMasterForm>(globals_, static_cast<MessageBoxes&>(*this),
                                          static_cast<HelpSystem&>(*this), "")) {
    WireOwnMenuItems(*form_);
    form_->Recalculate();
}

void LoadedProject::Show(std::string_view text, std::string_view, MessageKind) {
    valueErrors_.emplace_back(text);
    if (OnValueError)
        OnValueError(text);
}

Result LoadedProject::Load(const std::string& path) {
    std::string bytes;
    if (Result read = fileio::ReadWholeFile(path, kMostProjectBytes, bytes); !read.Ok())
        return read;
    return Load(path, bytes);
}

Result LoadedProject::Load(const std::string& path, std::string_view bytes) {
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

Result LoadedProject::Save(const std::string& path) const {
    return WriteSettingsToFile(*form_, globals_, path);
}

bool LoadedProject::EndsWithError() const {
    return form_->SB_Status.Colour() == StatusColour::Red;
}

} // namespace qntcalc
