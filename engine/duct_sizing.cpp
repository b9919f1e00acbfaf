#include "engine/duct_sizing.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace kestrix {
namespace {

// The exponents of the loss law are the doubles, as published.
constexpr double kVelocityExponent = 1.85;
constexpr double kDiameterExponent = 1.25;
constexpr double kRoughnessExponent = 1.0 / 3.0;

using LossLaw = DuctLossLaw;

// Result of testing one rectangle (or square) against the criteria.
struct RectEvaluation {
    double vel = 0; // mean velocity in the rectangle
    double R = 0;   // loss of the round duct of the equivalent diameter
    bool passes = false;
};

RectEvaluation EvaluateRect(const LossLaw& law, double q, double W, double H) {
    RectEvaluation e;
    const double De = static_cast<double>(EquivalentDiameter(W, H));
    e.vel = static_cast<double>(q / (W * 0.001L * H * 0.001L));
    const double veq = static_cast<double>(q / (Pi * De * 0.0005L * De * 0.0005L));
    e.R = static_cast<double>(law.Loss(De, veq));
    e.passes = e.R <= law.c.lossLimit && e.vel <= law.c.velocity;
    return e;
}

// Lowers `side` in 50 mm steps while the section still passes, down to
// 50 mm, and leaves it at the smallest side that passed, or 50 mm above the
// first one tested when that one failed. The evaluation of that side comes
// back when it was made on the way, so it is not made twice.
template <typename Evaluate>
std::optional<RectEvaluation> StepDownWhilePasses(double& side, Evaluate evaluate) {
    std::optional<RectEvaluation> passed;
    RectEvaluation ev = evaluate(side);
    while (ev.passes) {
        passed = ev;
        side = side - 50;
        if (side < 49) break;
        ev = evaluate(side);
    }
    side = side + 50;
    return passed;
}

// One step of the velocity march: the diameter that carries q at v and
// whether that v passes both limits (friction first).
struct MarchPoint {
    double D = 0;
    bool passes = false;
};

MarchPoint MarchAt(const LossLaw& law, double q, double v) {
    MarchPoint p;
    p.D = static_cast<double>(std::sqrt(4.0L * q / v / Pi));
    const double R = static_cast<double>(law.Loss(1000.0L * p.D, v));
    p.passes = R <= law.c.lossLimit && v <= law.c.velocity;
    return p;
}

} // namespace

DuctLossLaw::DuctLossLaw(const DuctCriteria& criteria)
    : c(criteria), roughnessFactor(std::pow(0.18L / criteria.roughness,
                                            static_cast<long double>(kRoughnessExponent))) {}

long double DuctLossLaw::Loss(long double diameterMm, long double velocity) const {
    long double r = 0.00131L * std::pow(velocity, static_cast<long double>(kVelocityExponent)) /
                    std::pow(0.001L * diameterMm, static_cast<long double>(kDiameterExponent)) /
                    roughnessFactor;
    if (c.pressureInPa) r = r * Gravity;
    return r;
}

long double FrictionLoss(const DuctCriteria& c, long double diameterMm, long double velocity) {
    return DuctLossLaw(c).Loss(diameterMm, velocity);
}

long double DynamicPressure(const DuctCriteria& c, long double velocity) {
    long double p = 1.2L * velocity * velocity * 0.5L;
    if (!c.pressureInPa) p = p / Gravity;
    return p;
}

long double EquivalentDiameter(long double w, long double h) {
    return 1.3L * std::pow(w * h, 0.625L) / std::pow(w + h, 0.25L);
}

double MaxDuctFlow(const DuctCriteria& c, double w, double h) {
    // Without a positive roughness the loss law, and so the reference flow, has no value.
    if (!(c.roughness > 0)) return std::numeric_limits<double>::quiet_NaN();
    const double De = h >= 0.01 ? static_cast<double>(EquivalentDiameter(w, h)) : w;
    const long double Rlim = c.pressureInPa ? c.lossLimit / static_cast<long double>(Gravity)
                                            : static_cast<long double>(c.lossLimit);
    const long double vf =
        std::pow(std::pow(0.001L * De, 1.25L) * Rlim *
                     std::pow(0.18L / c.roughness, static_cast<long double>(kRoughnessExponent)) *
                     763.3587786259542L,
                 0.5405405405405405L);
    long double flow;
    if (vf > c.velocity)
        flow = h < 0.01 ? (0.0005L * De) * (0.0005L * De) * Pi * 3600.0L * c.velocity
                        : 0.001L * w * h * 0.001L * 3600.0L * c.velocity;
    else
        flow = (0.0005L * De) * (0.0005L * De) * Pi * 3600.0L * vf;
    // Stored as a double before anyone cuts it: cut straight from the
    // extended value, a whole flow such as 0.075 m² at 8 m/s (2160 CMH)
    // would come out one too low.
    return static_cast<double>(flow);
}

