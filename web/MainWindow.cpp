#include "about/AboutTexts.h"
#include "cli/Options.h"
#include "cli/WhatIfOutput.h"
#include "fileio/FileIo.h"
#include "fileio/IniFile.h"
#include "print/PrintForm.h"
#include "print/PrintTexts.h"
#include "project/FileCommands.h"
#include "project/LoadedProject.h"
#include "project/ProjectFile.h"
#include "project/ProjectTexts.h"
#include "project/RecentFiles.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"
#include "window/PageLayout.h"

#include <algorithm>
#include <charconv>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

// The main window's model for the browser page: the page reads the
// controls' states, hands the user's actions in by control name, and after
// each action re-reads what the model says has changed. Everything the
// program decides happens here, in the same code as the desktop program.
namespace {

using namespace qntcalc;
using emscripten::val;

// Where the page's files live while the module runs: a picked file is
// written here and opened as File > Open opens it; a saved one is read
// back from here for the browser to store.
constexpr const char* kFolder = "/projects";
// The start folder, which holds the settings file: the page keeps the file
// in the browser's local storage between visits.
constexpr const char* kStartFolder = "/settings";

val Strings(const std::vector<std::string>& items) {
    val array = val::array();
    for (const std::string& item : items)
        array.call<void>("push", item);
    return array;
}

// A file the module wrote, as bytes for the page; null where it cannot be read.
val FileBytes(const std::string& path) {
    std::string bytes;
    if (!fileio::ReadWholeFile(path, kMostProjectBytes, bytes).Ok())
        return val::null();
    return val::global("Uint8Array")
        .new_(val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
}

// {<key>: label, bytes} of a file the module wrote, onto `files`; nothing
// where it cannot be read.
void PushFile(val& files, const char* key, const std::string& label, const std::string& path) {
    val bytes = FileBytes(path);
    if (bytes.isNull())
        return;
    val file = val::object();
    file.set(key, label);
    file.set("bytes", bytes);
    files.call<void>("push", file);
}

const char* KindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return "information";
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Critical:
        return "critical";
    }
    return "information";
}

val State(const Control& control) {
    val state = val::object();
    state.set("name", control.Name());
    state.set("visible", control.Visible());
    state.set("enabled", control.Enabled());
    state.set("hint", control.Hint());
    state.set("help", control.HelpTopic());
    std::visit(Overloaded{
                   [&](const Label* label) {
                       state.set("kind", "label");
                       state.set("caption", label->Caption());
                   },
                   [&](const EditField* edit) {
                       state.set("kind", "edit");
                       state.set("text", edit->Text());
                       state.set("readOnly", edit->ReadOnly());
                   },
                   [&](const CheckBox* box) {
                       state.set("kind", "check");
                       state.set("caption", box->Caption());
                       state.set("checked", box->Checked());
                   },
                   [&](const RadioButton* button) {
                       state.set("kind", "radio");
                       state.set("caption", button->Caption());
                       state.set("checked", button->Checked());
                   },
                   [&](const ComboBox* box) {
                       state.set("kind", "combo");
                       state.set("items", Strings(box->Items()));
                       state.set("index", box->ItemIndex());
                   },
                   [&](const PageControl* pages) {
                       state.set("kind", "pages");
                       val list = val::array();
                       for (int i = 0; i < pages->PageCount(); ++i) {
                           val page = val::object();
                           page.set("name", pages->Pages()[i].name);
                           page.set("caption", pages->Pages()[i].caption);
                           page.set("help", pages->Pages()[i].helpTopic);
                           page.set("tabVisible", pages->TabVisible(i));
                           list.call<void>("push", page);
                       }
                       state.set("pages", list);
                       state.set("active", pages->ActivePageIndex());
                   },
                   [&](const StatusBar* bar) {
                       state.set("kind", "status");
                       state.set("panels", Strings({bar->PanelText(0), bar->PanelText(1)}));
                       state.set("red", bar->Colour() == StatusColour::Red);
                   },
                   [&](const IndicatorBar* bar) {
                       state.set("kind", "indicator");
                       state.set("position", bar->Position());
                       state.set("shown", bar->ShownPosition());
                       state.set("maximum", bar->Maximum());
                   },
                   [&](const MenuItem* item) {
                       state.set("kind", "menu");
                       state.set("caption", item->Caption());
                       state.set("shortcut", item->Shortcut());
                       state.set("checked", item->Checked());
                       state.set("grouped", item->Group() != nullptr);
                   },
               },
               control.Kind());
    return state;
}

