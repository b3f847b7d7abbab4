#include "print/PrintFormControls.h"

#include <algorithm>
#include <array>

namespace qntcalc {

namespace {

constexpr int kFieldWidth = 41;
constexpr int kFieldHeight = 21;
// A caption sits this far below the top of the field row it labels.
constexpr int kCaptionDrop = 3;

constexpr Placement Field(std::string_view name, int x, int top, int width = kFieldWidth) {
    return {.name = name, .x = x, .top = top, .width = width, .height = kFieldHeight};
}

constexpr Placement ResultField(std::string_view name, int x, int top) {
    Placement p = Field(name, x, top);
    p.bold = true;
    return p;
}

constexpr Placement Caption(std::string_view name, int x, int row) {
    return {.name = name, .x = x, .top = row + kCaptionDrop};
}

constexpr Placement CaptionEndingAt(std::string_view name, int right, int row) {
    return {.name = name, .x = right, .top = row + kCaptionDrop, .align = Align::Right};
}

constexpr Placement Button(std::string_view name, int x, int top) {
    return {.name = name, .x = x, .top = top};
}

constexpr std::array kLayout{
    Placement{.name = "GroupBox1",
              .x = 0,
              .top = 0,
              .width = 460,
              .height = 49,
              .anchor = Anchor::TopLeftRight,
              .frame = Frame::Titled},
    Placement{.name = "Panel1",
              .x = 0,
              .top = 48,
              .width = 460,
              .height = 52,
              .frame = Frame::Borderless},
    Placement{
        .name = "Bevel1", .x = 0, .top = 472, .width = 457, .height = 121, .frame = Frame::Sunken},

    Placement{.name = "Ed_Project", .x = 8, .top = 16, .width = 372, .height = 24, .points = 10},
    Placement{.name = "Lbl_Date",
              .x = 454,
              .top = 18,
              .align = Align::Right,
              .points = 10,
              .anchor = Anchor::TopRight},

    Button("RB_Main", 8, 56),
    Field("Ed_Mainpath", 24, 53),
    Caption("Label1", 72, 53),
    CaptionEndingAt("Label2", 145, 53),
    Button("RB_Baud", 8, 79),
    Field("Ed_MainBaud", 24, 77),
    Caption("Label3", 72, 77),
    CaptionEndingAt("Label4", 201, 77),

    Field("Ed_NumIOD", 8, 101),
    Caption("Label5", 56, 101),
    Field("Ed_NumVesk", 8, 125),
    Caption("Label6", 56, 125),
    Button("RB_Vesk1", 144, 128),
    Button("RB_Vesk3", 232, 128),
    Field("Ed_LoadFact", 8, 148),
    Caption("Label7", 64, 148),
    CaptionEndingAt("Label8", 137, 148),

    Field("Ed_NumInp", 8, 181),
    Caption("Label9", 56, 181),
    Field("Ed_NumInpCycl", 8, 205),
    Caption("Label10", 56, 205),
    Field("Ed_InpCycl", 8, 229),
    Caption("Label11", 56, 229),
    Caption("Label12", 88, 229),
    Field("Ed_NumOut", 248, 181),
    Caption("Label13", 296, 181),
    Field("Ed_NumOutCycl", 248, 205),
    Caption("Label14", 297, 205),
    Field("Ed_OutCycl", 248, 229),
    Caption("Label15", 296, 229),
    Caption("Label16", 328, 229),

    Field("Ed_NumRouters", 8, 261),
    CaptionEndingAt("Label17", 140, 261),
    Field("Ed_RouterType", 8, 285, 233),
    Field("Ed_RouterCorr", 8, 309),
    Caption("Label18", 56, 309),
    CaptionEndingAt("Label19", 238, 309),
    Field("Ed_LongSeg", 248, 261),
    Caption("Label20", 296, 261),
    CaptionEndingAt("Label21", 449, 261),
    Field("Ed_MDSeg", 248, 285),
    Caption("Label22", 296, 285),
    Caption("Label23", 326, 285),

    Field("Ed_NumRepeater", 8, 341),
    Caption("Label24", 57, 341),
    Field("Ed_RepeaterType", 8, 365, 233),
    Field("Ed_LRepeater", 8, 389),
    Caption("Label25", 56, 389),
    CaptionEndingAt("Label26", 233, 389),

    Field("Ed_DropMax", 8, 421),
    Caption("Label27", 56, 421),
    Caption("Label28", 80, 421),
    Field("Ed_DropTot", 8, 444),
    Caption("Label29", 56, 444),
    Caption("Label30", 80, 444),
    Placement{.name = "Lb_Version", .x = 453, .top = 453, .align = Align::Right, .points = 6},

    CaptionEndingAt("Label31", 133, 477),
    ResultField("Ed_Baud", 140, 477),
    Caption("Label32", 188, 477),
    CaptionEndingAt("Label33", 365, 477),
    ResultField("Ed_ETO", 372, 476),
    Caption("Label34", 420, 477),

    Placement{.name = "Label35", .x = 133, .top = 497, .align = Align::Right},
    Placement{.name = "Label36", .x = 132, .top = 509, .align = Align::Right},
    ResultField("Ed_BaudLong", 140, 501),
    Caption("Label37", 188, 501),
    CaptionEndingAt("Label38", 365, 501),
    ResultField("Ed_CTO", 372, 500),
    Caption("Label39", 420, 501),

    CaptionEndingAt("Label40", 133, 526),
    ResultField("Ed_Rmax", 140, 526),
    Caption("Label41", 188, 526),
    CaptionEndingAt("Label42", 366, 526),
    ResultField("Ed_RouterCorrRes", 372, 525),
    Caption("Label43", 420, 526),

    CaptionEndingAt("Label44", 133, 550),
    ResultField("Ed_Alarm", 140, 550),
    Caption("Label45", 188, 550),
    CaptionEndingAt("Label46", 333, 550),
    Placement{.name = "CB_CVeskManual", .x = 353, .top = 552, .width = 16, .height = 17},
    ResultField("Ed_CVesk", 372, 549),
    Caption("Label47", 420, 550),

    Field("Ed_Status", 0, 573, 457),
};

} // namespace

PrintFormControls::PrintFormControls() {
    // Nothing on the sheet takes input.
    for (Control* control : controls.All()) {
        std::visit(Overloaded{[](EditField* edit) { edit->SetEnabled(false); },
                              [](RadioButton* button) { button->SetEnabled(false); },
                              [](CheckBox* box) { box->SetEnabled(false); }, [](auto*) {}},
                   control->Kind());
    }
    GroupBox1.SetEnabled(false);
    for (EditField* result : {&Ed_Baud, &Ed_BaudLong, &Ed_ETO, &Ed_CTO, &Ed_Rmax, &Ed_Alarm,
                              &Ed_RouterCorrRes, &Ed_CVesk})
        result->SetReadOnly(true);
}

std::span<const Placement> PrintFormControls::Layout() {
    return kLayout;
}

const Placement* PrintFormControls::PlacementOf(std::string_view name) {
    const auto found = std::find_if(kLayout.begin(), kLayout.end(),
                                    [name](const Placement& p) { return p.name == name; });
    return found != kLayout.end() ? &*found : nullptr;
}

} // namespace qntcalc
