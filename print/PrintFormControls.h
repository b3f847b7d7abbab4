#pragma once

#include "ui/Controls.h"
#include "ui/HelpTopics.h"
#include "window/FieldFacts.h"

#include <span>
#include <string_view>

// The print sheet's controls: one fixed page that mirrors every input and
// result of the main window. Nothing on it can be edited; the sheet holds no
// data of its own and draws nothing. A view builds its widgets from the
// controls and the layout below and follows them through ControlSet.
namespace qntcalc {

// The sheet window, in pixels at 96 dpi. It cannot be resized; its client
// area is what is printed and copied to the clipboard.
namespace sheet {
inline constexpr int kClientWidth = 460;
inline constexpr int kClientHeight = 596;
inline constexpr int kScreenLeft = 418;
inline constexpr int kScreenTop = 138;
inline constexpr std::string_view kFontName = "MS Sans Serif";
inline constexpr int kFontPoints = 8;
// The print dialog's presets; the program reads back neither.
inline constexpr int kPrintCopies = 1;
inline constexpr bool kPrintToFileOffered = true;
} // namespace sheet

// Right: `x` is where the caption ends, so a longer text grows to the left.
enum class Align { Left, Right };
enum class Anchor { TopLeft, TopLeftRight, TopRight };
enum class Frame { None, Titled, Borderless, Sunken };

// Where one control sits, in pixels from the top-left corner of the client
// area (not of an enclosing frame).
struct Placement {
    std::string_view name;
    int x = 0;
    int top = 0;
    int width = 0;  // 0: as wide as the caption needs
    int height = 0; // 0: as high as the caption needs
    Align align = Align::Left;
    int points = sheet::kFontPoints;
    bool bold = false;
    Anchor anchor = Anchor::TopLeft;
    Frame frame = Frame::None;
};

struct PrintFormControls {
    ControlSet controls;

    Label PrintForm{controls, "PrintForm", topic::kPrintSheet, "Qnt Calculator - Print Sheet"};

    // Frames
    Label GroupBox1{controls, "GroupBox1", topic::kPrintSheet, "Project name"};
    Label Panel1{controls, "Panel1", topic::kPrintSheet, ""};
    Label Bevel1{controls, "Bevel1", topic::kPrintSheet, ""};

    // Project
    EditField Ed_Project{controls, "Ed_Project", topic::kPrintSheet, "", ""};
    Label Lbl_Date{controls, "Lbl_Date", topic::kPrintSheet, ""};

    // Network structure
    RadioGroup rateSource;
    RadioButton RB_Main{controls, rateSource, "RB_Main", topic::kPrintSheet, "", ""};
    EditField Ed_Mainpath{controls, "Ed_Mainpath", topic::kPrintSheet, "", ""};
    Label Label1{controls, "Label1", topic::kPrintSheet, FieldUnit(Field::Mainpath)};
    Label Label2{controls, "Label2", topic::kPrintSheet, FieldLabel(Field::Mainpath)};
    RadioButton RB_Baud{controls, rateSource, "RB_Baud", topic::kPrintSheet, "", ""};
    EditField Ed_MainBaud{controls, "Ed_MainBaud", topic::kPrintSheet, "", ""};
    Label Label3{controls, "Label3", topic::kPrintSheet, FieldUnit(Field::MainBaud)};
    Label Label4{controls, "Label4", topic::kPrintSheet, FieldLabel(Field::MainBaud)};

    // Devices
    EditField Ed_NumIOD{controls, "Ed_NumIOD", topic::kPrintSheet, "", ""};
    Label Label5{controls, "Label5", topic::kPrintSheet, FieldLabel(Field::NumIOD)};
    EditField Ed_NumVesk{controls, "Ed_NumVesk", topic::kPrintSheet, "", ""};
    Label Label6{controls, "Label6", topic::kPrintSheet, FieldLabel(Field::NumVesk)};
    RadioGroup cpuKind;
    RadioButton RB_Vesk1{controls, cpuKind, "RB_Vesk1", topic::kPrintSheet, "", "CPU 1 or 2"};
    RadioButton RB_Vesk3{controls, cpuKind, "RB_Vesk3", topic::kPrintSheet, "", "CPU 3"};
    EditField Ed_LoadFact{controls, "Ed_LoadFact", topic::kPrintSheet, "", ""};
    Label Label7{controls, "Label7", topic::kPrintSheet, FieldUnit(Field::LoadFact)};
    Label Label8{controls, "Label8", topic::kPrintSheet, FieldLabel(Field::LoadFact)};

