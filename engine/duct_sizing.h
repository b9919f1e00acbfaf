#pragma once

#include "engine/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

inline constexpr double Pi = 3.141592653589793;
inline constexpr double Gravity = 9.80665; // also the factor between mmAq and Pa

// Flows above this are refused with SizingMessage::FlowTooBig.
inline constexpr double MaxFlowCmh = 10000000.0;
// No candidate list grows beyond this many entries: the rectangle run (and the
// terminal widening run) stops there. Sizes past it would be kilometres wide.
inline constexpr size_t MaxCandidates = 1000;
// The velocity march never goes beyond the speed of sound in air; criteria
// that would let it do so are reported as unusable limits.
inline constexpr double MaxMarchVelocity = 340.0;

// The active duct criteria, taken from the chosen style and its material.
struct DuctCriteria {
    double roughness = 0.0;   // DuctRoughness, mm
    double velocity = 0.0;    // DuctVelocity, m/s
    double lossLimit = 0.1;   // DuctLossLimit, mmAq/m or Pa/m
    double aspectLimit = 4.0; // DuctAspectLimit
    bool pressureInPa = false;
};

// One candidate: the label of `whl` and the texts of dvlst, dplst, aslst, aplst.
struct DuctEntry {
    std::string label;
    std::string velocity;
    std::string loss;
    std::string aspect;
    std::string dynamicPressure;
};

struct DuctCandidates {
    std::vector<DuctEntry> entries;
    SizingMessage message = SizingMessage::None;
};

// One candidate as numbers, before it is written as texts: a round size has
// height 0. loss is the friction loss per metre in the criteria's unit.
struct DuctCandidate {
    double width = 0;
    double height = 0;
    double velocity = 0;
    long double loss = 0;
};

struct DuctCandidateSizes {
    std::vector<DuctCandidate> sizes;
    SizingMessage message = SizingMessage::None;
};

// The property fields of the duct page that the engine writes.
struct DuctFields {
    std::string velocity;                     // E_wv, m/s
    std::string frictionLoss;                 // E_dp, per metre in the criteria's unit
    std::string dynamicPressure;              // E_ap
    std::string referenceFlow;                // E_aq, CMH
    std::string equivalentDiameter;           // E_fai, mm
    std::string velocityAtEquivalentDiameter; // M_wv, m/s
    std::string aspectRatio;                  // E_as
};

// A typed or picked size: texts of Q1, E_w and E_h and the shape.
struct DuctSizeInput {
    std::string_view flow;
    std::string_view width;
    std::string_view height;
    bool rectangular = true;
};

// The duct loss law with its roughness factor worked out once, for many
// sizes under the same criteria; FrictionLoss is its form for one size.
struct DuctLossLaw {
    const DuctCriteria& c;
    long double roughnessFactor;

    explicit DuctLossLaw(const DuctCriteria& criteria);
    long double Loss(long double diameterMm, long double velocity) const;
};

long double FrictionLoss(const DuctCriteria& c, long double diameterMm, long double velocity);
long double DynamicPressure(const DuctCriteria& c, long double velocity);
long double EquivalentDiameter(long double w, long double h);
// The reference flow, stored as a double before anyone cuts it to whole CMH.
double MaxDuctFlow(const DuctCriteria& c, double w, double h);
// Rounds up to a multiple of step, keeping values within 0.00001 mm of one.
double CeilStep(double x, int step);

// The candidates of SizeDuct for a flow in CMH, in the list's order; a flow
// of zero or below gives none and no message.
DuctCandidateSizes DuctCandidatesFor(double flowCmh, const DuctCriteria& c);

// The size a duct system takes from the candidates for a flow in CMH: the
// round entry of the 25 mm series, or the square, or (maxHeight above 0)
// the first rectangular entry no higher than maxHeight. found is false with
// the engine's message, or with none when the flow is too small to size or
// no entry is low enough.
struct DuctPick {
    double width = 0;
    double height = 0; // 0 for a round size
    bool found = false;
    bool noneLowEnough = false; // sized, but every rectangle is higher than maxHeight
    SizingMessage message = SizingMessage::None;
};
DuctPick PickDuctSize(double flowCmh, const DuctCriteria& c, bool rectangular, double maxHeight);

// The candidate list for a flow text (Q1 after evaluation).
DuctCandidates SizeDuct(std::string_view flowText, const DuctCriteria& c,
                        std::string_view diameterMark);

// Velocity, loss and dynamic pressure of a size, then DuctRefValues. Returns
// true when it ran to its end; sizeText (DuctSizeText) is set only then.
bool RecalcDuct(const DuctSizeInput& in, const DuctCriteria& c, std::string_view diameterMark,
                DuctFields& fields, std::string& sizeText);

// Reference flow, equivalent diameter, velocity at that diameter and aspect
// ratio of a size. Returns true when it wrote a reference flow into E_aq.
bool DuctRefValues(const DuctSizeInput& in, const DuctCriteria& c, DuctFields& fields);

} // namespace kestrix
