#pragma once

// Readable failure output for the records: gtest would print raw bytes.

#include "config/config_records.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kestrix {

inline void PrintTo(const DuctMaterial& m, std::ostream* os) {
    *os << ::testing::PrintToString(std::vector<std::string>{m.name, m.roughness});
}

inline void PrintTo(const DuctSelectionStyle& s, std::ostream* os) {
    *os << ::testing::PrintToString(std::vector<std::string>{
        s.name, s.material, s.velocity, s.frictionLoss, s.units, s.aspectRatio});
}

inline void PrintTo(const TerminalSelectionStyle& s, std::ostream* os) {
    *os << ::testing::PrintToString(std::vector<std::string>{s.name, s.freeArea, s.faceVelocity});
}

// Tables: only the slots in use, with their numbers.
template <typename Record>
void PrintTo(const std::array<Record, kConfigTableSlots>& table, std::ostream* os) {
    *os << "{";
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == Record{}) continue;
        *os << " [" << i << "] ";
        PrintTo(table[i], os);
    }
    *os << " }";
}

} // namespace kestrix