    // Inputs and outputs
    EditField Ed_NumInp{controls, "Ed_NumInp", topic::kPrintSheet, "", ""};
    Label Label9{controls, "Label9", topic::kPrintSheet, FieldLabel(Field::NumInp)};
    EditField Ed_NumInpCycl{controls, "Ed_NumInpCycl", topic::kPrintSheet, "", ""};
    Label Label10{controls, "Label10", topic::kPrintSheet, FieldLabel(Field::NumInpCycl)};
    EditField Ed_InpCycl{controls, "Ed_InpCycl", topic::kPrintSheet, "", ""};
    Label Label11{controls, "Label11", topic::kPrintSheet, FieldUnit(Field::InpCycl)};
    Label Label12{controls, "Label12", topic::kPrintSheet, FieldLabel(Field::InpCycl)};
    EditField Ed_NumOut{controls, "Ed_NumOut", topic::kPrintSheet, "Total number of output bits",
                        ""};
    Label Label13{controls, "Label13", topic::kPrintSheet, FieldLabel(Field::NumOut)};
    EditField Ed_NumOutCycl{controls, "Ed_NumOutCycl", topic::kPrintSheet,
                            "Number of devices with cyclic output bits!", ""};
    Label Label14{controls, "Label14", topic::kPrintSheet, FieldLabel(Field::NumOutCycl)};
    EditField Ed_OutCycl{controls, "Ed_OutCycl", topic::kPrintSheet,
                         "Fastest cycle time of the cyclic outputs", ""};
    Label Label15{controls, "Label15", topic::kPrintSheet, FieldUnit(Field::OutCycl)};
    Label Label16{controls, "Label16", topic::kPrintSheet, FieldLabel(Field::OutCycl)};

    // Routers
    EditField Ed_NumRouters{controls, "Ed_NumRouters", topic::kPrintSheet,
                            "Number of routers along main path", ""};
    Label Label17{controls, "Label17", topic::kPrintSheet, FieldLabel(Field::NumRouters)};
    EditField Ed_RouterType{controls, "Ed_RouterType", topic::kPrintSheet, "", ""};
    EditField Ed_RouterCorr{controls, "Ed_RouterCorr", topic::kPrintSheet,
                            "Router correction of a single router", ""};
    Label Label18{controls, "Label18", topic::kPrintSheet, FieldUnit(Field::RouterCorr)};
    Label Label19{controls, "Label19", topic::kPrintSheet, FieldLabel(Field::RouterCorr)};
    EditField Ed_LongSeg{controls, "Ed_LongSeg", topic::kPrintSheet,
                         "A segment is terminated by either termination resistors", ""};
    Label Label20{controls, "Label20", topic::kPrintSheet, FieldUnit(Field::LongSeg)};
    Label Label21{controls, "Label21", topic::kPrintSheet, FieldLabel(Field::LongSeg)};
    EditField Ed_MDSeg{controls, "Ed_MDSeg", topic::kPrintSheet,
                       "Length of the segement which contains the MD", ""};
    Label Label22{controls, "Label22", topic::kPrintSheet, FieldUnit(Field::MDSeg)};
    Label Label23{controls, "Label23", topic::kPrintSheet, FieldLabel(Field::MDSeg)};

    // Repeaters
    EditField Ed_NumRepeater{controls, "Ed_NumRepeater", topic::kPrintSheet,
                             "Number of repeaters along main path", ""};
    Label Label24{controls, "Label24", topic::kPrintSheet, FieldLabel(Field::NumRepeater)};
    EditField Ed_RepeaterType{controls, "Ed_RepeaterType", topic::kPrintSheet, "", ""};
    EditField Ed_LRepeater{controls, "Ed_LRepeater", topic::kPrintSheet,
                           "Repeater correction factor of a single repeater (or pair)", ""};
    Label Label25{controls, "Label25", topic::kPrintSheet, FieldUnit(Field::LRepeater)};
    Label Label26{controls, "Label26", topic::kPrintSheet, FieldLabel(Field::LRepeater)};

    // Drop lines
    EditField Ed_DropMax{controls, "Ed_DropMax", topic::kPrintSheet,
                         "Length of longest drop line (non terminated)", ""};
    Label Label27{controls, "Label27", topic::kPrintSheet, FieldUnit(Field::DropMax)};
    Label Label28{controls, "Label28", topic::kPrintSheet, FieldLabel(Field::DropMax)};
    EditField Ed_DropTot{controls, "Ed_DropTot", topic::kPrintSheet,
                         "Total length of all drop lines (in one segment)", ""};
    Label Label29{controls, "Label29", topic::kPrintSheet, FieldUnit(Field::DropTot)};
    Label Label30{controls, "Label30", topic::kPrintSheet, FieldLabel(Field::DropTot)};

