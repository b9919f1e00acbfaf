#pragma once

#include "engine/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Necessary areas above this (a 1 km square) mean unusable criteria.
inline constexpr double MaxTerminalAreaM2 = 1.0e6;

// The active air-terminal criteria, from the chosen style.
struct TerminalCriteria {
    double velocity = 0.0; // TerminalVelocity, m/s
    double ratio = 0.0;    // TerminalRatio, a fraction (70 % is 0.7)
};

// A style's free-area percent as the ratio it stores: percent x 0.01 taken
// in extended precision, then stored as a double (70 gives the double
// nearest 0.7, which a product in double precision would miss by one unit).
double RatioFromPercent(double percent);

// One candidate: the label of `hsbox` and the velocity text of HSVV.
struct TerminalEntry {
    std::string label;
    std::string velocity;
};

// The property fields of the air-terminal page that the engine writes.
struct TerminalFields {
    std::string freeAreaRatio; // hsk, percent
    std::string faceVelocity;  // hsv, m/s
    std::string necessaryArea; // hsj, m²
    std::string effectiveArea; // hsy, m²
    std::string referenceFlow; // haq, CMH
};

struct TerminalSizeInput {
    std::string_view flow;
    std::string_view width;
    std::string_view height;
    bool rectangular = true;
};

struct TerminalCandidates {
    bool passedFlowTest = false; // the flow text passed IsPlainNumber
    bool listReplaced = false;   // hsbox and HSVV are to be replaced by entries
    std::vector<TerminalEntry> entries;
    SizingMessage message = SizingMessage::None;
};

// Rounds up to a multiple of step, keeping values within 0.0001 step of one.
double StepUp(double x, double step);

TerminalCandidates SizeTerminal(std::string_view flowText, const TerminalCriteria& c,
                                std::string_view diameterMark, TerminalFields& fields);

// Returns true when the flow text passed IsPlainNumber.
bool RecalcTerminal(const TerminalSizeInput& in, const TerminalCriteria& c, TerminalFields& fields);

void TerminalRefFlow(std::string_view width, std::string_view height, bool rectangular,
                     const TerminalCriteria& c, TerminalFields& fields);

} // namespace kestrix
