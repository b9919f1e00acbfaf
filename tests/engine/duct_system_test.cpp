#include "engine/duct_system.h"
#include "engine/duct_system_file.h"
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace kestrix;

namespace kestrix {
// A failed check shows the problem's code and values; the texts are the
// layer above's.
std::ostream& operator<<(std::ostream& os, const SystemProblem& p) {
    return os << "problem " << static_cast<int>(p.kind) << " section \"" << p.section
              << "\" detail \"" << p.detail << '"';
}
} // namespace kestrix

namespace {

SystemSettings PaSettings() {
    SystemSettings s;
    s.pressureInPa = true;
    s.criteria = {0.18, 8.0, 1.0, 4.0, true};
    s.shape = DuctShape::Rectangular;
    return s;
}

SystemSection Section(std::string id, std::optional<std::string> up, double length,
                      std::optional<double> flow = std::nullopt, std::string size = {}) {
    SystemSection s;
    s.id = std::move(id);
    s.upstream = std::move(up);
    s.length = length;
    s.flow = flow;
    s.size = std::move(size);
    return s;
}

// The example worked by hand below: five sections, two of them sized by the
// duct page's engine (1000 CMH: round 300Φ of the 25 mm series; under a
// 200 mm height 350x200).
DuctSystem HandExample() {
    DuctSystem d;
    d.settings = PaSettings();
    d.sections.push_back(Section("F", std::nullopt, 10, std::nullopt, "500x400"));
    d.sections.back().fittings = {{"", 0.3}};
    d.sections.push_back(Section("B1", "F", 6, std::nullopt, "400x250"));
    d.sections.push_back(Section("T1", "B1", 4, 1000));
    d.sections.back().shape = DuctShape::Round;
    d.sections.back().fittings = {{"", 0.2}, {"elbow", 0.17}};
    d.sections.back().fixedLoss = 25;
    d.sections.push_back(Section("T2", "B1", 3, 400, "200"));
    d.sections.back().fixedLoss = 20;
    d.sections.push_back(Section("T3", "F", 8, 1000));
    d.sections.back().maxHeight = 200;
    d.sections.back().fittings = {{"", -0.1}};
    d.sections.back().fixedLoss = 15;
    return d;
}

struct HandCase {
    const char* name;
    FrictionLaw law;
    bool air; // 30 °C at 1500 m
    double density;
    std::vector<double> totals;       // F, B1, T1, T2, T3
    std::vector<double> pathPressure; // T1, T2, T3
};

} // namespace

