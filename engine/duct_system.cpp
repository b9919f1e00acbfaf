#include "engine/duct_system.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace kestrix {
namespace {

constexpr double kGasConstant = 287.055; // J/(kg·K), dry air
constexpr double kKelvin = 273.15;
constexpr double kStandardDensity = 1.2; // the duct page's air
constexpr double kFlowTolerance = 0.005; // a given flow may differ from the sum by 0.5 %

bool Finite(double x) {
    return std::isfinite(x);
}

std::string Number(double x) {
    return FormatGeneral(x);
}

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

bool SizeInRange(double side) {
    return Finite(side) && side > 0 && side <= kMaxSizeMm;
}

struct Checker {
    std::vector<SystemProblem>& problems;
    void Add(SystemProblemKind kind, const std::string& section, std::string detail = {},
             SizingMessage sizing = SizingMessage::None) {
        problems.push_back({kind, section, std::move(detail), sizing});
    }
};

void CheckSettings(const SystemSettings& s, Checker& check) {
    const DuctCriteria& c = s.criteria;
    if (!(Finite(c.roughness) && c.roughness > 0 && c.roughness <= 1000))
        check.Add(SystemProblemKind::BadRoughness, {}, Number(c.roughness));
    if (!(Finite(c.velocity) && c.velocity > 0 && c.velocity <= MaxMarchVelocity) ||
        !(Finite(c.lossLimit) && c.lossLimit > 0) ||
        !(Finite(c.aspectLimit) && c.aspectLimit > 0))
        check.Add(SystemProblemKind::BadLimits, {});
    if (s.maxHeight && !SizeInRange(*s.maxHeight))
        check.Add(SystemProblemKind::BadMaxHeight, {}, Number(*s.maxHeight));
    if (s.air) {
        const AirState& a = *s.air;
        if (!(Finite(a.temperature) && a.temperature >= kMinAirTemperature &&
              a.temperature <= kMaxAirTemperature))
            check.Add(SystemProblemKind::BadTemperature, {}, Number(a.temperature));
        if (a.elevation && !(Finite(*a.elevation) && *a.elevation >= kMinElevation &&
                             *a.elevation <= kMaxElevation))
            check.Add(SystemProblemKind::BadElevation, {}, Number(*a.elevation));
        if (a.pressure && !(Finite(*a.pressure) && *a.pressure >= kMinAirPressure &&
                            *a.pressure <= kMaxAirPressure))
            check.Add(SystemProblemKind::BadPressure, {}, Number(*a.pressure));
        if (a.pressure && a.elevation) check.Add(SystemProblemKind::BadPressure, {}, "both");
    }
}

void CheckSectionValues(const SystemSection& s, Checker& check) {
    if (!(Finite(s.length) && s.length >= 0 && s.length <= kMaxSectionLength))
        check.Add(SystemProblemKind::BadLength, s.id, Number(s.length));
    if (s.flow && !(Finite(*s.flow) && *s.flow > 0 && *s.flow <= MaxFlowCmh))
        check.Add(SystemProblemKind::BadFlow, s.id, Number(*s.flow));
    if (s.maxHeight && !SizeInRange(*s.maxHeight))
        check.Add(SystemProblemKind::BadMaxHeight, s.id, Number(*s.maxHeight));
    for (const Fitting& f : s.fittings)
        if (!(Finite(f.c) && std::fabs(f.c) <= kMaxLossCoefficient)) {
            check.Add(SystemProblemKind::BadFitting, s.id, Number(f.c));
            break;
        }
    if (!(Finite(s.fixedLoss) && s.fixedLoss >= 0 && s.fixedLoss <= kMaxFixedLoss))
        check.Add(SystemProblemKind::BadFixedLoss, s.id, Number(s.fixedLoss));
}

// Links every section to its upstream section. Problems of ids and links are
// reported; the links are usable only when none was found.
void LinkSections(const DuctSystem& system, std::vector<std::size_t>& upstream, Checker& check) {
    const auto& sections = system.sections;
    const std::size_t n = sections.size();
    std::unordered_map<std::string_view, std::size_t> index;
    index.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (sections[i].id.empty()) {
            check.Add(SystemProblemKind::EmptyId, {}, std::to_string(i + 1));
            continue;
        }
        if (!index.emplace(sections[i].id, i).second)
            check.Add(SystemProblemKind::DuplicateId, sections[i].id);
    }
    upstream.assign(n, 0);
    std::optional<std::size_t> fan;
    for (std::size_t i = 0; i < n; ++i) {
        const SystemSection& s = sections[i];
        if (!s.upstream) {
            if (fan)
                check.Add(SystemProblemKind::TwoFanSections, s.id, sections[*fan].id);
            else
                fan = i;
            upstream[i] = i;
            continue;
        }
        if (*s.upstream == s.id) {
            check.Add(SystemProblemKind::UpstreamOfItself, s.id);
            continue;
        }
        const auto it = index.find(*s.upstream);
        if (it == index.end()) {
            check.Add(SystemProblemKind::UnknownUpstream, s.id, *s.upstream);
            continue;
        }
        upstream[i] = it->second;
    }
    if (!fan && n > 0) check.Add(SystemProblemKind::NoFanSection, {});
}

