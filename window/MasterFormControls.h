#pragma once

#include "ui/Controls.h"
#include "ui/HelpTopics.h"
#include "ui/UiTexts.h"
#include "window/FieldFacts.h"

#include <initializer_list>

// The main window's controls with their design-time properties: name, help
// topic, hint, caption or default text. Behaviour lives in TMasterForm.
namespace qntcalc {

struct MasterFormControls {
    ControlSet controls;

    Label MasterForm{controls, "MasterForm", topic::kWindow, std::string(texts::kProgramTitle)};

    // Project group
    Label GroupBox5{controls, "GroupBox5", topic::kWindow, "Project name"};
    EditField Ed_Project{controls, "Ed_Project", topic::kWindow, "", "Project name"};
    Label Lbl_Date{controls, "Lbl_Date", topic::kWindow, ""};

    PageControl PageControl1{controls,
                             "PageControl1",
                             topic::kWindow,
                             {{"GB_Network", "Network structure", topic::kNetwork},
                              {"GB_Devices", "Devices", topic::kDevices},
                              {"GB_Inputs", "Inputs", topic::kInputs},
                              {"GB_Outputs", "Outputs", topic::kOutputs},
                              {"GB_Routers", "Routers", topic::kRouters},
                              {"GB_Repeaters", "Repeaters", topic::kRepeaters},
                              {"GB_DropLines", "Drop Lines", topic::kDropLines},
                              {"GB_Results", "Results", topic::kResults}}};

    // Network structure
    RadioGroup rateSource;
    RadioButton RB_Main{
        controls, rateSource, "RB_Main", topic::kNetwork, "Select to define network structure", ""};
    EditField Ed_Mainpath{controls, "Ed_Mainpath", topic::kNetwork, "Lenght of main path in meters",
                          "100"};
    Label Label19{controls, "Label19", topic::kNetwork, FieldUnit(Field::Mainpath)};
    Label Label18{controls, "Label18", topic::kNetwork, FieldLabel(Field::Mainpath)};
    EditField Ed_LeerMain{controls, "Ed_LeerMain", topic::kNetwork, "Lenght of main path in meters",
                          ""};
    RadioButton RB_Baud{controls,
                        rateSource,
                        "RB_Baud",
                        topic::kNetwork,
                        "Select to directly use known transmission rate.",
                        ""};
    EditField Ed_MainBaud{controls, "Ed_MainBaud", topic::kNetwork,
                          "Predefined transmission rate - No network data required!", "500"};
    Label LBL_Baud2{controls, "LBL_Baud2", topic::kNetwork, FieldUnit(Field::MainBaud)};
    Label LBL_Baud{controls, "LBL_Baud", topic::kNetwork, FieldLabel(Field::MainBaud)};
    EditField Ed_LeerBaud{controls, "Ed_LeerBaud", topic::kNetwork, "Lenght of main path in meters",
                          ""};
    Label GB_Structure{controls, "GB_Structure", topic::kNetwork, "Network contains"};
    CheckBox CB_Routers{controls, "CB_Routers", topic::kNetwork, "Select if routers are used",
                        "Routers"};
    CheckBox CB_Repeaters{controls, "CB_Repeaters", topic::kNetwork, "Select if repeaters are used",
                          "Repeaters"};
    CheckBox CB_DropLines{controls, "CB_DropLines", topic::kNetwork,
                          "Select if drop lines are used", "Drop lines"};

    // Devices
    EditField Ed_NumIOD{controls, "Ed_NumIOD", topic::kDevices,
                        "Number of Quarnet I/O devices - not including Vesk", "10"};
    Label Label15{controls, "Label15", topic::kDevices, FieldLabel(Field::NumIOD)};
    EditField Ed_NumVesk{controls, "Ed_NumVesk", topic::kDevices, "Number of Vesk (CPU 1, 2 or 3)",
                         "1"};
    Label Label16{controls, "Label16", topic::kDevices, FieldLabel(Field::NumVesk)};
    RadioGroup cpuKind;
    RadioButton RB_Vesk1{
        controls, cpuKind, "RB_Vesk1", topic::kDevices, "Only CPU 1 or 2 are used", "CPU 1 or 2"};
    RadioButton RB_Vesk3{controls, cpuKind, "RB_Vesk3", topic::kDevices, "CPU 3 are used", "CPU 3"};
    EditField Ed_LoadFact{controls, "Ed_LoadFact", topic::kDevices,
                          "Percentage of I/O's changing each cycle. 5% is a typical value. "
                          "Higher values are for very dynamic systems which should be covered "
                          "by cyclic I/O's.",
                          "5"};
    Label Label4{controls, "Label4", topic::kDevices, FieldUnit(Field::LoadFact)};
    Label Label3{controls, "Label3", topic::kDevices, FieldLabel(Field::LoadFact)};