// Worked by hand, section by section, from the formulas (4 decimals):
// velocity q/A; De = 1.3 (WH)^0.625/(W+H)^0.25 and the velocity in it for the
// power law, R = 0.00131 v^1.85 / D^1.25 × g (ε = 0.18 mm); Colebrook-White on
// Dh = 2WH/(W+H) with Re = ρvDh/μ; total = R L + ΣC ρv²/2 + fixed loss.
// With air: p = 101.325 (1 - 2.25577e-5 × 1500)^5.25588 = 84.556 kPa,
// ρ = 84556 / (287.055 × 303.15) = 0.97168, μ(30 °C) = 1.8609e-5 Pa·s.
TEST(DuctSystem, HandWorkedExampleForBothLawsWithAndWithoutAir) {
    const std::vector<HandCase> cases = {
        {"power",
         FrictionLaw::Power,
         false,
         1.2,
         {5.3029, 4.1727, 31.3392, 22.9823, 21.3744},
         {40.8148, 32.4579, 26.6773}},
        {"power, air",
         FrictionLaw::Power,
         true,
         0.971676,
         {4.3907, 3.5010, 30.2183, 22.5022, 20.3759},
         {38.1100, 30.3939, 24.7666}},
        {"colebrook",
         FrictionLaw::Colebrook,
         false,
         1.2,
         {4.9979, 3.7696, 31.0723, 22.6986, 20.6559},
         {39.8398, 31.4661, 25.6538}},
        {"colebrook, air",
         FrictionLaw::Colebrook,
         true,
         0.971676,
         {4.1340, 3.1580, 29.9908, 22.2662, 19.7655},
         {37.2829, 29.5582, 23.8996}},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.name);
        DuctSystem d = HandExample();
        d.settings.law = c.law;
        if (c.air) d.settings.air = AirState{30.0, 1500.0, std::nullopt};
        const SystemResult r = CalculateSystem(d);
        ASSERT_TRUE(r.ok()) << r.problems[0];
        EXPECT_NEAR(r.air.density, c.density, 5e-7);
        EXPECT_EQ(SystemSizeText(r.sections[2], "Φ"), "300Φ");
        EXPECT_EQ(SystemSizeText(r.sections[4], "Φ"), "350x200");
        EXPECT_DOUBLE_EQ(r.sections[0].flow, 2400);
        EXPECT_DOUBLE_EQ(r.sections[1].flow, 1400);
        for (size_t i = 0; i < c.totals.size(); ++i)
            EXPECT_NEAR(r.sections[i].totalLoss, c.totals[i], 6e-5) << d.sections[i].id;
        ASSERT_EQ(r.paths.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(r.paths[i].pressure, c.pathPressure[i], 1e-4);
        EXPECT_EQ(d.sections[r.paths[r.criticalPath].terminal].id, "T1");
        EXPECT_DOUBLE_EQ(r.fanPressure, r.paths[0].pressure);
        EXPECT_NEAR(r.paths[2].surplus, c.pathPressure[0] - c.pathPressure[2], 2e-4);
        EXPECT_EQ(r.paths[0].surplus, 0);
        EXPECT_EQ(r.PathSections(r.paths[1]), (std::vector<std::size_t>{0, 1, 3}));
    }
}

