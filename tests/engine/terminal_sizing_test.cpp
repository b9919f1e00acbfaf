#include "engine/terminal_sizing.h"

#include "engine/duct_sizing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace kestrix;

namespace {

TerminalCriteria Crit(double percent, double velocity) {
    TerminalCriteria c;
    c.ratio = RatioFromPercent(percent);
    c.velocity = velocity;
    return c;
}

using Pair = std::pair<std::string, std::string>;
std::vector<Pair> Pairs(const TerminalCandidates& r) {
    std::vector<Pair> out;
    for (const auto& e : r.entries)
        out.emplace_back(e.label, e.velocity);
    return out;
}

} // namespace

TEST(SizeTerminal, WorkedExample) {
    TerminalFields f;
    const auto r = SizeTerminal("1000", Crit(70, 3.0), "φ", f);
    EXPECT_TRUE(r.passedFlowTest);
    EXPECT_TRUE(r.listReplaced);
    EXPECT_EQ(f.effectiveArea, "0.093");
    EXPECT_EQ(f.necessaryArea, "0.132");
    EXPECT_EQ(f.freeAreaRatio, "70");
    const std::vector<Pair> expected = {
        {"450φ", "2.50"},     {"400x400", "2.48"},  {"400x350", "2.83"},  {"450x300", "2.94"},
        {"500x300", "2.65"},  {"550x250", "2.89"},  {"600x250", "2.65"},  {"650x250", "2.44"},
        {"700x200", "2.83"},  {"750x200", "2.65"},  {"800x200", "2.48"},  {"850x200", "2.33"},
        {"900x150", "2.94"},  {"950x150", "2.78"},  {"1000x150", "2.65"}, {"1050x150", "2.52"},
        {"1100x150", "2.41"}, {"1150x150", "2.30"}, {"1200x150", "2.20"}, {"1250x150", "2.12"},
        {"1300x150", "2.04"}, {"1350x100", "2.94"},
    };
    EXPECT_EQ(Pairs(r), expected);
}

TEST(SizeTerminal, SmallFlowList) {
    TerminalFields f;
    const auto r = SizeTerminal("150", Crit(50, 2.0), "φ", f);
    ASSERT_EQ(r.entries.size(), 15u);
    EXPECT_EQ(Pairs(r)[0], (Pair{"250φ", "1.70"}));
    EXPECT_EQ(Pairs(r)[1], (Pair{"250x250", "1.33"}));
    EXPECT_EQ(Pairs(r)[2], (Pair{"250x200", "1.67"}));
    EXPECT_EQ(Pairs(r).back(), (Pair{"850x50", "1.96"}));
}

TEST(SizeTerminal, ExactlyOneSquareMetreUsesTheHundredStep) {
    TerminalFields f;
    const auto r = SizeTerminal("3600", Crit(100, 1.0), "φ", f);
    ASSERT_EQ(r.entries.size(), 26u);
    EXPECT_EQ(Pairs(r)[0], (Pair{"1200φ", "0.88"}));
    EXPECT_EQ(Pairs(r)[1], (Pair{"1000x1000", "1.00"}));
    EXPECT_EQ(Pairs(r)[2], (Pair{"1100x1000", "0.91"}));
    EXPECT_EQ(Pairs(r).back(), (Pair{"3400x300", "0.98"}));
    bool has2000x500 = false;
    for (const auto& p : Pairs(r))
        has2000x500 |= p.first == "2000x500";
    EXPECT_TRUE(has2000x500);
    // Just below one square metre the 50 mm step applies.
    const auto below = SizeTerminal("3599", Crit(100, 1.0), "φ", f);
    EXPECT_EQ(below.entries[1].label, "1000x1000");
    EXPECT_EQ(below.entries[2].label, "1050x1000");
}

TEST(SizeTerminal, RatioTextRoundsHalvesUp) {
    TerminalFields f;
    SizeTerminal("1000", Crit(12.5, 3.0), "φ", f);
    EXPECT_EQ(f.freeAreaRatio, "13");
    SizeTerminal("1000", Crit(72.6, 3.0), "φ", f);
    EXPECT_EQ(f.freeAreaRatio, "73");
}

TEST(SizeTerminal, FlowTextsThatChangeNothing) {
    TerminalFields f;
    f.effectiveArea = "keep";
    for (const char* flow : {"", "1000*2", "-5", "abc"}) {
        const auto r = SizeTerminal(flow, Crit(70, 3), "φ", f);
        EXPECT_FALSE(r.passedFlowTest) << flow;
        EXPECT_FALSE(r.listReplaced) << flow;
    }
    const auto r = SizeTerminal("1.2.3", Crit(70, 3), "φ", f);
    EXPECT_TRUE(r.passedFlowTest);
    EXPECT_FALSE(r.listReplaced);
    EXPECT_EQ(f.effectiveArea, "keep");
}

