#include "config/style_criteria.h"

#include "engine/number_text.h"

namespace kestrix {

const DuctMaterial* StyleMaterial(const DuctSelectionStyle& style, const MaterialTable& materials) {
    const std::optional<int> row = ParseInteger(style.material);
    if (!row || *row < 1 || *row > static_cast<int>(materials.size())) return nullptr;
    const DuctMaterial& material = materials[static_cast<size_t>(*row - 1)];
    return material.name.empty() ? nullptr : &material;
}

bool ApplyDuctStyle(const DuctSelectionStyle& style, const MaterialTable& materials,
                    DuctCriteria& c) {
    if (!ParseInteger(style.material)) return false;
    if (const DuctMaterial* material = StyleMaterial(style, materials)) {
        const std::optional<double> roughness = ParseNumber(material->roughness);
        if (!roughness) return false;
        c.roughness = *roughness;
    } else {
        c.roughness = 0.0;
    }
    const std::optional<double> velocity = ParseNumber(style.velocity);
    if (!velocity) return false;
    c.velocity = *velocity;
    const std::optional<double> loss = ParseNumber(style.frictionLoss);
    if (!loss) return false;
    c.lossLimit = *loss;
    const std::optional<double> aspect = ParseNumber(style.aspectRatio);
    if (!aspect) return false;
    c.aspectLimit = *aspect;
    c.pressureInPa = style.units != "0";
    return true;
}

bool ApplyTerminalStyle(const TerminalSelectionStyle& style, TerminalCriteria& c) {
    const std::optional<double> velocity = ParseNumber(style.faceVelocity);
    if (!velocity) return false;
    c.velocity = *velocity;
    const std::optional<double> ratio = ParseNumber(style.freeArea);
    if (!ratio) return false;
    c.ratio = RatioFromPercent(*ratio);
    return true;
}

DuctCriteria DuctCriteriaFromStyle(const DuctSelectionStyle& style,
                                   const MaterialTable& materials) {
    DuctCriteria c;
    ApplyDuctStyle(style, materials, c);
    return c;
}

TerminalCriteria TerminalCriteriaFromStyle(const TerminalSelectionStyle& style) {
    TerminalCriteria c;
    ApplyTerminalStyle(style, c);
    return c;
}

} // namespace kestrix