// One section without air gives the duct page's figures to the last digit,
// for sized and fixed sizes, both shapes and both units.
TEST(DuctSystem, OneSectionReproducesTheDuctPage) {
    struct Case {
        double flow;
        DuctShape shape;
        bool pa;
        std::string size; // empty: sized
        std::string expectedSize;
    };
    const std::vector<Case> cases = {
        {1000, DuctShape::Round, false, "", "300Φ"},
        {1000, DuctShape::Rectangular, false, "", "300x300"},
        {1000, DuctShape::Round, true, "", "300Φ"},
        {713.5, DuctShape::Round, false, "", "250Φ"}, // the 25 mm entry is the 1 mm one
        {400, DuctShape::Rectangular, true, "", "200x200"},
        {1234, DuctShape::Rectangular, true, "450x150", "450x150"},
        {1234, DuctShape::Round, false, "283", "283Φ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedSize);
        DuctSystem d;
        d.settings = PaSettings();
        d.settings.pressureInPa = c.pa;
        d.settings.criteria = {0.18, 8.0, c.pa ? 1.0 : 0.1, 4.0, c.pa};
        d.settings.shape = c.shape;
        d.sections.push_back(Section("1", std::nullopt, 1, c.flow, c.size));
        const SystemResult r = CalculateSystem(d);
        ASSERT_TRUE(r.ok()) << r.problems[0];
        const SectionResult& s = r.sections[0];
        ASSERT_EQ(SystemSizeText(s, "Φ"), c.expectedSize);
        DuctFields page;
        std::string sizeText;
        const std::string flow = FormatGeneral(c.flow), w = FormatFixed(s.width, 0),
                          h = FormatFixed(s.height, 0);
        ASSERT_TRUE(
            RecalcDuct({flow, w, h, s.height > 0}, d.settings.criteria, "Φ", page, sizeText));
        EXPECT_EQ(sizeText, c.expectedSize);
        EXPECT_EQ(FormatFixed(s.velocity, 2), page.velocity);
        EXPECT_EQ(FormatFixed(s.lossPerMetre, 3), page.frictionLoss);
        EXPECT_EQ(FormatFixed(s.velocityPressure, 2), page.dynamicPressure);
        EXPECT_DOUBLE_EQ(r.fanPressure, s.lossPerMetre);
    }
}

// Published figures, within the precision they are printed with:
// - the ISO 2533 standard atmosphere (also ICAO Doc 7488 and the ASHRAE
//   Handbook - Fundamentals, ch. 1, table 1): 84.556 kPa and 1.0581 kg/m³ at
//   1500 m and 5.25 °C; ASHRAE's standard air, 1.204 kg/m³ at 20 °C, 101.325 kPa;
// - the friction factor of round conduits on the Moody diagram (L. F. Moody,
//   Friction factors for pipe flow, Trans. ASME 66, 1944): 0.0180 for a smooth
//   wall at Re = 10^5, 0.0199 at Re = 10^6 with ε/D = 0.001.
TEST(DuctSystem, HandbookFiguresForDensityAndRoundDuctFriction) {
    EXPECT_NEAR(PressureAtElevation(1500), 84.556, 0.0005);
    EXPECT_NEAR(AirPropertiesFor(AirState{5.25, 1500.0, std::nullopt}).density, 1.0581, 0.00005);
    EXPECT_NEAR(AirPropertiesFor(AirState{20, 0.0, std::nullopt}).density, 1.204, 0.0005);
    EXPECT_NEAR(AirPropertiesFor(AirState{20, std::nullopt, 101.325}).density, 1.2041, 0.00005);

    struct Case {
        double roughnessMm, reynolds, factor;
    };
    for (const Case& c : {Case{1e-6, 1e5, 0.0180}, Case{0.5, 1e6, 0.0199}}) {
        // A 500 mm round duct in the duct page's air, at the velocity giving Re.
        DuctSystem d;
        d.settings = PaSettings();
        d.settings.law = FrictionLaw::Colebrook;
        d.settings.criteria.roughness = c.roughnessMm;
        const double mu = AirViscosity(20), v = c.reynolds * mu / (1.2 * 0.5);
        d.sections.push_back(
            Section("1", std::nullopt, 1, v * 3.141592653589793 * 0.0625 * 3600, "500"));
        const SystemResult r = CalculateSystem(d);
        ASSERT_TRUE(r.ok());
        const double f = r.sections[0].lossPerMetre * 0.5 / r.sections[0].velocityPressure;
        EXPECT_NEAR(f, c.factor, 0.0002) << c.reynolds;
    }
    EXPECT_DOUBLE_EQ(ColebrookFactor(1000, 0.001), 0.064); // laminar: 64/Re
}

TEST(DuctSystem, FixedSizeBeyondTheLimitsIsKeptAndFlagged) {
    DuctSystem d;
    d.settings = PaSettings();
    d.sections.push_back(Section("1", std::nullopt, 1, 3000, "200x200"));
    d.sections.push_back(Section("2", "1", 1, 3000, "900x100")); // aspect 9
    d.sections.push_back(Section("3", "2", 1, 3000, "600x600"));
    const SystemResult r = CalculateSystem(d);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.sections[0].overLimits);
    EXPECT_TRUE(r.sections[1].overLimits);
    EXPECT_FALSE(r.sections[2].overLimits);
    EXPECT_EQ(SystemSizeText(r.sections[0], "Φ"), "200x200");
}