    // Inputs
    EditField Ed_NumInp{controls, "Ed_NumInp", topic::kInputs,
                        "Total number of input bits used - do not count unused bits", "64"};
    Label Label29{controls, "Label29", topic::kInputs, FieldLabel(Field::NumInp)};
    EditField Ed_NumInpCycl{controls, "Ed_NumInpCycl", topic::kInputs,
                            "Input bits with cycle times less then 1000 ms", "0"};
    Label Label31{controls, "Label31", topic::kInputs, FieldLabel(Field::NumInpCycl),
                  WhatIfSubject(Field::NumInpCycl)};
    EditField Ed_InpCycl{controls, "Ed_InpCycl", topic::kInputs,
                         "Fastest cycle time of the cyclic inputs", "100"};
    Label Label32{controls, "Label32", topic::kInputs, FieldUnit(Field::InpCycl)};
    Label Label33{controls, "Label33", topic::kInputs, FieldLabel(Field::InpCycl)};

    // Outputs
    EditField Ed_NumOut{controls, "Ed_NumOut", topic::kOutputs,
                        "Total number of output bits used - do not count unused bits", "50"};
    Label Label34{controls, "Label34", topic::kOutputs, FieldLabel(Field::NumOut)};
    EditField Ed_NumOutCycl{controls, "Ed_NumOutCycl", topic::kOutputs,
                            "Number of devices (not bits!) with cyclic output bits!", "0"};
    Label Label36{controls, "Label36", topic::kOutputs, FieldLabel(Field::NumOutCycl)};
    EditField Ed_OutCycl{controls, "Ed_OutCycl", topic::kOutputs,
                         "Fastest cycle time of the cyclic outputs", "100"};
    Label Label37{controls, "Label37", topic::kOutputs, FieldUnit(Field::OutCycl)};
    Label Label38{controls, "Label38", topic::kOutputs, FieldLabel(Field::OutCycl)};

    // Routers
    EditField Ed_NumRouters{controls, "Ed_NumRouters", topic::kRouters,
                            "Number of routers along main path", "0"};
    Label Label8{controls, "Label8", topic::kRouters, FieldLabel(Field::NumRouters),
                 "Number of routers along the main path"};
    ComboBox CB_RouterType{controls, "CB_RouterType", topic::kRouters, "Select router type"};
    EditField Ed_RouterCorr{controls, "Ed_RouterCorr", topic::kRouters,
                            "Router correction of a single router", "0"};
    Label Label26{controls, "Label26", topic::kRouters, FieldUnit(Field::RouterCorr)};
    Label Label25{controls, "Label25", topic::kRouters, FieldLabel(Field::RouterCorr),
                  "Longest router correction time"};
    EditField Ed_LongSeg{controls, "Ed_LongSeg", topic::kRouters,
                         "Length of the longest segment created by the router(s). This may be "
                         "the MD segment!",
                         "0"};
    Label Label28{controls, "Label28", topic::kRouters, FieldUnit(Field::LongSeg)};
    Label Label27{controls, "Label27", topic::kRouters, FieldLabel(Field::LongSeg)};
    EditField Ed_MDSeg{controls, "Ed_MDSeg", topic::kRouters,
                       "Length of the segement which contains the MD", "0"};
    Label Label46{controls, "Label46", topic::kRouters, FieldUnit(Field::MDSeg)};
    Label Label17{controls, "Label17", topic::kRouters, FieldLabel(Field::MDSeg)};

