#pragma once

// The checks of a duct system, shared by the calculation and the tree check:
// the values of the settings and sections, the links between the sections,
// and their order from the fan outwards with the circles found.

#include "engine/duct_system.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrix::system_checks {

bool Finite(double x);
// A number as a problem text shows it.
std::string Number(double x);
bool SizeInRange(double side);

struct Checker {
    std::vector<SystemProblem>& problems;
    void Add(SystemProblemKind kind, const std::string& section, std::string detail = {},
             SizingMessage sizing = SizingMessage::None) {
        problems.push_back({kind, section, std::move(detail), sizing});
    }
};

void CheckSettings(const SystemSettings& s, Checker& check);
void CheckSectionValues(const SystemSection& s, Checker& check);

// Links every section to its upstream section (itself at the fan). Problems
// of ids and links are reported; the links are usable only when none was found.
void LinkSections(const DuctSystem& system, std::vector<std::size_t>& upstream, Checker& check);

// The sections from the fan outwards, each after its upstream one, with the
// downstream sections of each (children[childStart[i]] up to childStart[i + 1]).
// Sections that never reach the fan are reported, one problem per circle,
// and the order comes back empty.
std::vector<std::size_t> OrderFromFan(const DuctSystem& system,
                                      const std::vector<std::size_t>& upstream,
                                      std::vector<std::size_t>& childStart,
                                      std::vector<std::size_t>& children, Checker& check);

} // namespace kestrix::system_checks