double CeilStep(double x, int step) {
    const long double n = std::trunc((x + step - 0.00001L) / step);
    // Sizes stay far inside 32 bits for every accepted flow; clamp regardless.
    const long double limit = std::numeric_limits<int>::max();
    const long double clamped = n > limit ? limit : (n < -limit ? -limit : n);
    return static_cast<double>(static_cast<int>(clamped)) * step;
}

namespace {

// The velocities of the march: 0.1 m/s, then each the one before plus
// 0.001 (a double addition, repeated, as the march always took them), up to
// the speed of sound. Made once; every sizing reads the same sequence.
const std::vector<double>& MarchVelocities() {
    static const std::vector<double> velocities = [] {
        constexpr double dv = 0.001;
        std::vector<double> v;
        v.reserve(static_cast<size_t>(MaxMarchVelocity / dv) + 1);
        double x = 0.1;
        v.push_back(x);
        while (x + dv <= MaxMarchVelocity) {
            x = x + dv;
            v.push_back(x);
        }
        return v;
    }();
    return velocities;
}

// The refusals that come before any sizing, in the order the page gives them.
SizingMessage CheckSizingInputs(double Q, const DuctCriteria& c) {
    if (c.lossLimit == 0 || c.velocity == 0) return SizingMessage::DuctLimits;
    if (Q > MaxFlowCmh) return SizingMessage::FlowTooBig;
    // Without a positive roughness the loss law has no value at all.
    if (!(c.roughness > 0) || !std::isfinite(c.roughness)) return SizingMessage::DuctRoughness;
    return SizingMessage::None;
}

// The velocity march: the diameter, in mm, at the last velocity of the
// sequence that passes both limits. The loss grows strictly with v (as
// v^2.475 along the march), so the limit is solved for v to find where to
// look, and the last passing step is found around that guess by galloping
// and bisection over the same sequence: the result of testing every step,
// at the cost of a few tests.
std::optional<double> MarchDiameter(const LossLaw& law, double q, SizingMessage& message) {
    const std::vector<double>& v = MarchVelocities();
    const DuctCriteria& c = law.c;
    const MarchPoint first = MarchAt(law, q, v[0]);
    if (!first.passes) {
        // No passing velocity at all: a velocity limit below the first step
        // or a negative loss limit is a style problem; otherwise the flow is
        // too small to size, and nothing is listed.
        if (!(v[0] <= c.velocity) || c.lossLimit < 0) message = SizingMessage::DuctLimits;
        return std::nullopt;
    }
    const double lossAtUnitVelocity =
        static_cast<double>(law.Loss(1000.0L * std::sqrt(4.0L * q / Pi), 1.0L));
    double guessVelocity = std::pow(c.lossLimit / lossAtUnitVelocity, 1.0 / 2.475);
    if (!(guessVelocity <= c.velocity)) guessVelocity = c.velocity;
    const size_t last = v.size() - 1;
    size_t guess = 0;
    if (std::isfinite(guessVelocity) && guessVelocity > v[0])
        guess = std::min(last, static_cast<size_t>((guessVelocity - v[0]) / 0.001));

    // v[lo] passes; v[hi] fails, or hi is one past the end.
    size_t lo = 0, hi = v.size();
    double loD = first.D;
    auto test = [&](size_t n) {
        const MarchPoint p = MarchAt(law, q, v[n]);
        if (p.passes) {
            lo = n;
            loD = p.D;
        } else {
            hi = n;
        }
        return p.passes;
    };
    if (guess > 0 && test(guess)) {
        for (size_t step = 1; lo < last; step *= 2)
            if (!test(std::min(last, lo + step))) break;
    } else {
        for (size_t step = 1; hi > 1; step *= 2)
            if (test(hi > step ? hi - step : 0)) break;
    }
    if (hi == v.size()) {
        // The next step would pass the speed of sound.
        message = SizingMessage::DuctLimits;
        return std::nullopt;
    }
    while (hi - lo > 1)
        test(lo + (hi - lo) / 2);
    return 1000.0 * loD;
}

// Square: the smallest side of the 50 mm series that passes, never below 50.
RectEvaluation SquareFor(const LossLaw& law, double q, double Dmm, double& S) {
    S = CeilStep(Dmm, 50);
    if (S < 49) S = 50;
    const std::optional<RectEvaluation> passed =
        StepDownWhilePasses(S, [&](double side) { return EvaluateRect(law, q, side, side); });
    return passed ? *passed : EvaluateRect(law, q, S, S);
}

// Rectangles growing wider and lower from the square; H only ever
// decreases. visit(W, H, evaluation) returns false to end the run.
template <typename Visit> void RectangleRun(const LossLaw& law, double q, double S, Visit visit) {
    double W = S, H = S, L = 1.0;
    while (L <= law.c.aspectLimit) {
        const std::optional<RectEvaluation> passed =
            StepDownWhilePasses(H, [&](double h) { return EvaluateRect(law, q, W, h); });
        if (W > H) {
            if (static_cast<long double>(W) / H > law.c.aspectLimit) break;
            if (!visit(W, H, passed ? *passed : EvaluateRect(law, q, W, H))) break;
        }
        L = static_cast<double>(static_cast<long double>(W) / H);
        W = W + 50;
        if (H < 100) break;
    }
}

// What every sizing of a flow starts with: the refusals, then the velocity
// march. The diameter in mm, or none with the message (if any) set.
std::optional<double> SizingDiameter(double Q, const LossLaw& law, SizingMessage& message) {
    if (!(Q > 0)) return std::nullopt;
    message = CheckSizingInputs(Q, law.c);
    if (message != SizingMessage::None) return std::nullopt;
    return MarchDiameter(law, static_cast<double>(Q / 3600.0L), message);
}

} // namespace

