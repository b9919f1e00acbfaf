#include "config/system_criteria.h"

#include "config/codepage.h"
#include "config/style_criteria.h"
#include "engine/number_text.h"

#include <QCoreApplication>

namespace kestrix {

namespace {

bool Refuse(std::string& error, const QString& text) {
    error = text.toStdString();
    return false;
}

std::optional<double> MaterialRoughness(const SystemMaterialChoice& m,
                                        const MaterialTable& materials, std::string& error) {
    std::optional<std::size_t> slot;
    if (m.materialRow) {
        if (*m.materialRow >= 1 && *m.materialRow <= static_cast<int>(kConfigTableSlots) &&
            !materials[*m.materialRow - 1].name.empty())
            slot = *m.materialRow - 1;
        else
            error = QCoreApplication::translate("SystemCriteria",
                                                "material row %1 is not in the materials file")
                        .arg(*m.materialRow)
                        .toStdString();
    } else {
        const std::string name = Utf8ToCp932Lossy(*m.materialName);
        for (std::size_t i = 0; i < kConfigTableSlots && !slot; ++i)
            if (!materials[i].name.empty() && materials[i].name == name) slot = i;
        if (!slot)
            error = QCoreApplication::translate("SystemCriteria",
                                                "material \"%1\" is not in the materials file")
                        .arg(QString::fromStdString(*m.materialName))
                        .toStdString();
    }
    if (!slot) return std::nullopt;
    const auto roughness = ParseNumber(materials[*slot].roughness);
    if (!roughness)
        error =
            QCoreApplication::translate(
                "SystemCriteria", "the material's roughness in the materials file is not a number")
                .toStdString();
    return roughness;
}

} // namespace

bool ResolveSystemCriteria(SystemFile& file, const DuctConfigTables& tables, std::string& error) {
    const SystemMaterialChoice& m = file.choice;
    SystemSettings& s = file.system.settings;
    const bool hasMaterial = m.materialRow || m.materialName;
    const bool hasLimits = m.velocity && m.loss;
    if (m.style && (hasMaterial || m.roughness || hasLimits))
        return Refuse(
            error, QCoreApplication::translate(
                       "SystemCriteria",
                       "a style replaces material, roughness and limits; give one or the other"));
    if (hasMaterial && m.roughness)
        return Refuse(error, QCoreApplication::translate("SystemCriteria",
                                                         "give material or roughness, not both"));
    if (!m.style && (hasMaterial || m.roughness) && !hasLimits)
        return Refuse(error, QCoreApplication::translate(
                                 "SystemCriteria",
                                 "material and roughness need the limits (velocity and loss)"));
    if (!m.style && hasLimits && !hasMaterial && !m.roughness)
        return Refuse(error, QCoreApplication::translate(
                                 "SystemCriteria", "the limits need a material or a roughness"));

    if (hasLimits) {
        DuctCriteria c;
        if (m.roughness) {
            c.roughness = *m.roughness;
        } else {
            const auto roughness = MaterialRoughness(m, tables.materials, error);
            if (!roughness) return false;
            c.roughness = *roughness;
        }
        c.velocity = *m.velocity;
        c.lossLimit = *m.loss;
        c.aspectLimit = m.aspect.value_or(4.0);
        c.pressureInPa = s.pressureInPa;
        s.criteria = c;
        return true;
    }

    const int position = m.style.value_or(0);
    if (position < 0 || static_cast<std::size_t>(position) >= tables.list.size() ||
        position >= static_cast<int>(kConfigTableSlots) || tables.styles[position].name.empty())
        return Refuse(error, QCoreApplication::translate(
                                 "SystemCriteria",
                                 "duct style %1 is not in the duct-style list (positions from 0)")
                                 .arg(position));
    DuctCriteria c = DuctCriteriaFromStyle(tables.styles[position], tables.materials);
    // The limit follows the system's units when the file chose them.
    if (!m.unitsGiven)
        s.pressureInPa = c.pressureInPa;
    else if (c.pressureInPa != s.pressureInPa)
        c.lossLimit =
            static_cast<double>(s.pressureInPa ? c.lossLimit * static_cast<long double>(Gravity)
                                               : c.lossLimit / static_cast<long double>(Gravity));
    c.pressureInPa = s.pressureInPa;
    s.criteria = c;
    return true;
}

} // namespace kestrix
