#pragma once

// Whole duct systems: a tree of sections from the fan to the terminals. Each
// section is sized with the duct page's engine under the system's limits,
// then its pressure loss is worked out with the system's friction law and
// air; the paths from the fan to every terminal give the critical path, the
// fan pressure and the surplus each other terminal's damper must take.
// Everything is linear in the number of sections.

#include "engine/duct_sizing.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrix {

enum class DuctShape { Round, Rectangular };
enum class FrictionLaw {
    Power,     // the duct page's power law, corrected for the air
    Colebrook, // Darcy-Weisbach with the Colebrook-White friction factor
};

// Bounds of a system that a reader or the window accepts.
inline constexpr std::size_t kMaxSystemSections = 100000;
inline constexpr double kMaxSectionLength = 10000.0;   // m
inline constexpr double kMaxSizeMm = 20000.0;          // a side or diameter
inline constexpr double kMinAirTemperature = -100.0;   // °C
inline constexpr double kMaxAirTemperature = 1000.0;   // °C
inline constexpr double kMinElevation = -1000.0;       // m
inline constexpr double kMaxElevation = 11000.0;       // m, the formula's range
inline constexpr double kMinAirPressure = 10.0;        // kPa
inline constexpr double kMaxAirPressure = 1000.0;      // kPa
inline constexpr double kMaxLossCoefficient = 10000.0; // |C| of one fitting
inline constexpr double kMaxFixedLoss = 1.0e6;         // in the system's units
// Reports that would list more sections along their paths are refused.
inline constexpr std::size_t kMaxReportPathSections = 10000000;

struct Fitting {
    std::string name; // may be empty
    double c = 0;     // referred to the section's own velocity pressure
};

struct SystemSection {
    std::string id;
    std::optional<std::string> upstream; // none: the section at the fan
    double length = 0;                   // m
    std::optional<double> flow;          // CMH; required for terminals
    std::string size;                    // a fixed size ("400x300", "350"), empty: sized
    std::optional<DuctShape> shape;      // none: the system's shape
    std::optional<double> maxHeight;     // mm; none: the system's
    std::vector<Fitting> fittings;
    double fixedLoss = 0; // in the system's units
};

struct AirState {
    double temperature = 20.0;       // °C
    std::optional<double> elevation; // m
    std::optional<double> pressure;  // kPa; given instead of an elevation
};

struct SystemSettings {
    std::string name;
    bool pressureInPa = true; // units "Pa", else "mmAq"
    FrictionLaw law = FrictionLaw::Power;
    // Roughness in mm, limits in the system's units; pressureInPa here must
    // match the one above.
    DuctCriteria criteria;
    DuctShape shape = DuctShape::Round;
    std::optional<double> maxHeight; // mm
    std::optional<AirState> air;     // none: the duct page's air
};

struct DuctSystem {
    SystemSettings settings;
    std::vector<SystemSection> sections;
};

// A problem found in a system; `section` names the section (empty for the
// system's settings), `detail` holds the value or other id the text shows;
// config/system_texts.h words it.
enum class SystemProblemKind {
    NoSections,
    TooManySections,
    EmptyId,
    DuplicateId,
    UnknownUpstream,
    UpstreamOfItself,
    TwoFanSections,
    NoFanSection,
    Cycle,
    BadLength,
    BadFlow,
    TerminalWithoutFlow,
    FlowsDisagree,
    BadSize,
    ShapeContradicts,
    BadMaxHeight,
    NoSizeUnderMaxHeight,
    BadFitting,
    BadFixedLoss,
    BadTemperature,
    BadElevation,
    BadPressure,
    BadLimits,
    BadRoughness,
    NoSize, // the engine found no size (flow too small, too big, limits)
};

struct SystemProblem {
    SystemProblemKind kind;
    std::string section;
    std::string detail;
    SizingMessage sizing = SizingMessage::None; // what the engine said, for NoSize
};

struct AirProperties {
    double density = 1.2; // kg/m³
    double viscosity = 0; // Pa·s
};

// Sutherland's law for air.
double AirViscosity(double temperatureC);
// Pressure of the standard atmosphere at an elevation, kPa.
double PressureAtElevation(double elevationM);
// Density and viscosity of the system's air; without air the duct page's 1.2 kg/m³ at 20 °C.
AirProperties AirPropertiesFor(const std::optional<AirState>& air);
// The Colebrook-White friction factor (64/Re below Re 2300).
double ColebrookFactor(double reynolds, double relativeRoughness);

struct SectionResult {
    double flow = 0;   // CMH
    double width = 0;  // mm; the diameter of a round section
    double height = 0; // mm; 0 for a round section
    bool fixedSize = false;
    bool overLimits = false; // a fixed size beyond the system's limits
    double velocity = 0;     // m/s, the real velocity in the section
    double velocityPressure = 0;
    double lossPerMetre = 0;
    double frictionLoss = 0;
    double fittingsLoss = 0;
    double fixedLoss = 0;
    double totalLoss = 0;
};

struct PathResult {
    std::size_t terminal = 0; // index of the terminal section
    double pressure = 0;
    double surplus = 0;
};

struct SystemResult {
    AirProperties air;
    std::vector<SectionResult> sections; // in the order of the system's sections
    std::vector<std::size_t> upstream;   // index of each section's upstream; itself at the fan
    std::vector<PathResult> paths;       // one per terminal, in file order
    std::size_t criticalPath = 0;        // index into paths
    double fanPressure = 0;
    // The sections of all paths together: what a report of the paths lists.
    // A comb of long paths makes it grow as the square of the sections.
    std::size_t pathSectionCount = 0;
    std::vector<SystemProblem> problems; // when not empty, the figures are not valid

    bool ok() const { return problems.empty(); }
    // The sections of a path from the fan to its terminal.
    std::vector<std::size_t> PathSections(const PathResult& path) const;
};

SystemResult CalculateSystem(const DuctSystem& system);

// Only the problems of the tree itself: ids, links, fan sections, circles.
std::vector<SystemProblem> CheckSystemTree(const DuctSystem& system);

// A size text as the duct page writes it: "400x300", or the diameter and mark.
std::string SystemSizeText(const SectionResult& section, std::string_view diameterMark);

} // namespace kestrix
