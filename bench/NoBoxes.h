#pragma once

#include "ui/Platform.h"

// A window model's boxes and help, answered by nothing: a benchmark
// measures the calculation, not a stand-in's bookkeeping.
class NoBoxes : public qntcalc::MessageBoxes, public qntcalc::HelpSystem {
public:
    void Show(std::string_view, std::string_view, qntcalc::MessageKind) override {}
    void ShowContents() override {}
    void ShowTopic(int) override {}
};