    Label Lb_Version{controls, "Lb_Version", topic::kPrintSheet, ""};

    // Results
    Label Label31{controls, "Label31", topic::kPrintSheet, FieldLabel(Field::Baud)};
    EditField Ed_Baud{controls, "Ed_Baud", topic::kPrintSheet, "", ""};
    Label Label32{controls, "Label32", topic::kPrintSheet, FieldUnit(Field::Baud)};
    Label Label33{controls, "Label33", topic::kPrintSheet, FieldLabel(Field::ETO)};
    EditField Ed_ETO{controls, "Ed_ETO", topic::kPrintSheet, "", ""};
    Label Label34{controls, "Label34", topic::kPrintSheet, FieldUnit(Field::ETO)};
    Label Label35{controls, "Label35", topic::kPrintSheet, FieldLabel(Field::BaudLong)};
    Label Label36{controls, "Label36", topic::kPrintSheet, "longest segment"};
    EditField Ed_BaudLong{controls, "Ed_BaudLong", topic::kPrintSheet, "", ""};
    Label Label37{controls, "Label37", topic::kPrintSheet, FieldUnit(Field::BaudLong)};
    Label Label38{controls, "Label38", topic::kPrintSheet, FieldLabel(Field::CTO)};
    EditField Ed_CTO{controls, "Ed_CTO", topic::kPrintSheet, "", ""};
    Label Label39{controls, "Label39", topic::kPrintSheet, FieldUnit(Field::CTO)};
    Label Label40{controls, "Label40", topic::kPrintSheet, FieldLabel(Field::Rmax)};
    EditField Ed_Rmax{controls, "Ed_Rmax", topic::kPrintSheet, "", ""};
    Label Label41{controls, "Label41", topic::kPrintSheet, FieldUnit(Field::Rmax)};
    Label Label42{controls, "Label42", topic::kPrintSheet, FieldLabel(Field::RouterCorrRes)};
    EditField Ed_RouterCorrRes{controls, "Ed_RouterCorrRes", topic::kPrintSheet, "", ""};
    Label Label43{controls, "Label43", topic::kPrintSheet, FieldUnit(Field::RouterCorrRes)};
    Label Label44{controls, "Label44", topic::kPrintSheet, FieldLabel(Field::Alarm)};
    EditField Ed_Alarm{controls, "Ed_Alarm", topic::kPrintSheet, "", ""};
    Label Label45{controls, "Label45", topic::kPrintSheet, FieldUnit(Field::Alarm)};
    Label Label46{controls, "Label46", topic::kPrintSheet, FieldLabel(Field::CVesk)};
    CheckBox CB_CVeskManual{controls, "CB_CVeskManual", topic::kPrintSheet, "", ""};
    EditField Ed_CVesk{controls, "Ed_CVesk", topic::kPrintSheet, "", ""};
    Label Label47{controls, "Label47", topic::kPrintSheet, FieldUnit(Field::CVesk)};

    EditField Ed_Status{controls, "Ed_Status", topic::kPrintSheet, "", ""};

    // Menu, in menu order; a caption of "-" is a separator.
    Label File1{controls, "File1", topic::kPrintSheet, "File"};
    MenuItem CopytoClipboard1{controls, "CopytoClipboard1", topic::kPrintSheet, "Copy to Clipboard",
                              "Ctrl+C"};
    MenuItem N2{controls, "N2", topic::kPrintSheet, "-"};
    MenuItem Printsetup1{controls, "Printsetup1", topic::kPrintSheet, "Printer Setup", "Ctrl+U"};
    MenuItem Print1{controls, "Print1", topic::kPrintSheet, "Print", "Ctrl+P"};
    MenuItem N1{controls, "N1", topic::kPrintSheet, "-"};
    MenuItem Close1{controls, "Close1", topic::kPrintSheet, "Close", "Ctrl+X"};

    PrintFormControls();
    PrintFormControls(const PrintFormControls&) = delete;
    PrintFormControls& operator=(const PrintFormControls&) = delete;

    // Every control on the client area, frames first so that a view stacking
    // them in this order keeps the frames beneath. The window and its menu
    // have no entry.
    static std::span<const Placement> Layout();
    // nullptr for a name without an entry.
    static const Placement* PlacementOf(std::string_view name);
};

} // namespace qntcalc