DuctCandidateSizes DuctCandidatesFor(double Q, const DuctCriteria& c) {
    DuctCandidateSizes out;
    const LossLaw law(c);
    const std::optional<double> march = SizingDiameter(Q, law, out.message);
    if (!march) return out;
    const double q = static_cast<double>(Q / 3600.0L);
    const double Dmm = *march;

    auto addRound = [&](double d) {
        const double vel = static_cast<double>(q / (Pi * d * 0.0005L * d * 0.0005L));
        out.sizes.push_back({d, 0.0, vel, law.Loss(d, vel)});
    };
    // Only a flow of a few picolitres an hour passes below a thousandth of a
    // millimetre, which rounds to no duct at all: its velocity would be a
    // division by zero, so it is not listed.
    const double Dr = CeilStep(Dmm, 1);
    if (Dr > 0) addRound(Dr);
    double D25 = CeilStep(Dmm, 25);
    if (D25 < 25) D25 = 25;
    if (D25 != Dr) addRound(D25);
    double D100 = 0;
    if (D25 < 99)
        D100 = 100;
    else if (D25 == 175)
        D100 = 200;
    else if (D25 == 225)
        D100 = 250;
    if (D100 != 0) addRound(D100);

    double S = 0;
    const RectEvaluation square = SquareFor(law, q, Dmm, S);
    out.sizes.push_back({S, S, square.vel, square.R});
    RectangleRun(law, q, S, [&](double W, double H, const RectEvaluation& ev) {
        out.sizes.push_back({W, H, ev.vel, ev.R});
        return out.sizes.size() < MaxCandidates;
    });
    return out;
}

DuctPick PickDuctSize(double Q, const DuctCriteria& c, bool rectangular, double maxHeight) {
    DuctPick pick;
    const LossLaw law(c);
    const std::optional<double> Dmm = SizingDiameter(Q, law, pick.message);
    if (!Dmm) return pick;
    const double q = static_cast<double>(Q / 3600.0L);
    if (!rectangular) {
        // The round entry of the 25 mm series: D25, which is also the 1 mm
        // entry when the two agree.
        pick.width = std::max(CeilStep(*Dmm, 25), 25.0);
        pick.found = true;
        return pick;
    }
    double S = 0;
    SquareFor(law, q, *Dmm, S);
    if (maxHeight <= 0 || S <= maxHeight) {
        pick.width = pick.height = S;
        pick.found = true;
        return pick;
    }
    size_t listed = 1;
    RectangleRun(law, q, S, [&](double W, double H, const RectEvaluation&) {
        if (H <= maxHeight) {
            pick.width = W;
            pick.height = H;
            pick.found = true;
            return false;
        }
        return ++listed < MaxCandidates;
    });
    pick.noneLowEnough = !pick.found;
    return pick;
}

} // namespace kestrix
