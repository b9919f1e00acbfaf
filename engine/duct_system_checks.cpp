#include "engine/duct_system_checks.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace kestrix {
namespace system_checks {

bool Finite(double x) {
    return std::isfinite(x);
}

std::string Number(double x) {
    return FormatGeneral(x);
}

bool SizeInRange(double side) {
    return Finite(side) && side > 0 && side <= kMaxSizeMm;
}

void CheckSettings(const SystemSettings& s, Checker& check) {
    const DuctCriteria& c = s.criteria;
    if (!(Finite(c.roughness) && c.roughness > 0 && c.roughness <= 1000))
        check.Add(SystemProblemKind::BadRoughness, {}, Number(c.roughness));
    if (!(Finite(c.velocity) && c.velocity > 0 && c.velocity <= MaxMarchVelocity) ||
        !(Finite(c.lossLimit) && c.lossLimit > 0) || !(Finite(c.aspectLimit) && c.aspectLimit > 0))
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
            circle += " \xE2\x86\x92 " + system.sections[k].id;                           // →
        circle += shown < 8 ? " \xE2\x86\x92 " + system.sections[j].id : " \xE2\x80\xA6"; // …
        check.Add(SystemProblemKind::Cycle, system.sections[j].id, circle);
    }
    order.clear();
    return order;
}

} // namespace system_checks

using namespace system_checks;

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
        return p.kind == SystemProblemKind::TwoFanSections ||
               p.kind == SystemProblemKind::NoFanSection;
    });
    if (linked) OrderFromFan(system, upstream, childStart, children, check);
    return problems;
}

} // namespace kestrix