TEST(SizeTerminal, MendedBoundsGiveMessagesNotNan) {
    TerminalFields f;
    auto big = SizeTerminal("10000001", Crit(70, 3), "φ", f);
    EXPECT_EQ(big.message, SizingMessage::FlowTooBig);
    EXPECT_TRUE(big.listReplaced);
    EXPECT_TRUE(big.entries.empty());
    EXPECT_FALSE(SizeTerminal("10000000", Crit(70, 3), "φ", f).entries.empty());

    for (auto c : {Crit(0, 3), Crit(70, 0), Crit(-5, 3), Crit(1e-300, 1e-300)}) {
        const auto r = SizeTerminal("1000", c, "φ", f);
        EXPECT_EQ(r.message, SizingMessage::TerminalLimits);
        EXPECT_TRUE(r.entries.empty());
    }

    // Zero flow: zero areas and no candidates.
    const auto zero = SizeTerminal("0", Crit(70, 3), "φ", f);
    EXPECT_EQ(zero.message, SizingMessage::None);
    EXPECT_TRUE(zero.entries.empty());
    EXPECT_EQ(f.necessaryArea, "0.000");

    // Very small criteria within the area bound: capped list, finite texts.
    const auto wide = SizeTerminal("10000000", Crit(5, 0.2), "φ", f);
    EXPECT_EQ(wide.entries.size(), MaxCandidates);
    for (const auto& e : wide.entries)
        EXPECT_EQ(e.velocity.find("N"), std::string::npos);
}

// A necessary area of a fraction of a square millimetre steps the height of
// a rectangle up to zero: such a "size" is not listed, since its velocity
// would be a division by zero, and the list ends there.
TEST(SizeTerminal, TinyFlowsListNoZeroHeight) {
    TerminalFields f;
    const auto tiny = SizeTerminal("0.0001", Crit(70, 3), "φ", f);
    EXPECT_EQ(Pairs(tiny), (std::vector<Pair>{{"50φ", "0.00"}, {"50x50", "0.00"}}));
    // 0.0019 CMH still steps to zero; 3.024e-6 CMH gives a first height of 50
    // and a zero height at the first widening step.
    for (const char* flow : {"0.0019", "0.000003024", "0.00001", "0.002", "0.01"}) {
        SCOPED_TRACE(flow);
        const auto r = SizeTerminal(flow, Crit(70, 3), "φ", f);
        ASSERT_GE(r.entries.size(), 2u);
        for (const auto& e : r.entries) {
            EXPECT_EQ(e.velocity.find_first_of("IN"), std::string::npos) << e.label;
            const auto x = e.label.find('x');
            if (x != std::string::npos) {
                EXPECT_NE(e.label.substr(x + 1), "0") << e.label;
            }
        }
    }
}

// Criteria that need only a few square micrometres step even the round and
// the square size to zero: nothing of zero size is listed.
TEST(SizeTerminal, NoZeroSizeForAbsurdCriteria) {
    TerminalFields f;
    for (const auto& [flow, c] :
         {std::pair{"0.0001", Crit(100, 2000)}, std::pair{"1000", Crit(70, 1e308)},
          std::pair{"1", Crit(1e20, 3)}}) {
        SCOPED_TRACE(flow);
        const auto r = SizeTerminal(flow, c, "φ", f);
        for (const auto& e : r.entries) {
            EXPECT_NE(e.label.rfind("0", 0), 0u) << e.label;
            EXPECT_EQ(e.velocity.find_first_of("IN"), std::string::npos) << e.label;
        }
    }
}

// The ratio is the percent x 0.01 in extended precision, stored: 70 % is the
// double nearest 0.7, not the one above it that a double product gives. It
// decides velocities that lie on a half: 4347 CMH through 1000x600 at 70 %
// is 2.875 m/s.
TEST(SizeTerminal, RatioIsStoredFromAnExtendedProduct) {
    EXPECT_EQ(RatioFromPercent(70), 0.7);
    EXPECT_EQ(RatioFromPercent(35), 0.35);
    EXPECT_EQ(RatioFromPercent(12.5), 0.125);
    TerminalFields f;
    const auto r = SizeTerminal("4347", Crit(70, 3.0), "φ", f);
    const auto pairs = Pairs(r);
    const auto entry = std::find_if(pairs.begin(), pairs.end(),
                                    [](const Pair& p) { return p.first == "1000x600"; });
    ASSERT_NE(entry, pairs.end());
    EXPECT_EQ(entry->second, "2.88");
}

