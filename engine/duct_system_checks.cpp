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