const char* ArrangementName(page_layout::Arrangement arrangement) {
    using page_layout::Arrangement;
    switch (arrangement) {
    case Arrangement::One:
        return "one";
    case Arrangement::Boxed:
        return "boxed";
    case Arrangement::Side:
        return "side";
    case Arrangement::SideRight:
        return "sideRight";
    case Arrangement::Stacked:
        return "stacked";
    }
    return "one";
}

const char* AlignName(page_layout::Align align) {
    switch (align) {
    case page_layout::Align::Fill:
        return "fill";
    case page_layout::Align::Left:
        return "left";
    case page_layout::Align::Right:
        return "right";
    }
    return "fill";
}

// The pages' cells in PageControl1's order.
val PageLayout() {
    val pages = val::array();
    for (const page_layout::PageCells& page : page_layout::kPages) {
        val cells = val::array();
        for (const page_layout::Cell& cell : page.cells) {
            val shown = val::object();
            shown.set("row", cell.row);
            shown.set("column", cell.column);
            shown.set("columnSpan", cell.columnSpan);
            shown.set("arrangement", ArrangementName(cell.arrangement));
            shown.set("align", AlignName(cell.align));
            val names = val::array();
            for (std::string_view name : cell.controls)
                if (!name.empty())
                    names.call<void>("push", std::string(name));
            shown.set("controls", names);
            cells.call<void>("push", shown);
        }
        val shown = val::object();
        shown.set("cells", cells);
        shown.set("columns", page.columns);
        shown.set("rows", page_layout::RowsOf(page));
        pages.call<void>("push", shown);
    }
    return pages;
}