    // Repeaters
    EditField Ed_NumRepeater{controls, "Ed_NumRepeater", topic::kRepeaters,
                             "Number of repeaters along main path", "0"};
    Label Label41{controls, "Label41", topic::kRepeaters, FieldLabel(Field::NumRepeater),
                  "Number of routers along the main path"};
    ComboBox CB_RepeaterType{controls, "CB_RepeaterType", topic::kRepeaters,
                             "Select repeater type"};
    EditField Ed_LRepeater{controls, "Ed_LRepeater", topic::kRepeaters,
                           "Repeater correction factor of a single repeater (or pair)", "0"};
    Label Label7{controls, "Label7", topic::kRepeaters, FieldUnit(Field::LRepeater)};
    Label Label24{controls, "Label24", topic::kRepeaters, FieldLabel(Field::LRepeater),
                  "Longest router correction time"};

    // Drop lines
    EditField Ed_DropMax{controls, "Ed_DropMax", topic::kDropLines,
                         "Length of longest drop line (non terminated)", "0"};
    Label Label21{controls, "Label21", topic::kDropLines, FieldUnit(Field::DropMax)};
    Label Label20{controls, "Label20", topic::kDropLines, FieldLabel(Field::DropMax)};
    EditField Ed_DropTot{controls, "Ed_DropTot", topic::kDropLines,
                         "Total length of all drop lines (in one segment)", "0"};
    Label Label23{controls, "Label23", topic::kDropLines, FieldUnit(Field::DropTot)};
    Label Label22{controls, "Label22", topic::kDropLines, FieldLabel(Field::DropTot)};

    // Results
    EditField Ed_Baud{controls, "Ed_Baud", topic::kResults, "Recommended baud rate set at MD",
                      "20"};
    Label Label1{controls, "Label1", topic::kResults, FieldLabel(Field::Baud)};
    Label Label2{controls, "Label2", topic::kResults, FieldUnit(Field::Baud)};
    EditField Ed_BaudLong{controls, "Ed_BaudLong", topic::kResults,
                          "Recommended baud rate of longest segment", "20"};
    Label Label42{controls, "Label42", topic::kResults, FieldLabel(Field::BaudLong)};
    Label Label48{controls, "Label48", topic::kResults, "longest segment"};
    Label Label47{controls, "Label47", topic::kResults, FieldUnit(Field::BaudLong)};
    EditField Ed_Rmax{controls, "Ed_Rmax", topic::kResults,
                      "Resulting worst case reaction time based of the other results.", "400"};
    Label Label13{controls, "Label13", topic::kResults, FieldLabel(Field::Rmax)};
    Label Label14{controls, "Label14", topic::kResults, FieldUnit(Field::Rmax)};
    EditField Ed_Alarm{controls, "Ed_Alarm", topic::kResults,
                       "Resulting alarm reaction time if alarms are used", "100"};
    Label Label30{controls, "Label30", topic::kResults, FieldLabel(Field::Alarm)};
    Label Label35{controls, "Label35", topic::kResults, FieldUnit(Field::Alarm)};
    EditField Ed_ETO{controls, "Ed_ETO", topic::kResults,
                     "Minimum event timeout time ETO to be configured in Vesk configurator", "100"};
    Label Label9{controls, "Label9", topic::kResults, FieldLabel(Field::ETO)};
    Label Label10{controls, "Label10", topic::kResults, FieldUnit(Field::ETO)};
    EditField Ed_CTO{controls, "Ed_CTO", topic::kResults,
                     "Minimum cycle timeout time CTO to be configured in Vesk", "200"};
    Label Label11{controls, "Label11", topic::kResults, FieldLabel(Field::CTO)};
    Label Label12{controls, "Label12", topic::kResults, FieldUnit(Field::CTO)};
    EditField Ed_RouterCorrRes{controls, "Ed_RouterCorrRes", topic::kResults,
                               "Router correction time to be configured in Vesk", "0"};
    Label Label5{controls, "Label5", topic::kResults, FieldLabel(Field::RouterCorrRes)};
    Label Label6{controls, "Label6", topic::kResults, FieldUnit(Field::RouterCorrRes)};
    EditField Ed_CVesk{controls, "Ed_CVesk", topic::kResults,
                       "Estimated resulting Vesk cycle time. Depending on complexity of user "
                       "program.",
                       "5"};
    Label Label39{controls, "Label39", topic::kResults, FieldLabel(Field::CVesk)};
    Label Label40{controls, "Label40", topic::kResults, FieldUnit(Field::CVesk)};
    CheckBox CB_CVeskManual{controls, "CB_CVeskManual", topic::kResults,
                            "Enter Vesk cycle time manually", ""};

