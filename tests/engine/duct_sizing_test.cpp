#include "engine/duct_sizing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using namespace kestrix;

namespace {

DuctCriteria Example() {
    DuctCriteria c;
    c.roughness = 0.18;
    c.velocity = 8.0;
    c.lossLimit = 0.1;
    c.aspectLimit = 4.0;
    c.pressureInPa = false;
    return c;
}

std::vector<std::string> Labels(const DuctCandidates& r) {
    std::vector<std::string> out;
    for (const auto& e : r.entries)
        out.push_back(e.label);
    return out;
}

using Row = std::vector<std::string>;
Row AsRow(const DuctEntry& e) {
    return {e.label, e.velocity, e.loss, e.aspect, e.dynamicPressure};
}

} // namespace

TEST(SizeDuct, WorkedExampleGivesTheTenEntriesWithAllTexts) {
    const auto r = SizeDuct("1000", Example(), "φ");
    EXPECT_EQ(r.message, SizingMessage::None);
    const std::vector<Row> expected = {
        {"283φ", "4.42", "0.099", "1.00", "1.19"},    {"300φ", "3.93", "0.074", "1.00", "0.94"},
        {"300x300", "3.09", "0.048", "1.00", "0.58"}, {"300x250", "3.70", "0.075", "1.20", "0.84"},
        {"350x200", "3.97", "0.093", "1.75", "0.96"}, {"400x200", "3.47", "0.069", "2.00", "0.74"},
        {"450x200", "3.09", "0.053", "2.25", "0.58"}, {"500x150", "3.70", "0.093", "3.33", "0.84"},
        {"550x150", "3.37", "0.076", "3.67", "0.69"}, {"600x150", "3.09", "0.063", "4.00", "0.58"},
    };
    ASSERT_EQ(r.entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(AsRow(r.entries[i]), expected[i]) << i;
}

TEST(SizeDuct, PascalUnitsChangeTheRoundEntryAndTheTexts) {
    auto c = Example();
    c.pressureInPa = true;
    c.lossLimit = 1.0;
    const auto r = SizeDuct("1000", c, "φ");
    ASSERT_GE(r.entries.size(), 3u);
    EXPECT_EQ(AsRow(r.entries[0]), (Row{"282φ", "4.45", "0.989", "1.00", "11.87"}));
    EXPECT_EQ(AsRow(r.entries[1]), (Row{"300φ", "3.93", "0.728", "1.00", "9.27"}));
    EXPECT_EQ(AsRow(r.entries[2]), (Row{"300x300", "3.09", "0.468", "1.00", "5.72"}));
    const auto mm = SizeDuct("1000", Example(), "φ");
    ASSERT_EQ(r.entries.size(), mm.entries.size());
    for (size_t i = 1; i < r.entries.size(); ++i)
        EXPECT_EQ(r.entries[i].label, mm.entries[i].label);
}

TEST(SizeDuct, ListsForOtherFlows) {
    struct Case {
        const char* flow;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases = {
        {"250",
         {"169φ", "175φ", "200φ", "200x200", "200x150", "250x100", "300x100", "350x100",
          "400x100"}},
        {"100", {"120φ", "125φ", "150x150", "150x100", "200x100", "250x100"}},
        {"10", {"51φ", "75φ", "100φ", "50x50"}},
        {"5", {"39φ", "50φ", "100φ", "50x50"}},
        {"400", {"201φ", "225φ", "250φ", "200x200", "250x150", "300x150", "350x150", "400x100"}},
    };
    for (const auto& k : cases)
        EXPECT_EQ(Labels(SizeDuct(k.flow, Example(), "φ")), k.labels) << k.flow;
}

TEST(SizeDuct, EqualOneAndTwentyFiveMillimetreEntriesGiveOneRoundEntry) {
    const auto r = SizeDuct("713.5", Example(), "φ");
    const auto l = Labels(r);
    ASSERT_GE(l.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 4),
              (std::vector<std::string>{"250φ", "250x250", "300x200", "350x200"}));
}

TEST(SizeDuct, SquareSmallerThanTheRoundDiameter) {
    const auto l = Labels(SizeDuct("1400", Example(), "φ"));
    ASSERT_GE(l.size(), 3u);
    EXPECT_EQ(l[0], "321φ");
    EXPECT_EQ(l[1], "325φ");
    EXPECT_EQ(l[2], "300x300");
}

TEST(SizeDuct, VelocityLimitGoverns) {
    auto c = Example();
    c.velocity = 3.0;
    const auto r = SizeDuct("1000", c, "φ");
    ASSERT_GE(r.entries.size(), 4u);
    EXPECT_EQ(r.entries[0].label, "344φ");
    EXPECT_EQ(r.entries[0].velocity, "2.99");
    EXPECT_EQ(r.entries[1].label, "350φ");
    EXPECT_EQ(r.entries[2].label, "350x350");
    EXPECT_EQ(r.entries[3].label, "350x300");
}

TEST(SizeDuct, AspectLimitBelowOneLeavesRoundAndSquare) {
    auto c = Example();
    c.aspectLimit = 0.9;
    EXPECT_EQ(Labels(SizeDuct("1000", c, "Φ")),
              (std::vector<std::string>{"283Φ", "300Φ", "300x300"}));
}

TEST(SizeDuct, FlowTextsThatShowNothing) {
    for (const char* flow : {"", "abc", "0", "-5", "1 2"}) {
        const auto r = SizeDuct(flow, Example(), "φ");
        EXPECT_TRUE(r.entries.empty()) << flow;
        EXPECT_EQ(r.message, SizingMessage::None) << flow;
    }
    EXPECT_EQ(SizeDuct(" 1000 ", Example(), "φ").entries.size(), 10u);
}

TEST(SizeDuct, FlowLimitAndLimitsMessageOrder) {
    EXPECT_FALSE(SizeDuct("10000000", Example(), "φ").entries.empty());
    const auto big = SizeDuct("10000000.1", Example(), "φ");
    EXPECT_EQ(big.message, SizingMessage::FlowTooBig);
    EXPECT_TRUE(big.entries.empty());

    auto zero = Example();
    zero.lossLimit = 0;
    zero.velocity = 0;
    EXPECT_EQ(SizeDuct("20000000", zero, "φ").message, SizingMessage::DuctLimits);
    auto noLoss = Example();
    noLoss.lossLimit = 0;
    EXPECT_EQ(SizeDuct("1000", noLoss, "φ").message, SizingMessage::DuctLimits);
}

TEST(SizeDuct, UnusableCriteriaGiveAMessageNeverAHangOrNan) {
    auto c = Example();
    c.velocity = 0.05; // below the first step of the march
    EXPECT_EQ(SizeDuct("1000", c, "φ").message, SizingMessage::DuctLimits);

    c = Example();
    c.lossLimit = -1;
    EXPECT_EQ(SizeDuct("1000", c, "φ").message, SizingMessage::DuctLimits);

    for (double roughness : {0.0, -0.5}) {
        c = Example();
        c.roughness = roughness;
        const auto r = SizeDuct("1000", c, "φ");
        EXPECT_EQ(r.message, SizingMessage::DuctRoughness);
        EXPECT_TRUE(r.entries.empty());
    }

    // Limits that never stop the march: refused at the speed of sound.
    c = Example();
    c.velocity = 1e9;
    c.lossLimit = 1e9;
    const auto t0 = std::chrono::steady_clock::now();
    const auto r = SizeDuct("10000000", c, "φ");
    EXPECT_EQ(r.message, SizingMessage::DuctLimits);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));

    // A tiny flow with sound limits simply lists nothing.
    const auto tiny = SizeDuct("0.0001", Example(), "φ");
    EXPECT_TRUE(tiny.entries.empty());
    EXPECT_EQ(tiny.message, SizingMessage::None);
}

