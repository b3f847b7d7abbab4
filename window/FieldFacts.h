#pragma once

#include "engine/CalcState.h"
#include "text/Units.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// What a row of the field table (window/FieldTable.h) says of a field. Kept
// apart from the table so the window's controls can take their captions
// from it while the table points into the controls.
namespace qntcalc {

struct MasterFormControls;
class CheckBox;
class ComboBox;
class RadioButton;
class EditField;

// Indexes of the pages of PageControl1.
enum class Page : int { Network, Devices, Inputs, Outputs, Routers, Repeaters, DropLines, Results };

// The check a field's change handler runs on the typed value.
enum class ValueCheck {
    None,             // computed: the calculation writes it
    GreaterZero,      // "Value must be greater than 0."
    GreaterEqualZero, // "Value must be greater or equal 0."
    DirectRate,       // only counts while preselected; unreadable text is 500
};

// The run of the project file's Settings section a field's key stands in;
// the runs are parted by keys of other controls.
enum class FileGroup { Network, Structure, Routers, Devices, Controllers, InputsOutputs, Results };

// Whether the What-if window asks of the field. A user can type into it
// when its page and edit field are shown, enabled and writable (which alone
// decides, say, the router correction time: only for a manually timed
// router type with routers counted), and a typed value may only last while
// a box or button is chosen (`countsWhile`).
enum class Typing {
    Never, // computed, or not a question to ask what-if of
    Free,  // whenever the window lets it be typed
};

struct WhatIfFacts {
    Typing typing = Typing::Never;
    int position = -1;        // in the What-if window's list
    std::string_view subject; // its name there, where not the window's label
    std::string_view inSentence; // within a sentence: "main path", "MD segment"
    InputUnit unit = InputUnit::Count;
    // The default end of a headroom search: just past the value where a
    // plausibility rule or the rate model ends every network (or for cycle
    // times, which are searched downwards, the smallest typeable value).
    int32_t practicalLimit = 0;
    bool searchDownwards = false; // shorter is the question: cycle times
    // What must be filled in before the input counts: the cycle time of a
    // count of cyclic bits or devices, the type of routers and repeaters.
    struct Enabler {
        std::optional<Field> field = std::nullopt;
        ComboBox MasterFormControls::*list = nullptr;
        std::string_view inSentence = {}; // the list's: "router type"
    } enabledBy = {};
    // The cycle time typed lasts only while entered by hand, the rate typed
    // counts only while preselected.
    std::variant<std::monostate, CheckBox MasterFormControls::*, RadioButton MasterFormControls::*>
        countsWhile = {};
};

struct FieldRow {
    Field field;
    std::string_view key; // in the project file, --set, --sweep and --headroom
    EditField MasterFormControls::*edit;
    ValueCheck check;
    FileGroup group;
    std::string_view readDefault; // the text for a missing key
    std::string_view label;       // as the window shows it
    std::string_view unit;        // the window's unit label; empty for counts
    Page page;
    WhatIfFacts whatIf;
};

// For the controls' captions, which the table's own header cannot serve.
std::string FieldLabel(Field field);
std::string FieldUnit(Field field);
std::string WhatIfSubject(Field field);

} // namespace qntcalc
