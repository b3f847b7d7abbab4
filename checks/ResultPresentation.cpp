#include "checks/ResultPresentation.h"

#include "checks/StatusTexts.h"
#include "text/Units.h"

namespace qntcalc {

namespace {

constexpr int kBaudMaximum = 500; // kBits/s

} // namespace

void ShowInfo(StatusDisplay& display, std::string_view text, bool baudRateMode,
              const CalcState& state) {
    display.SetStatusText(std::string(text));
    display.SetStatusRed(false);
    display.SetResultsTabVisible(true);
    const Field field = baudRateMode ? Field::Baud : Field::Rmax;
    display.SetIndicatorPosition(FieldValue(state, field));
    display.SetIndicatorMaximum(baudRateMode ? kBaudMaximum : kReactionIndicatorFullMs);
    display.SetIndicatorHint(
        std::string(baudRateMode ? texts::kBaudIndicatorHint : texts::kReactionIndicatorHint));
    display.SetIndicatorText(baudRateMode
                                 ? display.FieldText(field) + std::string(texts::kBaudUnit)
                                 : WithUnit(display.FieldText(field), InputUnit::Milliseconds));
}

void ShowError(StatusDisplay& display, std::string_view text) {
    display.SetStatusText(std::string(text));
    display.SetStatusRed(true);
    display.SetResultsTabVisible(false);
    display.SetIndicatorPosition(display.IndicatorMaximum());
    display.SetIndicatorText({});
}

void PresentMessages(StatusDisplay& display, const std::vector<StatusMessage>& messages,
                     bool baudRateMode, const CalcState& state) {
    for (const StatusMessage& message : messages) {
        if (message.severity == Severity::Info)
            ShowInfo(display, message.text, baudRateMode, state);
        else
            ShowError(display, message.text);
    }
}

} // namespace qntcalc