    // Bottom of the window
    IndicatorBar BAR_Reaction{controls, "BAR_Reaction", topic::kWindow, "Reaction time indicator",
                              800};
    StatusBar SB_Status{controls, "SB_Status", topic::kWindow, "Status info"};

    // Main menu
    Label File1{controls, "File1", topic::kWindow, "File"};
    MenuItem Open{controls, "Open", topic::kWindow, "Open", "Ctrl+O"};
    MenuItem Save{controls, "Save", topic::kWindow, "Save", "Ctrl+S"};
    MenuItem SaveAs{controls, "SaveAs", topic::kWindow, "Save as", "Ctrl+A"};
    MenuItem ExportReport{controls, "ExportReport", topic::kReport, "Export report\u2026"};
    MenuItem CopytoClipboard1{controls, "CopytoClipboard1", topic::kPrinting, "Copy to Clipboard",
                              "Ctrl+C"};
    MenuItem Printersetup1{controls, "Printersetup1", topic::kPrinting, "Printer setup", "Ctrl+U"};
    MenuItem Print{controls, "Print", topic::kPrinting, "Print", "Ctrl+P"};
    MenuItem Printpreview1{controls, "Printpreview1", topic::kPrinting, "Print preview", "Ctrl+R"};
    MenuItem Exit{controls, "Exit", topic::kWindow, "Exit", "Ctrl+X"};
    Label Edit1{controls, "Edit1", topic::kWindow, "Edit"};
    MenuItem Undo{controls, "Undo", topic::kWindow, "Undo", "Ctrl+Z"};
    MenuItem Redo{controls, "Redo", topic::kWindow, "Redo", "Ctrl+Shift+Z"};
    Label OptionsMenu{controls, "Options", topic::kModes, "Options"};
    MenuGroup modes;
    MenuItem Standard{controls, "Standard", topic::kModes, "Standard mode", "", &modes};
    MenuItem Expert{controls, "Expert", topic::kModes, "Expert mode", "", &modes};
    MenuItem Baudratemode{controls, "Baudratemode", topic::kModes, "Baud rate mode", "", &modes};
    MenuItem N5{controls, "N5", topic::kModes, "-"};
    MenuItem WhatIf1{controls, "WhatIf1", topic::kWhatIf, "What-if\u2026"};
    Label Help1{controls, "Help1", topic::kWindow, "Help"};
    MenuItem Help2{controls, "Help2", topic::kWindow, "Help", "Ctrl+F1"};
    MenuItem About{controls, "About", topic::kAbout, "About"};

    MasterFormControls();
};

// The design-time states beyond the constructors' arguments.
inline MasterFormControls::MasterFormControls() {
    RB_Main.SetChecked(true);
    RB_Main.SetVisible(false);
    for (EditField* placeholder : {&Ed_LeerMain, &Ed_LeerBaud}) {
        placeholder->SetEnabled(false);
        placeholder->SetVisible(false);
    }
    for (Control* hidden : std::initializer_list<Control*>{
             &RB_Baud, &Ed_MainBaud, &LBL_Baud2, &LBL_Baud, &Ed_LoadFact, &Label4, &Label3})
        hidden->SetVisible(false);
    for (EditField* result : {&Ed_Baud, &Ed_BaudLong, &Ed_Rmax, &Ed_Alarm, &Ed_ETO, &Ed_CTO,
                              &Ed_RouterCorrRes, &Ed_CVesk})
        result->SetReadOnly(true);
    Save.SetEnabled(false);
    Undo.SetEnabled(false);
    Redo.SetEnabled(false);
    Standard.SetChecked(true);
}

} // namespace qntcalc