TEST(DuctSystem, EachFaultIsReportedWithItsSection) {
    using K = SystemProblemKind;
    struct Case {
        const char* name;
        std::function<void(DuctSystem&)> spoil;
        K kind;
        std::string section;
    };
    // A fan section "1", a branch "2" and terminals "3" and "4" below "2".
    auto base = [] {
        DuctSystem d;
        d.settings = PaSettings();
        d.sections = {Section("1", std::nullopt, 5), Section("2", "1", 5),
                      Section("3", "2", 2, 500), Section("4", "2", 2, 300)};
        return d;
    };
    const std::vector<Case> cases = {
        {"cycle",
         [](DuctSystem& d) {
             d.sections[0].upstream = "4";
             d.sections.push_back(Section("0", std::nullopt, 1, 5));
         },
         K::Cycle, "1"},
        {"unknown", [](DuctSystem& d) { d.sections[2].upstream = "9"; }, K::UnknownUpstream, "3"},
        {"duplicate", [](DuctSystem& d) { d.sections[3].id = "3"; }, K::DuplicateId, "3"},
        {"itself", [](DuctSystem& d) { d.sections[1].upstream = "2"; }, K::UpstreamOfItself, "2"},
        {"two fans", [](DuctSystem& d) { d.sections[3].upstream.reset(); }, K::TwoFanSections, "4"},
        {"no flow", [](DuctSystem& d) { d.sections[3].flow.reset(); }, K::TerminalWithoutFlow, "4"},
        {"disagree", [](DuctSystem& d) { d.sections[1].flow = 805; }, K::FlowsDisagree, "2"},
        {"negative length", [](DuctSystem& d) { d.sections[1].length = -1; }, K::BadLength, "2"},
        {"absurd flow", [](DuctSystem& d) { d.sections[2].flow = 1e12; }, K::BadFlow, "3"},
        {"absurd size", [](DuctSystem& d) { d.sections[2].size = "0x300"; }, K::BadSize, "3"},
        {"shape",
         [](DuctSystem& d) {
             d.sections[2].size = "300";
             d.sections[2].shape = DuctShape::Rectangular;
         },
         K::ShapeContradicts, "3"},
        {"max height", [](DuctSystem& d) { d.sections[2].maxHeight = 10; }, K::NoSizeUnderMaxHeight,
         "3"},
        {"cold",
         [](DuctSystem& d) {
             d.settings.air = AirState{-150, 0.0, std::nullopt};
         },
         K::BadTemperature, ""},
        {"hot",
         [](DuctSystem& d) {
             d.settings.air = AirState{1001, 0.0, std::nullopt};
         },
         K::BadTemperature, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DuctSystem d = base();
        c.spoil(d);
        const SystemResult r = CalculateSystem(d);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.problems[0].kind, c.kind);
        EXPECT_EQ(r.problems[0].section, c.section);
    }
    // The tree alone: a circle is found with no fan section at all, and a
    // second fan section is no circle.
    DuctSystem ring = base();
    ring.sections[0].upstream = "4";
    const auto ringProblems = CheckSystemTree(ring);
    ASSERT_EQ(ringProblems.size(), 2u);
    EXPECT_EQ(ringProblems[1].kind, K::Cycle);
    DuctSystem twoFans = base();
    twoFans.sections[2].upstream.reset();
    ASSERT_EQ(CheckSystemTree(twoFans).size(), 1u);
    EXPECT_EQ(CheckSystemTree(twoFans)[0].kind, K::TwoFanSections);

    // Flows within 0.5 % of the sum are taken, and the sum is used.
    DuctSystem d = base();
    d.sections[1].flow = 803.9;
    const SystemResult r = CalculateSystem(d);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.sections[1].flow, 800);
}

TEST(DuctSystem, LongChainsAndWideFansStayLinearAndExact) {
    DuctSystem d;
    d.settings = PaSettings();
    const int n = 20000; // a chain as deep as it is long: no recursion anywhere
    d.sections.push_back(Section("s0", std::nullopt, 1, std::nullopt, "300x300"));
    for (int i = 1; i < n; ++i)
        d.sections.push_back(Section("s" + std::to_string(i), "s" + std::to_string(i - 1), 1,
                                     i == n - 1 ? std::optional<double>(1000) : std::nullopt,
                                     "300x300"));
    const SystemResult r = CalculateSystem(d);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.paths.size(), 1u);
    EXPECT_EQ(r.pathSectionCount, static_cast<std::size_t>(n));
    EXPECT_NEAR(r.fanPressure, n * r.sections[0].totalLoss, 1e-6 * r.fanPressure);
    // Ties go to the terminal that comes first.
    d.sections.push_back(Section("t", "s0", 0, 1000, "300x300"));
    d.sections.back().fixedLoss = r.fanPressure - r.sections[0].totalLoss;
    d.sections.push_back(Section("u", "s0", 0, 1000, "300x300"));
    d.sections.back().fixedLoss = 1e5;
    const SystemResult wide = CalculateSystem(d);
    ASSERT_TRUE(wide.ok());
    EXPECT_EQ(d.sections[wide.paths[wide.criticalPath].terminal].id, "u");
}

