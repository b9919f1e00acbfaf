#pragma once

// Aligned plain-text tables for kestrix-calc: columns separated by two blanks,
// widths measured in terminal columns so Japanese headings line up too.

#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

class TextTable {
  public:
    // One flag per column: true aligns the column to the right (numbers).
    explicit TextTable(std::vector<bool> rightAligned) : rightAligned_(std::move(rightAligned)) {}

    void AddRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    bool empty() const { return rows_.empty(); }

    // Every row on its own line, without trailing blanks.
    void Print(std::ostream& out) const;

  private:
    std::vector<bool> rightAligned_;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace kestrix