// Orders the sections from the fan outwards (each after its upstream one) and
// reports the sections that never reach the fan, one problem per circle.
std::vector<std::size_t> OrderFromFan(const DuctSystem& system,
                                      const std::vector<std::size_t>& upstream,
                                      std::vector<std::size_t>& childStart,
                                      std::vector<std::size_t>& children, Checker& check) {
    const std::size_t n = upstream.size();
    childStart.assign(n + 1, 0);
    std::vector<std::size_t> order;
    order.reserve(n);
    // From every section at the fan: a second one is reported elsewhere.
    for (std::size_t i = 0; i < n; ++i) {
        if (upstream[i] == i)
            order.push_back(i);
        else
            ++childStart[upstream[i] + 1];
    }
    for (std::size_t i = 0; i < n; ++i)
        childStart[i + 1] += childStart[i];
    children.assign(childStart[n], 0);
    std::vector<std::size_t> fill(childStart.begin(), childStart.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
        if (upstream[i] != i) children[fill[upstream[i]]++] = i;

    for (std::size_t k = 0; k < order.size(); ++k)
        for (std::size_t c = childStart[order[k]]; c < childStart[order[k] + 1]; ++c)
            order.push_back(children[c]);
    if (order.size() == n) return order;

    // The rest hang below circles: walk up from each, marking the walk, until
    // a section already seen; a section seen in this very walk closes a circle.
    std::vector<std::size_t> walk(n, 0); // 0: not walked; else the walk's number + 1
    for (std::size_t k : order)
        walk[k] = n + 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (walk[i] != 0) continue;
        std::size_t j = i;
        while (walk[j] == 0) {
            walk[j] = i + 1;
            j = upstream[j];
        }
        if (walk[j] != i + 1) continue;
        std::string circle = system.sections[j].id;
        int shown = 0;
        for (std::size_t k = upstream[j]; k != j && shown < 8; k = upstream[k], ++shown)
            circle += " \xE2\x86\x92 " + system.sections[k].id; // →
        circle += shown < 8 ? " \xE2\x86\x92 " + system.sections[j].id : " \xE2\x80\xA6"; // …
        check.Add(SystemProblemKind::Cycle, system.sections[j].id, circle);
    }
    order.clear();
    return order;
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
    const double kPa = air->pressure ? *air->pressure : PressureAtElevation(air->elevation.value_or(0.0));
    p.density = static_cast<double>(kPa * 1000.0L /
                                    (kGasConstant * (air->temperature + static_cast<long double>(kKelvin))));
    p.viscosity = AirViscosity(air->temperature);
    return p;
}