TEST(SystemFile, ReadsTheDocumentedFormAndWritesItBack) {
    const std::string text = R"({"name": "Office supply", "units": "Pa", "friction_law": "power",
 "material": "Galvanised steel", "limits": {"velocity": 10.0, "loss": 1.0, "aspect": 4.0},
 "shape": "rectangular", "max_height": 400, "air": {"temperature": 20, "elevation": 0},
 "sections": [
  {"id": "1", "upstream": null, "length": 12, "fittings": [0.2, {"name": "tee, main", "c": 0.15}]},
  {"id": "2", "upstream": "1", "length": 6, "size": "400x300"},
  {"id": "T1", "upstream": "2", "length": 3, "flow": 1200, "fixed_loss": 25},
  {"id": "T2", "upstream": "1", "length": 8, "flow": 800, "shape": "round", "fixed_loss": 20}]})";
    const SystemFileResult read = ReadSystemJson(text);
    ASSERT_TRUE(read.ok) << static_cast<int>(read.error.form);
    const SystemFile& f = read.file;
    EXPECT_EQ(f.choice.materialName.value_or(""), "Galvanised steel");
    EXPECT_EQ(f.choice.velocity.value_or(0), 10.0);
    EXPECT_EQ(f.system.settings.shape, DuctShape::Rectangular);
    ASSERT_EQ(f.system.sections.size(), 4u);
    EXPECT_FALSE(f.system.sections[0].upstream);
    EXPECT_EQ(f.system.sections[0].fittings[1].name, "tee, main");
    EXPECT_EQ(f.system.sections[3].shape, DuctShape::Round);

    const SystemFileResult again = ReadSystemJson(WriteSystemJson(f));
    ASSERT_TRUE(again.ok) << static_cast<int>(again.error.form);
    EXPECT_EQ(WriteSystemJson(again.file), WriteSystemJson(f));
}

TEST(SystemFile, BadFilesGiveTheProblemAndItsPlace) {
    using P = SystemFormProblem;
    using J = json_in::JsonProblem;
    const struct {
        std::string text;
        int line, column;
        J json;
        P form;
        std::vector<std::string> values;
    } cases[] = {
        {"", 1, 1, J::Empty, P::None, {""}},
        {"{\"sections\": [], \"sections\": []}", 1, 18, J::MemberTwice, P::None, {"sections"}},
        {"{\"sections\": [\n  {\"id\": \"a\", \"length\": \"5\"}]}",
         2,
         25,
         J::None,
         P::NotNumber,
         {"length"}},
        {"{\"units\": \"bar\", \"sections\": []}", 1, 11, J::None, P::BadUnits, {"bar"}},
        {"{\"sections\": [{\"id\": \"a\", \"fittings\": [{\"c\": 1, \"k\": 2}]}]}",
         1,
         54,
         J::None,
         P::UnknownFittingMember,
         {"k"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SystemFileResult r = ReadSystemJson(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.column, c.column);
        EXPECT_EQ(r.error.json, c.json);
        EXPECT_EQ(r.error.form, c.form);
        EXPECT_EQ(r.error.values, c.values);
    }
    // The section being read comes with a problem of its form.
    EXPECT_EQ(ReadSystemJson("{\"sections\": [{\"id\": \"a\"}]}").error.section, "a");
}