TEST(TerminalRefFlow, WorkedExampleAndTruncation) {
    TerminalFields f;
    TerminalRefFlow("400", "350", true, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "1058");
    EXPECT_EQ(f.freeAreaRatio, "70");
    TerminalRefFlow("400", "400", true, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "1209");
    TerminalRefFlow("450", "", false, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "1202");
    // A rectangle without a height counts as round.
    TerminalRefFlow("450", "", true, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "1202");
}

TEST(TerminalRefFlow, BadTextsChangeNothing) {
    for (auto [w, h] : {std::pair{"", "350"}, std::pair{"1.2.3", "350"}, std::pair{"400", "1.2.3"},
                        std::pair{"-400", "350"}}) {
        TerminalFields f;
        f.freeAreaRatio = "k";
        f.referenceFlow = "a";
        TerminalRefFlow(w, h, true, Crit(70, 3), f);
        EXPECT_EQ(f.freeAreaRatio, "k") << w << " " << h;
        EXPECT_EQ(f.referenceFlow, "a");
    }
    TerminalFields f;
    f.referenceFlow = "a";
    TerminalRefFlow("0", "350", true, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "a");
    // Beyond 32 bits the reference flow is not shown.
    TerminalRefFlow("999999999", "999999999", true, Crit(70, 3), f);
    EXPECT_EQ(f.referenceFlow, "a");
}

TEST(RecalcTerminal, VelocityOfTypedSizes) {
    TerminalFields f;
    EXPECT_TRUE(RecalcTerminal({"1000", "400", "350", true}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "2.83");
    EXPECT_EQ(f.referenceFlow, "1058");
    EXPECT_TRUE(RecalcTerminal({"1000", "450", "", false}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "2.50");
    // A rectangle whose height is not a number is computed as round.
    EXPECT_TRUE(RecalcTerminal({"1000", "450", "abc", true}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "2.50");
}

// The face velocity follows its formula for any size and ratio that give a
// number: a negative width or ratio gives a negative velocity, and the
// style's largest velocity plays no part. Only a division by zero leaves the
// field empty.
TEST(RecalcTerminal, VelocityFollowsTheFormulaForAnySignButZero) {
    TerminalFields f;
    EXPECT_TRUE(RecalcTerminal({"1000", "-400", "300", true}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "-3.31");
    // A signed height fails the plain-number test: the size counts as round.
    EXPECT_TRUE(RecalcTerminal({"1000", "400", "-300", true}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "3.16");
    EXPECT_TRUE(RecalcTerminal({"1000", "-400", "", false}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "3.16");
    EXPECT_TRUE(RecalcTerminal({"1000", "400", "", false}, Crit(100, -3), f));
    EXPECT_EQ(f.faceVelocity, "2.21");
    EXPECT_TRUE(RecalcTerminal({"1000", "400", "", false}, Crit(-100, 3), f));
    EXPECT_EQ(f.faceVelocity, "-2.21");
    EXPECT_TRUE(RecalcTerminal({"1000", "400", "", false}, Crit(0, 3), f));
    EXPECT_EQ(f.faceVelocity, "");
    EXPECT_TRUE(RecalcTerminal({"0", "400", "", false}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "0.00");
}

TEST(RecalcTerminal, FailureSteps) {
    TerminalFields f;
    f.freeAreaRatio = "k";
    f.faceVelocity = "v";
    EXPECT_FALSE(RecalcTerminal({"1000*2", "400", "350", true}, Crit(70, 3), f));
    EXPECT_TRUE(RecalcTerminal({"1.2.3", "400", "350", true}, Crit(70, 3), f));
    EXPECT_EQ(f.freeAreaRatio, "k");
    EXPECT_TRUE(RecalcTerminal({"1000", "", "350", true}, Crit(70, 3), f));
    EXPECT_EQ(f.freeAreaRatio, "70"); // written before the width fails
    EXPECT_EQ(f.faceVelocity, "v");
    EXPECT_TRUE(RecalcTerminal({"1000", "0", "", false}, Crit(70, 3), f));
    EXPECT_EQ(f.faceVelocity, "");
}

TEST(StepUp, ToleranceAroundMultiples) {
    EXPECT_EQ(StepUp(400.004, 50), 400);
    EXPECT_EQ(StepUp(400.006, 50), 450);
    EXPECT_EQ(StepUp(400, 50), 400);
}