// A loss limit far beyond any duct lets a flow of picolitres an hour pass
// below a thousandth of a millimetre: no duct of zero size is listed.
TEST(SizeDuct, NoZeroSizeAtTinyFlows) {
    auto c = Example();
    c.lossLimit = 1e6;
    for (const char* flow : {"1e-14", "1e-13"}) {
        SCOPED_TRACE(flow);
        const auto r = SizeDuct(flow, c, "φ");
        EXPECT_EQ(r.message, SizingMessage::None);
        ASSERT_FALSE(r.entries.empty());
        for (const auto& e : r.entries) {
            EXPECT_NE(e.label.rfind("0", 0), 0u) << e.label;
            for (const std::string& text : {e.velocity, e.loss, e.dynamicPressure})
                EXPECT_EQ(text.find_first_of("IN"), std::string::npos) << e.label << " " << text;
        }
    }
}

TEST(SizeDuct, HugeAspectLimitIsCappedInLength) {
    auto c = Example();
    c.aspectLimit = 1e12;
    const auto r = SizeDuct("10000000", c, "φ");
    EXPECT_EQ(r.message, SizingMessage::None);
    EXPECT_LE(r.entries.size(), MaxCandidates);
    EXPECT_GT(r.entries.size(), 100u);
    for (const auto& e : r.entries)
        EXPECT_EQ(e.loss.find("NAN"), std::string::npos);
}

