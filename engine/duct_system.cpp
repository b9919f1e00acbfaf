#include "engine/duct_system.h"

#include "engine/duct_system_checks.h"
#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace kestrix {
namespace {

using namespace system_checks;

constexpr double kGasConstant = 287.055; // J/(kg·K), dry air
constexpr double kKelvin = 273.15;
constexpr double kStandardDensity = 1.2; // the duct page's air
constexpr double kFlowTolerance = 0.005; // a given flow may differ from the sum by 0.5 %

// A fixed size text: "400x300" (also with X or ×), or "350" with an optional diameter mark.
struct ParsedSize {
    double width = 0, height = 0;
    bool valid = false;
};

ParsedSize ParseSizeText(std::string_view text) {
    ParsedSize out;
    std::size_t cut = std::string_view::npos, cutLength = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == 'x' || text[i] == 'X') {
            cut = i;
            break;
        }
        if (text.substr(i, 2) == "\xC3\x97") { // ×
            cut = i;
            cutLength = 2;
            break;
        }
    }
    if (cut != std::string_view::npos) {
        const auto w = ParseNumber(text.substr(0, cut));
        const auto h = ParseNumber(text.substr(cut + cutLength));
        if (!w || !h) return out;
        out.width = *w;
        out.height = *h;
        out.valid = true;
        return out;
    }
    for (std::string_view mark : {"\xCE\xA6", "\xCF\x86"}) { // Φ φ
        if (text.size() >= mark.size() && text.substr(text.size() - mark.size()) == mark) {
            text.remove_suffix(mark.size());
            break;
        }
    }
    const auto d = ParseNumber(text);
    if (!d) return out;
    out.width = *d;
    out.valid = true;
    return out;
}

// The duct page's evaluation of a size: velocity, the velocity in the round
// duct of the equivalent diameter, and that diameter.
struct Flow {
    double vel, veq, De;
};

Flow FlowIn(double q, double W, double H) {
    if (H > 0) {
        const double De = static_cast<double>(EquivalentDiameter(W, H));
        return {static_cast<double>(q / (W * 0.001L * H * 0.001L)),
                static_cast<double>(q / (Pi * De * 0.0005L * De * 0.0005L)), De};
    }
    const double v = static_cast<double>(q / (Pi * W * 0.0005L * W * 0.0005L));
    return {v, v, W};
}

// Three numbers that a cache is keyed by.
struct Key {
    double a, b, c;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        const std::hash<double> h;
        return h(k.a) ^ (h(k.b) * 0x9E3779B97F4A7C15ull) ^ (h(k.c) * 0xC2B2AE3D27D4EB4Full);
    }
};

struct Figures {
    double vel = 0;
    long double pageLoss = 0, vp = 0, perMetre = 0;
};

} // namespace

double AirViscosity(double temperatureC) {
    const long double T = temperatureC + static_cast<long double>(kKelvin);
    return static_cast<double>(1.458e-6L * std::pow(T, 1.5L) / (T + 110.4L));
}

double PressureAtElevation(double elevationM) {
    return static_cast<double>(101.325L * std::pow(1.0L - 2.25577e-5L * elevationM, 5.25588L));
}

AirProperties AirPropertiesFor(const std::optional<AirState>& air) {
    AirProperties p;
    if (!air) {
        p.density = kStandardDensity;
        p.viscosity = AirViscosity(20.0);
        return p;
    }
    const double kPa =
        air->pressure ? *air->pressure : PressureAtElevation(air->elevation.value_or(0.0));
    p.density = static_cast<double>(
        kPa * 1000.0L / (kGasConstant * (air->temperature + static_cast<long double>(kKelvin))));
    p.viscosity = AirViscosity(air->temperature);
    return p;
}

double ColebrookFactor(double reynolds, double relativeRoughness) {
    if (!(reynolds > 0)) return 0;
    if (reynolds < 2300) return 64.0 / reynolds;
    const long double a = relativeRoughness / 3.7L;
    // Swamee-Jain as the first guess, then the fixed point of Colebrook-White
    // for 1/sqrt(f), which converges in a handful of steps.
    long double x =
        -2.0L * std::log10(a + 5.74L / std::pow(static_cast<long double>(reynolds), 0.9L));
    for (int i = 0; i < 100; ++i) {
        const long double next = -2.0L * std::log10(a + 2.51L * x / reynolds);
        const bool done = std::fabs(next - x) <= 1e-15L * std::fabs(next);
        x = next;
        if (done) break;
    }
    return static_cast<double>(1.0L / (x * x));
}