class MainWindow : private MessageBoxes,
                   private HelpSystem,
                   private FileDialogs,
                   private ControlObserver {
public:
    // `settings`: the settings file as the page left it last, or nothing;
    // `kept`: the recent projects' copies as the page kept them.
    MainWindow(const std::string& today, const std::string& settings, const val& kept)
        : form_(globals_, *this, *this, today), files_(form_, globals_, *this, *this) {
        std::filesystem::create_directories(kFolder);
        std::filesystem::create_directories(kStartFolder);
        PutBack(kept);
        globals_.ProgramVersion = QNTCALC_VERSION;
        globals_.ProgramName = QNTCALC_PRODUCT_NAME;
        globals_.StartDir = kStartFolder;
        if (!settings.empty())
            std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << settings;
        // The sheet records the version, so after it is known.
        sheet_ = std::make_unique<TPrintForm>(form_, globals_.ProgramVersion);
        WireOwnMenuItems(form_);
        form_.Open.OnClick = [this] { files_.OpenClick(); };
        form_.Save.OnClick = [this] { Saved([this] { files_.SaveClick(); }); };
        form_.SaveAs.OnClick = [this] { Saved([this] { files_.SaveAsClick(); }); };
        form_.Undo.OnClick = [this] { UndoStep(&UndoHistory::Undo); };
        form_.Redo.OnClick = [this] { UndoStep(&UndoHistory::Redo); };
        form_.About.OnClick = [this] { outcome_.set("about", AboutBox()); };
        recent_.OnChanged = [this] { recentChanged_ = true; };
        files_.KeepRecentFiles(recent_);
        files_.FormCreate();
        form_.controls.AddObserver(this);
    }
    ~MainWindow() override { form_.controls.RemoveObserver(this); }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    val Controls() const {
        val all = val::array();
        for (const Control* control : form_.controls.All())
            all.call<void>("push", State(*control));
        return all;
    }

    bool Modified() { return files_.Changes().Modified(); }

    // The File menu's recent projects, newest first, as the menu names them.
    val RecentProjects() const {
        val names = val::array();
        for (const std::string& path : recent_.Paths())
            names.call<void>("push", ShownFileName(path));
        return names;
    }
    // The recent projects' files, for the page to keep until the next visit:
    // a browser cannot open a file again by its name.
    val KeptFiles() const {
        val files = val::array();
        for (const std::string& path : recent_.Paths())
            PushFile(files, "path", path, path);
        return files;
    }

    // The project as Save would write it now, for the limits overview,
    // which reads it in a worker of its own.
    val ProjectBytes() {
        const std::string path = std::string(kStartFolder) + "/limits.ini";
        if (!WriteSettingsToFile(form_, globals_, path).Ok())
            return val::null();
        return FileBytes(path);
    }

    // The print sheet as it is when shown: each control where it sits, in
    // pixels of the sheet, frames first.
    val PrintSheet() {
        sheet_->FormActivate();
        val items = val::array();
        for (const Placement& place : PrintFormControls::Layout()) {
            const Control* control = sheet_->controls.Find(place.name);
            if (!control)
                continue;
            val item = State(*control);
            item.set("x", place.x);
            item.set("top", place.top);
            item.set("width", place.width);
            item.set("height", place.height);
            item.set("alignRight", place.align == Align::Right);
            item.set("points", place.points);
            item.set("bold", place.bold);
            item.set("anchor", place.anchor == Anchor::TopLeft        ? "topLeft"
                               : place.anchor == Anchor::TopLeftRight ? "topLeftRight"
                                                                      : "topRight");
            item.set("frame", place.frame == Frame::None         ? "none"
                              : place.frame == Frame::Titled     ? "titled"
                              : place.frame == Frame::Borderless ? "borderless"
                                                                 : "sunken");
            items.call<void>("push", item);
        }
        val shown = val::object();
        shown.set("caption", sheet_->PrintForm.Caption());
        val failure = val::object();
        failure.set("caption", std::string(texts::kProgramTitle));
        failure.set("noPicture", std::string(texts::kNoPicture));
        failure.set("refused", std::string(texts::kClipboardRefused));
        shown.set("failure", failure);
        shown.set("width", sheet::kClientWidth);
        shown.set("height", sheet::kClientHeight);
        shown.set("items", items);
        return shown;
    }

    // What the desktop program says once its window is shown.
    val Started() {
        return Act([&] { files_.ShowStartNotice(); });
    }
    // The page is left. The browser asked about unsaved changes already,
    // and leaving discards them, as the desktop program's Discard does. The
    // settings file as written, for the page to keep; null when none was.
    val Close() {
        answer_ = SaveChoice::Discard;
        static_cast<void>(files_.FormCloseQuery());
        answer_.reset();
        files_.FormClose();
        return FileBytes(SettingsFile());
    }

    // The user's actions. Each returns what came of it: the states of the
    // controls that changed, the boxes to show in order, a question that
    // needs its answer before the action can run, a help topic, a file
    // written.
    val EnterField(const std::string& name) {
        return Act([&] {
            if (EditField* edit = Find<EditField>(name)) {
                focused_ = edit;
                edit->Enter();
            }
        });
    }
    val TypeText(const std::string& name, const std::string& text) {
        return Act([&] {
            if (EditField* edit = Find<EditField>(name); edit && !edit->ReadOnly())
                edit->SetText(text);
        });
    }
    val LeaveField(const std::string& name) {
        return Act([&] {
            if (EditField* edit = Find<EditField>(name)) {
                if (focused_ == edit)
                    focused_ = nullptr;
                edit->Leave();
            }
        });
    }
    val SetChecked(const std::string& name, bool checked) {
        return Act([&] {
            if (CheckBox* box = Find<CheckBox>(name))
                box->UserSetChecked(checked);
        });
    }
    val LeaveCheckBox(const std::string& name) {
        return Act([&] {
            if (CheckBox* box = Find<CheckBox>(name))
                box->Exit();
        });
    }
    val SelectRadio(const std::string& name) {
        return Act([&] {
            if (RadioButton* button = Find<RadioButton>(name))
                button->UserSelect();
        });
    }
    val PickItem(const std::string& name, int index) {
        return Act([&] {
            if (ComboBox* box = Find<ComboBox>(name))
                box->UserSelect(index);
        });
    }
    val ClickMenu(const std::string& name, const std::string& saveAnswer) {
        return Act([&] {
            answer_ = Answer(saveAnswer);
            if (MenuItem* item = Find<MenuItem>(name); item && item->Enabled())
                item->Click();
            answer_.reset();
        });
    }
    val SelectPage(int index) {
        return Act([&] { form_.PageControl1.UserSelectPage(index); });
    }
    val StepPage(int step) {
        return Act([&] { form_.PageControl1.UserStepPage(step < 0 ? -1 : 1); });
    }
    val ContextHelp(const std::string& name) {
        return Act([&] {
            const Control* control = form_.controls.Find(name);
            form_.ContextHelp(control ? *control : form_.MasterForm);
        });
    }
    // "Use this value" of the limits overview: the value typed into the
    // input's field as the user would.
    val UseValue(const std::string& key, int value) {
        return Act([&] {
            for (Field field : kAllFields)
                if (RowOf(field).key == key)
                    static_cast<void>(form_.UseValue(field, value));
        });
    }
    // One of the File menu's recent projects, by its place in the list.
    val OpenRecent(int index, const std::string& saveAnswer) {
        return Act([&] {
            if (index < 0 || static_cast<std::size_t>(index) >= recent_.Paths().size())
                return;
            const std::string path = recent_.Paths()[static_cast<std::size_t>(index)];
            answer_ = Answer(saveAnswer);
            files_.OpenRecent(path);
            answer_.reset();
            if (globals_.ProjectFile == path)
                outcome_.set("opened", true);
        });
    }
    // File > Open with a file the page was given (picked or dropped):
    // the same question, reader and checks as the desktop program's.
    val OpenFile(const std::string& fileName, const std::string& bytes,
                 const std::string& saveAnswer) {
        return Act([&] {
            const std::string path = PathFor(fileName);
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
            toOpen_ = path;
            answer_ = Answer(saveAnswer);
            form_.Open.Click();
            answer_.reset();
            toOpen_.reset();
            if (globals_.ProjectFile == path)
                outcome_.set("opened", true);
        });
    }
    // File > Save as with the name the user chose in the page's own way.
    val SaveAs(const std::string& fileName) {
        return Act([&] {
            saveName_ = fileName;
            form_.SaveAs.Click();
            saveName_.reset();
        });
    }

private:
    // The About box's lines, as the desktop program's box shows them; the
    // version is the one the program's version block holds.
    val AboutBox() const {
        val about = val::object();
        about.set("caption", std::string(texts::kAboutCaption));
        about.set("lines", Strings({std::string(texts::kProgramTitle), globals_.ProgramVersion,
                                    std::string(texts::kCopyright), QNTCALC_MAKER_NAME}));
        return about;
    }

    static std::string SettingsFile() {
        return std::string(kStartFolder) + "/" + std::string(texts::kSettingsFileName);
    }

    template <class T> T* Find(const std::string& name) {
        Control* control = form_.controls.Find(name);
        if (!control)
            return nullptr;
        ControlKind kind = control->Kind();
        T** found = std::get_if<T*>(&kind);
        return found ? *found : nullptr;
    }

    static std::optional<SaveChoice> Answer(const std::string& answer) {
        if (answer == "save")
            return SaveChoice::Save;
        if (answer == "discard")
            return SaveChoice::Discard;
        if (answer == "cancel")
            return SaveChoice::Cancel;
        return std::nullopt;
    }

    // A folder of its own for each file, so that a file of the same name
    // as the open project, saved first at the question, is not written over.
    std::string PathFor(std::string fileName) {
        std::replace(fileName.begin(), fileName.end(), '/', '_');
        if (fileName.empty() || fileName == "." || fileName == "..")
            fileName = "project.ini";
        const std::string folder = std::string(kFolder) + "/" + std::to_string(++filesMade_);
        std::filesystem::create_directories(folder);
        return folder + "/" + fileName;
    }

    template <class F> val Act(F&& action) {
        changed_.clear();
        recentChanged_ = false;
        boxes_ = val::array();
        outcome_ = val::object();
        // What fails unforeseen is said in a box, as the desktop program
        // says it, and the page goes on.
        try {
            action();
        } catch (const std::exception& e) {
            Show(e.what(), "QntCalc", MessageKind::Critical);
        }
        val changed = val::array();
        for (const Control* control : changed_)
            changed.call<void>("push", State(*control));
        outcome_.set("changed", changed);
        val written = val::array();
        for (const std::string& path : written_)
            PushFile(written, "name", std::filesystem::path(path).filename().string(), path);
        written_.clear();
        outcome_.set("written", written);
        if (recentChanged_) {
            OneEntryAName();
            outcome_.set("recent", RecentProjects());
        }
        outcome_.set("boxes", boxes_);
        outcome_.set("modified", files_.Changes().Modified());
        outcome_.set("title", form_.MasterForm.Caption());
        return outcome_;
    }

    // A browser hands the page a file by its name alone, so two entries of
    // one name would be the same file to the user: the newer one stays.
    void OneEntryAName() {
        const std::vector<std::string> paths = recent_.Paths();
        std::vector<std::string> names;
        for (const std::string& path : paths) {
            std::string name = ShownFileName(path);
            if (std::find(names.begin(), names.end(), name) != names.end())
                recent_.Remove(path);
            else
                names.push_back(std::move(name));
        }
    }

    // The kept copies go back where the recent list names them. Only a file
    // of the page's own folders is written: storage of the page's origin is
    // shared with every other page opened from disk.
    void PutBack(const val& kept) {
        if (!kept.isArray())
            return;
        const std::string folder = std::string(kFolder) + "/";
        const auto count = kept["length"].as<unsigned>();
        for (unsigned i = 0; i < count; ++i) {
            const val file = kept[i];
            if (file.isNull() || file.typeOf().as<std::string>() != "object" || !file["path"].isString() || !file["bytes"].instanceof(val::global("Uint8Array")))
                continue;
            const std::string path = file["path"].as<std::string>();
            const std::string bytes = file["bytes"].as<std::string>();
            if (!path.starts_with(folder) || bytes.size() > kMostProjectBytes)
                continue;
            const std::string_view rest = std::string_view(path).substr(folder.size());
            const std::size_t slash = rest.find('/');
            int made = 0;
            const auto [end, error] = std::from_chars(rest.data(), rest.data() + slash, made);
            const std::string_view name =
                slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
            if (slash == std::string_view::npos || error != std::errc() || end != rest.data() + slash ||
                made <= 0 || name.empty() || name == "." || name == ".." ||
                name.find('/') != std::string_view::npos)
                continue;
            std::filesystem::create_directories(path.substr(0, folder.size() + slash));
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
            filesMade_ = std::max(filesMade_, made);
        }
    }

    // A save hands the written file to the page, which stores it where the
    // user chose.
    template <class F> void Saved(F&& save) {
        failed_ = false;
        unnamed_ = false;
        save();
        if (!failed_ && !unnamed_ && !files_.Changes().Modified() && !globals_.ProjectFile.empty())
            written_.push_back(globals_.ProjectFile);
    }

    void UndoStep(void (UndoHistory::*step)()) {
        (files_.History().*step)();
        // As the desktop program: the field the user is in starts its
        // next change from what the step put there.
        if (focused_)
            focused_->Enter();
    }

    // MessageBoxes
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override {
        if (kind == MessageKind::Critical)
            failed_ = true;
        val box = val::object();
        box.set("text", std::string(text));
        box.set("caption", std::string(caption));
        box.set("kind", KindName(kind));
        boxes_.call<void>("push", box);
    }
    // The page cannot wait for an answer inside an action: without one the
    // action is cancelled, and the page asks and runs it again with the
    // answer given.
    SaveChoice AskSave(std::string_view text, std::string_view caption) override {
        if (answer_) {
            const SaveChoice given = *answer_;
            answer_.reset();
            // The project file as it is now is the one saved.
            if (given == SaveChoice::Save)
                written_.push_back(globals_.ProjectFile);
            return given;
        }
        val question = val::object();
        question.set("text", std::string(text));
        question.set("caption", std::string(caption));
        outcome_.set("question", question);
        return SaveChoice::Cancel;
    }

    // HelpSystem
    void ShowContents() override { outcome_.set("help", 0); }
    void ShowTopic(int topic) override { outcome_.set("help", topic); }

    // FileDialogs
    // As with a question: without a file handed in, the page lets the user
    // pick one and hands it to OpenFile.
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup&) override {
        if (!toOpen_)
            outcome_.set("chooseOpen", true);
        return toOpen_;
    }
    // As with a question: the page asks for the name with the one proposed
    // and runs Save as again with it.
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) override {
        if (saveName_)
            return PathFor(*saveName_);
        outcome_.set("chooseSave", std::filesystem::path(setup.proposedName).filename().string());
        unnamed_ = true;
        return std::nullopt;
    }

    // ControlObserver
    void ControlChanged(const Control& control) override {
        if (std::find(changed_.begin(), changed_.end(), &control) == changed_.end())
            changed_.push_back(&control);
    }

    Globals globals_;
    RecentFiles recent_;
    TMasterForm form_;
    FileCommands files_;
    std::unique_ptr<TPrintForm> sheet_;
    std::vector<const Control*> changed_;
    val boxes_ = val::array();
    val outcome_ = val::object();
    std::optional<SaveChoice> answer_;
    std::optional<std::string> toOpen_;
    bool recentChanged_ = false;
    std::optional<std::string> saveName_;
    // Project files written by this action, for the page to store.
    std::vector<std::string> written_;
    int filesMade_ = 0;
    EditField* focused_ = nullptr;
    bool failed_ = false;
    // Save as stopped to ask the page for a name: nothing was written.
    bool unnamed_ = false;
};

} // namespace

