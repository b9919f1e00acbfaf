#include "engine/terminal_sizing.h"

#include "engine/duct_sizing.h"
#include "engine/number_text.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace kestrix {

double RatioFromPercent(double percent) {
    return static_cast<double>(static_cast<long double>(percent) * 0.01L);
}

namespace {

std::string RatioText(const TerminalCriteria& c) {
    return FormatFixed(c.ratio * 100.0L, 0);
}

std::string RectLabel(double W, double H) {
    return FormatFixed(W, 0) + "x" + FormatFixed(H, 0);
}

bool UsableCriteria(const TerminalCriteria& c) {
    return c.ratio > 0 && c.velocity > 0 && std::isfinite(c.ratio) && std::isfinite(c.velocity);
}

} // namespace

double StepUp(double x, double step) {
    const long double n = std::trunc(x / static_cast<long double>(step) + 0.9999L);
    // The area bound keeps n far inside 32 bits; clamp all the same.
    const long double limit = std::numeric_limits<std::int32_t>::max();
    const long double clamped = n > limit ? limit : (n < -limit ? -limit : n);
    return static_cast<double>(static_cast<std::int32_t>(clamped) * static_cast<long double>(step));
}

TerminalCandidates SizeTerminal(std::string_view flowText, const TerminalCriteria& c,
                                std::string_view diameterMark, TerminalFields& fields) {
    TerminalCandidates out;
    if (!IsPlainNumber(flowText)) return out;
    out.passedFlowTest = true;
    const auto flow = ParseNumber(flowText);
    if (!flow) return out;
    const double Q = *flow;
    out.listReplaced = true; // the lists are emptied from here on

    if (Q > MaxFlowCmh) {
        out.message = SizingMessage::FlowTooBig;
        return out;
    }
    if (!UsableCriteria(c)) {
        out.message = SizingMessage::TerminalLimits;
        return out;
    }
    const double Aeff = static_cast<double>(Q / 3600.0L / c.velocity);
    const double Aneed = static_cast<double>(static_cast<long double>(Aeff) / c.ratio);
    // A necessary area beyond a square kilometre comes only from absurd criteria.
    if (Aneed > MaxTerminalAreaM2) {
        out.message = SizingMessage::TerminalLimits;
        return out;
    }
    fields.effectiveArea = FormatFixed(Aeff, 3);
    fields.necessaryArea = FormatFixed(Aneed, 3);
    fields.freeAreaRatio = RatioText(c);
    // No flow needs no terminal.
    if (!(Aneed > 0)) return out;

    const double s = std::sqrt(static_cast<long double>(Aneed)) < 1.0L ? 50.0 : 100.0;
    auto velocityText = [&](double w, double h) {
        return FormatFixed(Q / 3600.0L / (0.001L * w) / (0.001L * h) / c.ratio, 2);
    };

    // A side that steps up to zero (only a necessary area of a fraction of a
    // square millimetre does that) is no size: its velocity would be a
    // division by zero. It is not listed, and a list of rectangles ends there.
    // Sides are whole steps, so above 0.1 means not zero.
    const auto isSide = [](double side) { return side > 0.1; };
    const auto heightFor = [&](double width) {
        return StepUp(static_cast<double>(Aneed / static_cast<long double>(width) * 1000000.0L), s);
    };
    const double D =
        StepUp(static_cast<double>(2000.0L * std::sqrt(Aneed / static_cast<long double>(Pi))), s);
    if (isSide(D)) {
        out.entries.push_back(
            {FormatFixed(D, 0) + std::string(diameterMark),
             FormatFixed(Q / 3600.0L / Pi / (0.0005L * D) / (0.0005L * D) / c.ratio, 2)});
    }

    double S = StepUp(static_cast<double>(1000.0L * std::sqrt(static_cast<long double>(Aneed))), s);
    if (!isSide(S)) return out;
    out.entries.push_back({RectLabel(S, S), velocityText(S, S)});

    double H = heightFor(S);
    if (S > H && isSide(H)) out.entries.push_back({RectLabel(S, H), velocityText(S, H)});

    if (isSide(H)) {
        while (static_cast<long double>(S) / H < 10.0L && out.entries.size() < MaxCandidates) {
            S = S + s;
            H = heightFor(S);
            if (!isSide(H)) break;
            out.entries.push_back({RectLabel(S, H), velocityText(S, H)});
        }
    }
    return out;
}

bool RecalcTerminal(const TerminalSizeInput& in, const TerminalCriteria& c,
                    TerminalFields& fields) {
    if (!IsPlainNumber(in.flow)) return false;
    const auto flow = ParseNumber(in.flow);
    if (!flow) return true;
    const double Q = *flow;
    fields.freeAreaRatio = RatioText(c);
    const auto width = ParseNumber(in.width);
    if (!width) return true;
    const double W = *width;

    long double A;
    double H = 0;
    if (in.rectangular && IsPlainNumber(in.height)) H = ParseNumber(in.height).value_or(0.0);
    if (in.rectangular && H != 0)
        A = 0.001L * W * H * 0.001L;
    else
        A = (0.0005L * W) * Pi * (0.0005L * W);

    // The velocity is the formula's whenever it is a number, whatever the
    // signs of the size and the ratio (the largest face velocity takes no
    // part in it). A zero area or a zero ratio, a division by zero, leaves
    // none to show, and so does a velocity beyond the range of a double.
    const long double v = Q / 3600.0L / A / c.ratio;
    if (A != 0 && c.ratio != 0 && std::isfinite(v) &&
        std::fabs(v) <= std::numeric_limits<double>::max())
        fields.faceVelocity = FormatFixed(v, 2);
    else
        fields.faceVelocity.clear();
    TerminalRefFlow(in.width, in.height, in.rectangular, c, fields);
    return true;
}

void TerminalRefFlow(std::string_view width, std::string_view height, bool rectangular,
                     const TerminalCriteria& c, TerminalFields& fields) {
    if (!IsPlainNumber(width)) return;
    const auto w = ParseNumber(width);
    if (!w) return;
    const double W = static_cast<double>(*w * 0.001L);
    double H = 0;
    if (rectangular && IsPlainNumber(height)) {
        const auto h = ParseNumber(height);
        if (!h) return;
        H = static_cast<double>(*h * 0.001L);
    }
    fields.freeAreaRatio = RatioText(c);

    long double flow;
    if (rectangular && W > 0 && H > 0)
        flow = W * static_cast<long double>(H) * 3600.0L * c.ratio * c.velocity + 0.0000001L;
    else if (W > 0)
        flow = (0.5L * W) * (0.5L * W) * Pi * 3600.0L * c.ratio * c.velocity + 0.0000001L;
    else
        return;
    // The reference flow is a 32-bit whole number; beyond that range (or
    // without a value) haq keeps its text.
    const long double Qref = std::trunc(flow);
    if (!std::isfinite(Qref) || Qref > std::numeric_limits<std::int32_t>::max() ||
        Qref < std::numeric_limits<std::int32_t>::min())
        return;
    fields.referenceFlow = std::to_string(static_cast<std::int32_t>(Qref));
}

} // namespace kestrix