std::vector<std::size_t> SystemResult::PathSections(const PathResult& path) const {
    std::vector<std::size_t> out;
    std::size_t i = path.terminal;
    for (;;) {
        out.push_back(i);
        if (upstream[i] == i) break;
        i = upstream[i];
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::string SystemSizeText(const SectionResult& s, std::string_view diameterMark) {
    if (s.height > 0) return FormatFixed(s.width, 0) + "x" + FormatFixed(s.height, 0);
    return FormatFixed(s.width, 0) + std::string(diameterMark);
}

SystemResult CalculateSystem(const DuctSystem& system) {
    SystemResult r;
    Checker check{r.problems};
    const auto& sections = system.sections;
    const std::size_t n = sections.size();
    if (n == 0) {
        check.Add(SystemProblemKind::NoSections, {});
        return r;
    }
    if (n > kMaxSystemSections) {
        check.Add(SystemProblemKind::TooManySections, {}, std::to_string(n));
        return r;
    }
    CheckSettings(system.settings, check);
    for (const SystemSection& s : sections)
        CheckSectionValues(s, check);
    const std::size_t valueProblems = r.problems.size();
    LinkSections(system, r.upstream, check);
    if (r.problems.size() > valueProblems) return r;
    // Circles are found whatever else is wrong: a tree view cannot hold them.
    std::vector<std::size_t> childStart, children;
    const std::vector<std::size_t> order =
        OrderFromFan(system, r.upstream, childStart, children, check);
    if (!r.ok()) return r;

    // Flows, from the terminals towards the fan.
    r.sections.resize(n);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const std::size_t i = *it;
        const SystemSection& s = sections[i];
        if (childStart[i] == childStart[i + 1]) {
            if (!s.flow)
                check.Add(SystemProblemKind::TerminalWithoutFlow, s.id);
            else
                r.sections[i].flow = *s.flow;
        } else {
            long double sum = 0;
            for (std::size_t c = childStart[i]; c < childStart[i + 1]; ++c)
                sum += r.sections[children[c]].flow;
            r.sections[i].flow = static_cast<double>(sum);
            if (s.flow && std::fabs(*s.flow - sum) > kFlowTolerance * sum)
                check.Add(SystemProblemKind::FlowsDisagree, s.id,
                          Number(*s.flow) + "|" + FormatFixed(sum, 1));
        }
    }
    if (!r.ok()) return r;

    const SystemSettings& set = system.settings;
    DuctCriteria criteria = set.criteria;
    criteria.pressureInPa = set.pressureInPa; // limits and losses in the system's units
    const DuctLossLaw pageLaw(criteria);
    r.air = AirPropertiesFor(set.air);
    const double rho = r.air.density, mu = r.air.viscosity;
    const long double airFactor =
        set.air ? std::pow(rho / static_cast<long double>(kStandardDensity), 0.85L) *
                      std::pow(mu / static_cast<long double>(AirViscosity(20.0)), 0.15L)
                : 1.0L;
    const long double unit = set.pressureInPa ? 1.0L : static_cast<long double>(Gravity);

    // The figures of a size at a flow, and the size picked for a flow, are
    // worked out once: terminals of a system share a few flows and sizes, and
    // the loss law is what costs.
    std::unordered_map<Key, Figures, KeyHash> figures;
    std::unordered_map<Key, DuctPick, KeyHash> picks;
    auto figuresOf = [&](double flow, double W, double H) -> const Figures& {
        const auto [it, added] = figures.try_emplace(Key{flow, W, H});
        if (!added) return it->second;
        Figures& f = it->second;
        const Flow in = FlowIn(static_cast<double>(flow / 3600.0L), W, H);
        f.vel = in.vel;
        // The duct page's loss, in its standard air: the power law's figure
        // and the test of a fixed size against the limits.
        f.pageLoss = pageLaw.Loss(in.De, in.veq);
        if (set.air)
            f.vp = rho * static_cast<long double>(in.vel) * in.vel * 0.5L / unit;
        else
            f.vp = DynamicPressure(criteria, in.vel);
        if (set.law == FrictionLaw::Power) {
            f.perMetre = f.pageLoss * airFactor;
        } else {
            const long double Dh = H > 0 ? 2.0L * W * H / (W + H) / 1000.0L : W / 1000.0L;
            const double Re = static_cast<double>(rho * in.vel * Dh / mu);
            const double factor =
                ColebrookFactor(Re, static_cast<double>(criteria.roughness / 1000.0L / Dh));
            f.perMetre = factor / Dh * rho * in.vel * in.vel * 0.5L / unit;
        }
        return f;
    };

    for (std::size_t i = 0; i < n; ++i) {
        const SystemSection& s = sections[i];
        SectionResult& out = r.sections[i];
        if (!s.size.empty()) {
            const ParsedSize size = ParseSizeText(s.size);
            if (!size.valid || !SizeInRange(size.width) ||
                (size.height != 0 && !SizeInRange(size.height))) {
                check.Add(SystemProblemKind::BadSize, s.id, s.size);
                continue;
            }
            if (s.shape && (*s.shape == DuctShape::Rectangular) != (size.height > 0)) {
                check.Add(SystemProblemKind::ShapeContradicts, s.id, s.size);
                continue;
            }
            out.width = size.width;
            out.height = size.height;
            out.fixedSize = true;
        } else {
            const DuctShape shape = s.shape.value_or(set.shape);
            const std::optional<double> maxHeight = s.maxHeight ? s.maxHeight : set.maxHeight;
            const bool rectangular = shape == DuctShape::Rectangular;
            const Key key{out.flow, rectangular ? 1.0 : 0.0, maxHeight.value_or(0.0)};
            auto found = picks.find(key);
            if (found == picks.end())
                found =
                    picks.emplace(key, PickDuctSize(out.flow, criteria, rectangular, key.c)).first;
            const DuctPick& pick = found->second;
            if (pick.noneLowEnough) {
                check.Add(SystemProblemKind::NoSizeUnderMaxHeight, s.id, Number(*maxHeight));
                continue;
            }
            if (!pick.found) {
                check.Add(SystemProblemKind::NoSize, s.id, {}, pick.message);
                continue;
            }
            out.width = pick.width;
            out.height = pick.height;
        }

        const Figures& f = figuresOf(out.flow, out.width, out.height);
        out.velocity = f.vel;
        if (out.fixedSize) {
            const double aspect =
                out.height > 0 ? std::max(out.width, out.height) / std::min(out.width, out.height)
                               : 1.0;
            out.overLimits = f.pageLoss > criteria.lossLimit || f.vel > criteria.velocity ||
                             (out.height > 0 && aspect > criteria.aspectLimit);
        }
        const long double vp = f.vp, perMetre = f.perMetre;
        long double sumC = 0;
        for (const Fitting& fitting : s.fittings)
            sumC += fitting.c;
        out.velocityPressure = static_cast<double>(vp);
        out.lossPerMetre = static_cast<double>(perMetre);
        out.frictionLoss = static_cast<double>(perMetre * s.length);
        out.fittingsLoss = static_cast<double>(sumC * vp);
        out.fixedLoss = s.fixedLoss;
        out.totalLoss = static_cast<double>(perMetre * s.length + sumC * vp + s.fixedLoss);
    }
    if (!r.ok()) return r;

    // Pressure from the fan to the end of each section, then the paths.
    std::vector<double> reach(n, 0);
    std::vector<std::size_t> depth(n, 1);
    for (std::size_t i : order) {
        const bool atFan = r.upstream[i] == i;
        reach[i] = r.sections[i].totalLoss + (atFan ? 0.0 : reach[r.upstream[i]]);
        if (!atFan) depth[i] = depth[r.upstream[i]] + 1;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (childStart[i] != childStart[i + 1]) continue;
        r.paths.push_back({i, reach[i], 0});
        r.pathSectionCount += depth[i];
        if (reach[i] > r.paths[r.criticalPath].pressure) r.criticalPath = r.paths.size() - 1;
    }
    r.fanPressure = r.paths[r.criticalPath].pressure;
    for (PathResult& p : r.paths)
        p.surplus = r.fanPressure - p.pressure;
    return r;
}

} // namespace kestrix