TEST(CeilStep, KeepsValuesWithinTheTolerance) {
    EXPECT_EQ(CeilStep(250.000005, 25), 250);
    EXPECT_EQ(CeilStep(250.00002, 25), 275);
    EXPECT_EQ(CeilStep(250, 25), 250);
    EXPECT_EQ(CeilStep(282.459, 1), 283);
}

namespace {
struct SizeCase {
    const char* width;
    const char* height;
    bool rect;
};
DuctFields RefValues(const SizeCase& k, const char* flow = "1000") {
    DuctFields f;
    DuctRefValues({flow, k.width, k.height, k.rect}, Example(), f);
    return f;
}
} // namespace

TEST(DuctRefValues, WorkedExampleSizes) {
    auto f = RefValues({"300", "250", true});
    EXPECT_EQ(f.referenceFlow, "1165");
    EXPECT_EQ(f.equivalentDiameter, "299");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "3.95");
    EXPECT_EQ(f.aspectRatio, "1.20");
    f = RefValues({"283", "", false});
    EXPECT_EQ(f.referenceFlow, "1005");
    EXPECT_EQ(f.equivalentDiameter, "283");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "4.42");
    EXPECT_EQ(f.aspectRatio, "1.00");
    f = RefValues({"300", "300", true});
    EXPECT_EQ(f.referenceFlow, "1491");
    EXPECT_EQ(f.equivalentDiameter, "328");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "3.29");
    EXPECT_EQ(f.aspectRatio, "1.00");
}

// When the velocity limit governs a rectangle, the reference flow is its
// area times the limit: often a whole number, which must not lose one CMH to
// the extended-precision digits below it.
TEST(DuctRefValues, VelocityLimitedRectanglesKeepTheirWholeFlow) {
    DuctCriteria c = Example();
    c.lossLimit = 10.0; // the friction limit never governs here
    const struct {
        const char *width, *height;
        double velocity;
        const char* flow;
    } cases[] = {{"300", "250", 8.0, "2160"},
                 {"500", "500", 8.0, "7200"},
                 {"300", "250", 3.0, "810"},
                 {"1000", "50", 5.0, "900"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.width) + "x" + k.height);
        c.velocity = k.velocity;
        DuctFields f;
        ASSERT_TRUE(DuctRefValues({"1000", k.width, k.height, true}, c, f));
        EXPECT_EQ(f.referenceFlow, k.flow);
        EXPECT_EQ(MaxDuctFlow(c, std::stod(k.width), std::stod(k.height)), std::stod(k.flow));
    }
}

