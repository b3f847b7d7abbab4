#include "engine/CalcState.h"

namespace qntcalc {

namespace {

struct FieldEntry {
    std::string_view name;
    int32_t CalcState::*member;
};

constexpr std::array<FieldEntry, kFieldCount> kFieldTable{{
    {"Mainpath", &CalcState::Mainpath},
    {"MainBaud", &CalcState::MainBaud},
    {"DropMax", &CalcState::DropMax},
    {"DropTot", &CalcState::DropTot},
    {"NumRouters", &CalcState::NumRouters},
    {"RouterCorr", &CalcState::RouterCorr},
    {"LongSeg", &CalcState::LongSeg},
    {"MDSeg", &CalcState::MDSeg},
    {"NumRepeater", &CalcState::NumRepeater},
    {"LRepeater", &CalcState::LRepeater},
    {"LoadFact", &CalcState::LoadFact},
    {"NumIOD", &CalcState::NumIOD},
    {"NumVesk", &CalcState::NumVesk},
    {"NumInp", &CalcState::NumInp},
    {"NumInpCycl", &CalcState::NumInpCycl},
    {"InpCycl", &CalcState::InpCycl},
    {"NumOut", &CalcState::NumOut},
    {"NumOutCycl", &CalcState::NumOutCycl},
    {"OutCycl", &CalcState::OutCycl},
    {"Baud", &CalcState::Baud},
    {"BaudLong", &CalcState::BaudLong},
    {"RouterCorrRes", &CalcState::RouterCorrRes},
    {"ETO", &CalcState::ETO},
    {"CTO", &CalcState::CTO},
    {"Rmax", &CalcState::Rmax},
    {"Alarm", &CalcState::Alarm},
    {"CVesk", &CalcState::CVesk},
}};

const FieldEntry& Entry(Field field) {
    return kFieldTable[static_cast<std::size_t>(field)];
}

} // namespace

std::string_view FieldName(Field field) {
    return Entry(field).name;
}

int32_t& FieldRef(CalcState& state, Field field) {
    return state.*(Entry(field).member);
}

int32_t FieldValue(const CalcState& state, Field field) {
    return state.*(Entry(field).member);
}

} // namespace qntcalc
