#pragma once

#include "window/FieldFacts.h"

#include <array>
#include <span>
#include <string_view>

// Where each control of the eight pages sits: rows and columns of the
// original design, fields left with unit and caption to their right, and on
// the Results page caption, field and unit. Every view of the main window
// lays its pages out from here, so a control added to a page is added once.
namespace qntcalc::page_layout {

// Columns of an input page: rate-source radio button (Network page only),
// field, unit, caption; the Routers page repeats field, unit and caption
// further right. kEnd takes what width is left.
enum Column : int { kRadio, kField, kUnit, kCaption, kGap, kField2, kUnit2, kCaption2, kEnd };

// Columns of the Results page: caption, field and unit twice.
enum ResultColumn : int {
    kResCaption,
    kResField,
    kResUnit,
    kResGap,
    kResCaption2,
    kResField2,
    kResUnit2,
    kResEnd
};

enum class Arrangement {
    One,       // the control alone
    Boxed,     // a group box (the first) around the others, side by side
    Side,      // side by side from the left
    SideRight, // side by side against the right edge
    Stacked,   // one over the other
};

enum class Align { Fill, Left, Right };

// Controls that share a cell lie on top of each other (a placeholder over
// the field it covers); the mode shows one of them.
struct Cell {
    int row;
    int column;
    int columnSpan;
    Arrangement arrangement;
    std::array<std::string_view, 4> controls; // names of the window's controls
    Align align = Align::Fill;
};

struct PageCells {
    Page page;
    std::span<const Cell> cells;
    int columns; // the last column, which stretches
};

using A = Arrangement;

// clang-format off
inline constexpr Cell kNetwork[] = {
    {0, kRadio, 1, A::One, {"RB_Main"}},
    {0, kField, 1, A::One, {"Ed_Mainpath"}},
    {0, kField, 1, A::One, {"Ed_LeerMain"}},
    {0, kUnit, 1, A::One, {"Label19"}},
    {0, kCaption, 1, A::One, {"Label18"}},
    {1, kRadio, 1, A::One, {"RB_Baud"}},
    {1, kField, 1, A::One, {"Ed_MainBaud"}},
    {1, kField, 1, A::One, {"Ed_LeerBaud"}},
    {1, kUnit, 1, A::One, {"LBL_Baud2"}},
    {1, kCaption, 1, A::One, {"LBL_Baud"}},
    {2, kField, kEnd - kField, A::Boxed, {"GB_Structure", "CB_Routers", "CB_Repeaters", "CB_DropLines"}},
};

inline constexpr Cell kDevices[] = {
    {0, kField, 1, A::One, {"Ed_NumIOD"}},
    {0, kCaption, kEnd - kCaption, A::One, {"Label15"}},
    {1, kField, 1, A::One, {"Ed_NumVesk"}},
    {1, kCaption, 1, A::One, {"Label16"}},
    {1, kGap, kEnd - kGap, A::Side, {"RB_Vesk1", "RB_Vesk3"}},
    {2, kField, 1, A::One, {"Ed_LoadFact"}},
    {2, kUnit, 1, A::One, {"Label4"}},
    {2, kCaption, 1, A::One, {"Label3"}},
};

inline constexpr Cell kInputs[] = {
    {0, kField, 1, A::One, {"Ed_NumInp"}},
    {0, kCaption, 1, A::One, {"Label29"}},
    {1, kField, 1, A::One, {"Ed_NumInpCycl"}},
    {1, kCaption, 1, A::One, {"Label31"}},
    {2, kField, 1, A::One, {"Ed_InpCycl"}},
    {2, kUnit, 1, A::One, {"Label32"}},
    {2, kCaption, 1, A::One, {"Label33"}},
};

inline constexpr Cell kOutputs[] = {
    {0, kField, 1, A::One, {"Ed_NumOut"}},
    {0, kCaption, 1, A::One, {"Label34"}},
    {1, kField, 1, A::One, {"Ed_NumOutCycl"}},
    {1, kCaption, 1, A::One, {"Label36"}},
    {2, kField, 1, A::One, {"Ed_OutCycl"}},
    {2, kUnit, 1, A::One, {"Label37"}},
    {2, kCaption, 1, A::One, {"Label38"}},
};

inline constexpr Cell kRouters[] = {
    {0, kField, 1, A::One, {"Ed_NumRouters"}},
    {0, kCaption, 1, A::One, {"Label8"}},
    {1, kField, kGap - kField, A::One, {"CB_RouterType"}, Align::Left},
    {2, kField, 1, A::One, {"Ed_RouterCorr"}},
    {2, kUnit, 1, A::One, {"Label26"}},
    // Nothing stands right of the last row, so its long caption may run on.
    {2, kCaption, kEnd - kCaption, A::One, {"Label25"}},
    {0, kField2, 1, A::One, {"Ed_LongSeg"}},
    {0, kUnit2, 1, A::One, {"Label28"}},
    {0, kCaption2, 1, A::One, {"Label27"}},
    {1, kField2, 1, A::One, {"Ed_MDSeg"}},
    {1, kUnit2, 1, A::One, {"Label46"}},
    {1, kCaption2, 1, A::One, {"Label17"}},
};

inline constexpr Cell kRepeaters[] = {
    {0, kField, 1, A::One, {"Ed_NumRepeater"}},
    {0, kCaption, 1, A::One, {"Label41"}},
    {1, kField, kGap - kField, A::One, {"CB_RepeaterType"}, Align::Left},
    {2, kField, 1, A::One, {"Ed_LRepeater"}},
    {2, kUnit, 1, A::One, {"Label7"}},
    {2, kCaption, 1, A::One, {"Label24"}},
};

inline constexpr Cell kDropLines[] = {
    {0, kField, 1, A::One, {"Ed_DropMax"}},
    {0, kUnit, 1, A::One, {"Label21"}},
    {0, kCaption, 1, A::One, {"Label20"}},
    {1, kField, 1, A::One, {"Ed_DropTot"}},
    {1, kUnit, 1, A::One, {"Label23"}},
    {1, kCaption, 1, A::One, {"Label22"}},
};

// Captions stand right-aligned against their fields.
inline constexpr Cell kResults[] = {
    {0, kResCaption, 1, A::One, {"Label1"}, Align::Right},
    {0, kResField, 1, A::One, {"Ed_Baud"}},
    {0, kResUnit, 1, A::One, {"Label2"}},
    // "Transmission rate" over "longest segment", one caption in two lines.
    {1, kResCaption, 1, A::Stacked, {"Label42", "Label48"}, Align::Right},
    {1, kResField, 1, A::One, {"Ed_BaudLong"}},
    {1, kResUnit, 1, A::One, {"Label47"}},
    {2, kResCaption, 1, A::One, {"Label13"}, Align::Right},
    {2, kResField, 1, A::One, {"Ed_Rmax"}},
    {2, kResUnit, 1, A::One, {"Label14"}},
    {3, kResCaption, 1, A::One, {"Label30"}, Align::Right},
    {3, kResField, 1, A::One, {"Ed_Alarm"}},
    {3, kResUnit, 1, A::One, {"Label35"}},
    {0, kResCaption2, 1, A::One, {"Label9"}, Align::Right},
    {0, kResField2, 1, A::One, {"Ed_ETO"}},
    {0, kResUnit2, 1, A::One, {"Label10"}},
    {1, kResCaption2, 1, A::One, {"Label11"}, Align::Right},
    {1, kResField2, 1, A::One, {"Ed_CTO"}},
    {1, kResUnit2, 1, A::One, {"Label12"}},
    {2, kResCaption2, 1, A::One, {"Label5"}, Align::Right},
    {2, kResField2, 1, A::One, {"Ed_RouterCorrRes"}},
    {2, kResUnit2, 1, A::One, {"Label6"}},
    // The manual-entry box sits between the caption and the field.
    {3, kResCaption2, 1, A::SideRight, {"Label39", "CB_CVeskManual"}},
    {3, kResField2, 1, A::One, {"Ed_CVesk"}},
    {3, kResUnit2, 1, A::One, {"Label40"}},
};

// In the order of PageControl1's pages.
inline constexpr std::array<PageCells, 8> kPages{{
    {Page::Network, kNetwork, kEnd},
    {Page::Devices, kDevices, kEnd},
    {Page::Inputs, kInputs, kEnd},
    {Page::Outputs, kOutputs, kEnd},
    {Page::Routers, kRouters, kEnd},
    {Page::Repeaters, kRepeaters, kEnd},
    {Page::DropLines, kDropLines, kEnd},
    {Page::Results, kResults, kResEnd},
}};
// clang-format on

// The first row below a page's controls, which takes the rest of its height.
constexpr int RowsOf(const PageCells& page) {
    int rows = 0;
    for (const Cell& cell : page.cells)
        rows = cell.row + 1 > rows ? cell.row + 1 : rows;
    return rows;
}

} // namespace qntcalc::page_layout
