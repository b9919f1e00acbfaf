// A duct system's criteria from what its file chose: a duct style, or a
// material (row or name) or a roughness together with the limits. Choices
// that contradict or fall short are refused; a style's friction-loss limit
// follows the units the file chose.
#include "config/system_criteria.h"
#include "tests/config/language_scope.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kestrix {
namespace {

struct Case {
    const char* what;
    SystemMaterialChoice choice;
    bool systemInPa = true;
    // Empty when the choice is refused.
    std::optional<DuctCriteria> criteria;
};

DuctCriteria Criteria(double roughness, double velocity, double loss, double aspect, bool inPa) {
    DuctCriteria c;
    c.roughness = roughness;
    c.velocity = velocity;
    c.lossLimit = loss;
    c.aspectLimit = aspect;
    c.pressureInPa = inPa;
    return c;
}

SystemMaterialChoice Choice(std::optional<int> style, std::optional<int> row,
                            std::optional<std::string> name, std::optional<double> roughness,
                            std::optional<double> velocity, std::optional<double> loss,
                            bool unitsGiven = false) {
    SystemMaterialChoice m;
    m.style = style;
    m.materialRow = row;
    m.materialName = std::move(name);
    m.roughness = roughness;
    m.velocity = velocity;
    m.loss = loss;
    m.unitsGiven = unitsGiven;
    return m;
}

TEST(SystemCriteria, FollowTheChoiceOrRefuseIt) {
    MaterialTable materials{};
    materials[0] = {"Steel", "0.18"};
    materials[2] = {"Rough", "not a number"};
    DuctStyleTable styles{};
    styles[0] = {"In Pa", "1", "8", "1.0", "1", "3"};   // Pa/m
    styles[1] = {"In mmAq", "1", "6", "0.1", "0", "4"}; // mmAq/m
    const StyleNameList list{"In Pa", "In mmAq"};
    const DuctConfigTables tables{materials, styles, list};
    const auto none = std::nullopt;
    const long double g = Gravity;

    const Case cases[] = {
        {"no choice: style 0", Choice(none, none, none, none, none, none), true,
         Criteria(0.18, 8, 1.0, 3, true)},
        {"style 1, its own units", Choice(1, none, none, none, none, none), true,
         Criteria(0.18, 6, 0.1, 4, false)},
        {"an mmAq style in a Pa system", Choice(1, none, none, none, none, none, true), true,
         Criteria(0.18, 6, double(0.1L * g), 4, true)},
        {"a Pa style in an mmAq system", Choice(0, none, none, none, none, none, true), false,
         Criteria(0.18, 8, double(1.0L / g), 3, false)},
        {"roughness and limits", Choice(none, none, none, 0.9, 5, 0.8), true,
         Criteria(0.9, 5, 0.8, 4, true)},
        {"material row and limits", Choice(none, 1, none, none, 5, 0.8), false,
         Criteria(0.18, 5, 0.8, 4, false)},
        {"material name and limits", Choice(none, none, "Steel", none, 5, 0.8), true,
         Criteria(0.18, 5, 0.8, 4, true)},
        {"a style beside limits", Choice(0, none, none, none, 5, 0.8), true, none},
        {"a style beside a roughness", Choice(0, none, none, 0.9, none, none), true, none},
        {"material and roughness", Choice(none, 1, none, 0.9, 5, 0.8), true, none},
        {"a roughness without limits", Choice(none, none, none, 0.9, 5, none), true, none},
        {"limits without a material", Choice(none, none, none, none, 5, 0.8), true, none},
        {"a material row not in the file", Choice(none, 2, none, none, 5, 0.8), true, none},
        {"a material row out of range", Choice(none, 65, none, none, 5, 0.8), true, none},
        {"a material name not in the file", Choice(none, none, "Tin", none, 5, 0.8), true, none},
        {"a material whose roughness is no number", Choice(none, 3, none, none, 5, 0.8), true,
         none},
        {"a style past the list", Choice(2, none, none, none, none, none), true, none},
        {"a negative style", Choice(-1, none, none, none, none, none), true, none},
    };
    for (const bool japanese : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (japanese ? " (Japanese)" : ""));
            SystemFile file;
            file.choice = c.choice;
            file.system.settings.pressureInPa = c.systemInPa;
            std::string error;
            const LanguageScope language(japanese);
            const bool resolved = ResolveSystemCriteria(file, tables, error);
            ASSERT_EQ(resolved, c.criteria.has_value()) << error;
            if (!resolved) {
                EXPECT_FALSE(error.empty());
                continue;
            }
            const DuctCriteria& got = file.system.settings.criteria;
            EXPECT_DOUBLE_EQ(got.roughness, c.criteria->roughness);
            EXPECT_DOUBLE_EQ(got.velocity, c.criteria->velocity);
            EXPECT_DOUBLE_EQ(got.lossLimit, c.criteria->lossLimit);
            EXPECT_DOUBLE_EQ(got.aspectLimit, c.criteria->aspectLimit);
            // The criteria and the system agree on the units in every case.
            EXPECT_EQ(got.pressureInPa, c.criteria->pressureInPa);
            EXPECT_EQ(file.system.settings.pressureInPa, c.criteria->pressureInPa);
        }
    }
}

} // namespace
} // namespace kestrix