double ColebrookFactor(double reynolds, double relativeRoughness) {
    if (!(reynolds > 0)) return 0;
    if (reynolds < 2300) return 64.0 / reynolds;
    const long double a = relativeRoughness / 3.7L;
    // Swamee-Jain as the first guess, then the fixed point of Colebrook-White
    // for 1/sqrt(f), which converges in a handful of steps.
    long double x = -2.0L * std::log10(a + 5.74L / std::pow(static_cast<long double>(reynolds), 0.9L));
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
    const std::vector<std::size_t> order = OrderFromFan(system, r.upstream, childStart, children, check);
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
            if (!size.valid || !SizeInRange(size.width) || (size.height != 0 && !SizeInRange(size.height))) {
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
                found = picks.emplace(key, PickDuctSize(out.flow, criteria, rectangular, key.c)).first;
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
            const double aspect = out.height > 0 ? std::max(out.width, out.height) /
                                                       std::min(out.width, out.height)
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
    for (std::size_t i : order)
        reach[i] = r.sections[i].totalLoss + (r.upstream[i] == i ? 0.0 : reach[r.upstream[i]]);
    for (std::size_t i = 0; i < n; ++i) {
        if (childStart[i] != childStart[i + 1]) continue;
        r.paths.push_back({i, reach[i], 0});
        if (reach[i] > r.paths[r.criticalPath].pressure) r.criticalPath = r.paths.size() - 1;
    }
    r.fanPressure = r.paths[r.criticalPath].pressure;
    for (PathResult& p : r.paths)
        p.surplus = r.fanPressure - p.pressure;
    return r;
}

std::vector<SystemProblem> CheckSystemTree(const DuctSystem& system) {
    std::vector<SystemProblem> problems;
    Checker check{problems};
    if (system.sections.size() > kMaxSystemSections) {
        check.Add(SystemProblemKind::TooManySections, {}, std::to_string(system.sections.size()));
        return problems;
    }
    std::vector<std::size_t> upstream, childStart, children;
    LinkSections(system, upstream, check);
    const bool linked = std::all_of(problems.begin(), problems.end(), [](const SystemProblem& p) {
        return p.kind == SystemProblemKind::TwoFanSections || p.kind == SystemProblemKind::NoFanSection;
    });
    if (linked) OrderFromFan(system, upstream, childStart, children, check);
    return problems;
}

std::string SystemProblemText(const SystemProblem& p, bool japanese) {
    using K = SystemProblemKind;
    const std::string& d = p.detail;
    std::string text;
    switch (p.kind) {
    case K::NoSections:
        text = japanese ? "区間がありません。" : "the system has no sections";
        break;
    case K::TooManySections:
        text = japanese ? "区間が多すぎます（" + d + "、上限 100000）。"
                        : "the system has " + d + " sections; at most 100000 are taken";
        break;
    case K::EmptyId:
        text = japanese ? d + " 番目の区間に id がありません。" : "section number " + d + " has no id";
        break;
    case K::DuplicateId:
        text = japanese ? "id が重複しています。" : "this id is given to more than one section";
        break;
    case K::UnknownUpstream:
        text = japanese ? "上流の区間「" + d + "」がありません。" : "its upstream section \"" + d + "\" does not exist";
        break;
    case K::UpstreamOfItself:
        text = japanese ? "自分自身が上流になっています。" : "it is given as its own upstream section";
        break;
    case K::TwoFanSections:
        text = japanese ? "送風機の区間（上流なし）が「" + d + "」と二つあります。"
                        : "a second section at the fan (no upstream), besides \"" + d + "\"";
        break;
    case K::NoFanSection:
        text = japanese ? "送風機の区間（上流なし）がありません。" : "no section is at the fan (upstream null)";
        break;
    case K::Cycle:
        text = japanese ? "上流をたどると循環します（" + d + "）。"
                        : "its upstream sections run in a circle (" + d + ") and never reach the fan";
        break;
    case K::BadLength:
        text = japanese ? "長さ " + d + " m が不正です（0～10000 m）。"
                        : "length " + d + " m is out of range (0 to 10000 m)";
        break;
    case K::BadFlow:
        text = japanese ? "風量 " + d + " が不正です（0 を超え 10000000 CMH 以下）。"
                        : "flow " + d + " is out of range (above 0, at most 10000000 CMH)";
        break;
    case K::TerminalWithoutFlow:
        text = japanese ? "末端の区間に風量がありません。" : "it is a terminal and gives no flow";
        break;
    case K::FlowsDisagree: {
        const auto bar = d.find('|');
        const std::string given = d.substr(0, bar), sum = bar == std::string::npos ? "" : d.substr(bar + 1);
        text = japanese ? "風量 " + given + " が下流の合計 " + sum + " と 0.5 % を超えて異なります。"
                        : "its flow " + given + " differs from the sum of its downstream sections, " +
                              sum + ", by more than 0.5 %";
        break;
    }
    case K::BadSize:
        text = japanese ? "サイズ「" + d + "」が読めないか範囲外です（例 400x300、350）。"
                        : "size \"" + d + "\" is not a size in range (such as 400x300 or 350)";
        break;
    case K::ShapeContradicts:
        text = japanese ? "サイズ「" + d + "」が形状と合いません。" : "size \"" + d + "\" contradicts its shape";
        break;
    case K::BadMaxHeight:
        text = japanese ? "最大高さ " + d + " mm が不正です。" : "max_height " + d + " mm is out of range";
        break;
    case K::NoSizeUnderMaxHeight:
        text = japanese ? "高さ " + d + " mm 以下の候補がありません。"
                        : "no candidate size is " + d + " mm high or lower";
        break;
    case K::BadFitting:
        text = japanese ? "損失係数 " + d + " が不正です。" : "loss coefficient " + d + " is out of range";
        break;
    case K::BadFixedLoss:
        text = japanese ? "固定損失 " + d + " が不正です。" : "fixed_loss " + d + " is out of range (0 or more)";
        break;
    case K::BadTemperature:
        text = japanese ? "空気の温度 " + d + " ℃ が不正です（-100～1000 ℃）。"
                        : "air temperature " + d + " °C is out of range (-100 to 1000 °C)";
        break;
    case K::BadElevation:
        text = japanese ? "標高 " + d + " m が不正です（-1000～11000 m）。"
                        : "elevation " + d + " m is out of range (-1000 to 11000 m)";
        break;
    case K::BadPressure:
        if (d == "both")
            text = japanese ? "空気は標高か気圧のどちらか一方を指定してください。"
                            : "air gives both elevation and pressure; give one of them";
        else
            text = japanese ? "気圧 " + d + " kPa が不正です（10～1000 kPa）。"
                            : "air pressure " + d + " kPa is out of range (10 to 1000 kPa)";
        break;
    case K::BadLimits:
        text = japanese ? "風速・摩擦損失・アスペクト比の制限は正の値にしてください。"
                        : "the velocity, loss and aspect limits must be above 0";
        break;
    case K::BadRoughness:
        text = japanese ? "内面粗度 " + d + " mm が不正です。" : "roughness " + d + " mm is out of range (above 0)";
        break;
    case K::NoSize: {
        text = p.sizing == SizingMessage::None
                   ? (japanese ? "サイズが決まりません（風量が小さすぎます）。"
                               : "no size fits (the flow is too small to size)")
                   : SizingMessageText(p.sizing, japanese);
        break;
    }
    }
    if (p.section.empty()) return text;
    return (japanese ? "区間「" + p.section + "」：" : "section \"" + p.section + "\": ") + text;
}

} // namespace kestrix