// The limits overview of a project of these bytes: the rows of
// `qntcalc-cli --limits --csv`, or {error} with the reason there are none.
val LimitsCsv(const std::string& bytes) {
    Globals program;
    program.ProgramVersion = QNTCALC_VERSION;
    program.ProgramName = QNTCALC_PRODUCT_NAME;
    LoadedProject loaded(program);
    val result = val::object();
    if (const Result read = loaded.Load("project.ini", bytes); !read.Ok()) {
        result.set("error", read.Message());
        return result;
    }
    cli::Options options;
    options.csv = true;
    std::ostringstream out;
    std::ostringstream err;
    bool headerWritten = false;
    static_cast<void>(cli::RunLimits(loaded, options, std::nullopt, out, err, headerWritten));
    result.set("csv", out.str());
    if (!err.str().empty())
        result.set("error", err.str());
    return result;
}

// The most of a picked file that the page needs to hand in: one byte more
// than a project may have, so that the reader refuses it as too large.
double BytesToRead() {
    return static_cast<double>(kMostProjectBytes) + 1;
}

EMSCRIPTEN_BINDINGS(qntcalc_page) {
    emscripten::function("pageLayout", &PageLayout);
    emscripten::function("bytesToRead", &BytesToRead);
    emscripten::function("limitsCsv", &LimitsCsv);
    emscripten::class_<MainWindow>("MainWindow")
        .constructor<std::string, std::string, val>()
        .function("controls", &MainWindow::Controls)
        .function("recentProjects", &MainWindow::RecentProjects)
        .function("keptFiles", &MainWindow::KeptFiles)
        .function("openRecent", &MainWindow::OpenRecent)
        .function("modified", &MainWindow::Modified)
        .function("started", &MainWindow::Started)
        .function("printSheet", &MainWindow::PrintSheet)
        .function("projectBytes", &MainWindow::ProjectBytes)
        .function("close", &MainWindow::Close)
        .function("enterField", &MainWindow::EnterField)
        .function("typeText", &MainWindow::TypeText)
        .function("leaveField", &MainWindow::LeaveField)
        .function("setChecked", &MainWindow::SetChecked)
        .function("leaveCheckBox", &MainWindow::LeaveCheckBox)
        .function("selectRadio", &MainWindow::SelectRadio)
        .function("pickItem", &MainWindow::PickItem)
        .function("clickMenu", &MainWindow::ClickMenu)
        .function("selectPage", &MainWindow::SelectPage)
        .function("stepPage", &MainWindow::StepPage)
        .function("contextHelp", &MainWindow::ContextHelp)
        .function("openFile", &MainWindow::OpenFile)
        .function("saveAs", &MainWindow::SaveAs)
        .function("useValue", &MainWindow::UseValue);
}
