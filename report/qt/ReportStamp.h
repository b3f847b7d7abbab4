#pragma once

#include <string>

// What ties a report to the bytes it describes and to its moment.
namespace qntcalc {

// Lower-case hex SHA-256 of the bytes.
std::string Sha256Hex(const std::string& bytes);

// "2026-12-07 14:05:09", local time.
std::string ReportTimeNow();

} // namespace qntcalc
