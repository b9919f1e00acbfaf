// The duct page's texts for a flow or a size: the candidate list and the
// property fields, worked out with the loss law of duct_sizing.cpp.
#include "engine/duct_sizing.h"

#include "engine/number_text.h"

#include <cmath>
#include <limits>

namespace kestrix {
namespace {

DuctEntry MakeEntry(const DuctCriteria& c, std::string label, double vel, long double loss,
                    std::string aspect) {
    return DuctEntry{std::move(label), FormatFixed(vel, 2), FormatFixed(loss, 3), std::move(aspect),
                     FormatFixed(DynamicPressure(c, vel), 2)};
}

std::string RectLabel(double W, double H) {
    return FormatFixed(W, 0) + "x" + FormatFixed(H, 0);
}

bool Finite(long double x) {
    return std::isfinite(x) && std::fabs(x) <= std::numeric_limits<double>::max();
}

} // namespace

DuctCandidates SizeDuct(std::string_view flowText, const DuctCriteria& c,
                        std::string_view diameterMark) {
    DuctCandidates out;
    if (flowText.empty()) return out;
    const auto flow = ParseNumber(flowText);
    if (!flow || !(*flow > 0)) return out;
    const DuctCandidateSizes sizes = DuctCandidatesFor(*flow, c);
    out.message = sizes.message;
    out.entries.reserve(sizes.sizes.size());
    for (const DuctCandidate& d : sizes.sizes) {
        if (d.height == 0)
            out.entries.push_back(MakeEntry(c, FormatGeneral(d.width) + std::string(diameterMark),
                                            d.velocity, d.loss, "1.00"));
        else
            out.entries.push_back(
                MakeEntry(c, RectLabel(d.width, d.height), d.velocity, d.loss,
                          FormatFixed(static_cast<long double>(d.width) / d.height, 2)));
    }
    return out;
}

bool RecalcDuct(const DuctSizeInput& in, const DuctCriteria& c, std::string_view diameterMark,
                DuctFields& fields, std::string& sizeText) {
    if (!IsPlainNumber(in.flow)) return false;
    const auto flow = ParseNumber(in.flow);
    if (!flow) return false;
    const double q = static_cast<double>(*flow / 3600.0L);
    const auto width = ParseNumber(in.width);
    // A width of zero or below has no area; nothing is written for it.
    if (!width || !(*width > 0)) return false;
    const double W = *width;
    double H = 0;
    if (in.rectangular && IsPlainNumber(in.height)) H = ParseNumber(in.height).value_or(0.0);

    double De, vel, veq;
    std::string text;
    if (H >= 0.01) {
        De = static_cast<double>(EquivalentDiameter(W, H));
        vel = static_cast<double>(q / (W * 0.001L * H * 0.001L));
        veq = static_cast<double>(q / (Pi * De * 0.0005L * De * 0.0005L));
        text = RectLabel(W, H);
    } else {
        De = W;
        vel = veq = static_cast<double>(q / (Pi * W * 0.0005L * W * 0.0005L));
        text = FormatFixed(W, 0) + std::string(diameterMark);
    }
    if (!Finite(vel) || !Finite(veq)) return false;

    fields.velocity = FormatFixed(vel, 2);
    // Without a usable roughness there is no loss to show.
    const long double loss = FrictionLoss(c, De, veq);
    fields.frictionLoss = (c.roughness > 0 && Finite(loss)) ? FormatFixed(loss, 3) : std::string();
    fields.dynamicPressure = FormatFixed(DynamicPressure(c, vel), 2);
    sizeText = std::move(text);
    DuctRefValues(in, c, fields);
    return true;
}

bool DuctRefValues(const DuctSizeInput& in, const DuctCriteria& c, DuctFields& fields) {
    fields.referenceFlow.clear();
    fields.equivalentDiameter.clear();
    fields.velocityAtEquivalentDiameter.clear();
    if (!IsPlainNumber(in.width)) return false;
    const auto width = ParseNumber(in.width);
    if (!width) return false;
    const double W = *width;
    // A flow text such as 1.2.3 passes the plain-number test without being a
    // number; it counts as no flow.
    const double Q = IsPlainNumber(in.flow) ? ParseNumber(in.flow).value_or(0.0) : 0.0;

    double H, De, Qref;
    if (in.rectangular) {
        if (!IsPlainNumber(in.height)) return false;
        const auto height = ParseNumber(in.height);
        if (!height) return false;
        H = *height;
        Qref = std::trunc(MaxDuctFlow(c, W, H));
        De =
            static_cast<double>(1.3L * std::pow(std::pow(static_cast<long double>(W) * H, 5.0L) /
                                                    std::pow(static_cast<long double>(W) + H, 2.0L),
                                                1.0L / 8.0L));
    } else {
        H = 0;
        Qref = std::trunc(MaxDuctFlow(c, W, 0));
        De = W;
    }

    bool wroteFlow = false;
    if (Finite(Qref) && Qref > 0) {
        fields.referenceFlow = FormatFixed(Qref, 0);
        wroteFlow = true;
    }
    if (std::isfinite(De) && De > 0) {
        fields.equivalentDiameter = FormatFixed(De, 0);
        if (Q > 0) {
            const long double v = Q / 3600.0L / (Pi * De * 0.0005L * De * 0.0005L);
            if (Finite(v)) fields.velocityAtEquivalentDiameter = FormatFixed(v, 2);
        }
    }
    if (H >= 0.01)
        fields.aspectRatio = FormatFixed(static_cast<long double>(W) / H, 2);
    else
        fields.aspectRatio = "1.00";
    return wroteFlow;
}

} // namespace kestrix
