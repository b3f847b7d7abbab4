#pragma once

#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace qntcalc::testing {

// Everything a project file restores, as one comparable record.
struct ProjectControls {
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::pair<std::string, bool>> states;
    int routerType, repeaterType, page;
    bool operator==(const ProjectControls&) const = default;
};

inline ProjectControls Snapshot(const TMasterForm& f) {
    ProjectControls s;
    s.texts.emplace_back(f.Ed_Project.Name(), f.Ed_Project.Text());
    // The inputs; the results are computed afresh.
    for (const FieldRow& row : kFieldRows) {
        if (row.group != FileGroup::Results)
            s.texts.emplace_back((f.*row.edit).Name(), (f.*row.edit).Text());
    }
    // A cycle time typed by hand is an input too.
    if (f.CB_CVeskManual.Checked())
        s.texts.emplace_back(f.Ed_CVesk.Name(), f.Ed_CVesk.Text());
    for (const CheckBox* b : {&f.CB_Routers, &f.CB_Repeaters, &f.CB_DropLines, &f.CB_CVeskManual})
        s.states.emplace_back(b->Name(), b->Checked());
    for (const RadioButton* r : {&f.RB_Main, &f.RB_Baud, &f.RB_Vesk1, &f.RB_Vesk3})
        s.states.emplace_back(r->Name(), r->Checked());
    for (const MenuItem* m : {&f.Standard, &f.Expert, &f.Baudratemode})
        s.states.emplace_back(m->Name(), m->Checked());
    s.routerType = f.CB_RouterType.ItemIndex();
    s.repeaterType = f.CB_RepeaterType.ItemIndex();
    s.page = f.PageControl1.ActivePageIndex();
    return s;
}

inline void PrintTo(const ProjectControls& s, std::ostream* os) {
    for (const auto& [name, text] : s.texts)
        *os << name << '=' << text << ' ';
    for (const auto& [name, on] : s.states)
        *os << name << '=' << on << ' ';
    *os << "router=" << s.routerType << " repeater=" << s.repeaterType << " page=" << s.page;
}

} // namespace qntcalc::testing