TEST(DuctRefValues, FailuresLeaveFieldsEmptyAndAspectAlone) {
    DuctFields f;
    f.referenceFlow = "x";
    f.equivalentDiameter = "y";
    f.velocityAtEquivalentDiameter = "z";
    f.aspectRatio = "9.99";
    EXPECT_FALSE(DuctRefValues({"1000", "", "250", true}, Example(), f));
    EXPECT_EQ(f.referenceFlow, "");
    EXPECT_EQ(f.equivalentDiameter, "");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "");
    EXPECT_EQ(f.aspectRatio, "9.99");
    DuctRefValues({"1000", "300", "abc", true}, Example(), f);
    EXPECT_EQ(f.aspectRatio, "9.99");
    // No flow: reference values without the velocity.
    f = RefValues({"300", "250", true}, "1000*2");
    EXPECT_EQ(f.referenceFlow, "1165");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "");
    // A rectangle of zero height counts as round for the aspect ratio.
    f = RefValues({"300", "0", true});
    EXPECT_EQ(f.aspectRatio, "1.00");
    // 1.2.3 passes the plain-number test but is no number.
    f = RefValues({"300", "250", true}, "1.2.3");
    EXPECT_EQ(f.velocityAtEquivalentDiameter, "");
    EXPECT_EQ(f.referenceFlow, "1165");
}

TEST(RecalcDuct, GivesTheTextsOfTheListEntries) {
    DuctFields f;
    std::string size;
    ASSERT_TRUE(RecalcDuct({"1000", "300", "250", true}, Example(), "φ", f, size));
    EXPECT_EQ(f.velocity, "3.70");
    EXPECT_EQ(f.frictionLoss, "0.075");
    EXPECT_EQ(f.dynamicPressure, "0.84");
    EXPECT_EQ(size, "300x250");
    EXPECT_EQ(f.referenceFlow, "1165");

    ASSERT_TRUE(RecalcDuct({"1000", "283", "250", false}, Example(), "φ", f, size));
    EXPECT_EQ(f.velocity, "4.42");
    EXPECT_EQ(f.frictionLoss, "0.099");
    EXPECT_EQ(f.dynamicPressure, "1.19");
    EXPECT_EQ(size, "283φ");
    EXPECT_EQ(f.aspectRatio, "1.00");
}

TEST(RecalcDuct, StopsWithoutWritingOnBadTexts) {
    for (SizeCase k : {SizeCase{"", "250", true}, SizeCase{"abc", "250", true},
                       SizeCase{"0", "250", true}, SizeCase{"-300", "", false}}) {
        DuctFields f;
        f.velocity = "keep";
        std::string size = "old";
        EXPECT_FALSE(RecalcDuct({"1000", k.width, k.height, k.rect}, Example(), "φ", f, size));
        EXPECT_EQ(f.velocity, "keep");
        EXPECT_EQ(size, "old");
    }
    DuctFields f;
    std::string size = "old";
    EXPECT_FALSE(RecalcDuct({"1000*2", "300", "250", true}, Example(), "φ", f, size));
    EXPECT_FALSE(RecalcDuct({"1.2.3", "300", "250", true}, Example(), "φ", f, size));
    EXPECT_EQ(size, "old");
}

TEST(RecalcDuct, MissingRoughnessShowsNoLoss) {
    auto c = Example();
    c.roughness = 0;
    DuctFields f;
    std::string size;
    ASSERT_TRUE(RecalcDuct({"1000", "300", "250", true}, c, "φ", f, size));
    EXPECT_EQ(f.velocity, "3.70");
    EXPECT_EQ(f.frictionLoss, "");
    EXPECT_EQ(f.referenceFlow, "");
    EXPECT_EQ(f.equivalentDiameter, "299");
}
