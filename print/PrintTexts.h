#pragma once

#include <string_view>

// Texts of the print sheet and of printing and copying it. Failures are
// shown with the program's title as caption.
namespace qntcalc::texts {

inline constexpr std::string_view kNoRouterSelected = "No router selected";
inline constexpr std::string_view kNoRepeaterSelected = "No repeater selected";
inline constexpr std::string_view kVersionPrefix = "Version: ";

// Printer setup only chooses the printer for the next print, so neither its
// caption nor its confirm button says "Print".
inline constexpr std::string_view kPrinterSetupCaption = "Printer Setup";
inline constexpr std::string_view kUsePrinter = "&Use Printer";
inline constexpr std::string_view kNoPrinter =
    "No printer is selected. Choose a printer or a file in Printer setup.";
// %1: the printer's name or the file printed to.
inline constexpr std::string_view kPrintFailed = "The print sheet could not be printed on %1.";
inline constexpr std::string_view kNoPicture = "No picture of the print sheet could be made.";
inline constexpr std::string_view kClipboardRefused =
    "The clipboard did not take the picture of the print sheet.";

} // namespace qntcalc::texts
