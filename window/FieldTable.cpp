#include "window/FieldTable.h"

namespace qntcalc {

std::string FieldLabel(Field field) {
    return std::string(RowOf(field).label);
}

std::string FieldUnit(Field field) {
    return std::string(RowOf(field).unit);
}

std::string WhatIfSubject(Field field) {
    return std::string(SubjectOf(RowOf(field)));
}

} // namespace qntcalc
