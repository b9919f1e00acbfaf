#include "app/text_table.h"

#include "app/utf8.h"

#include <algorithm>

namespace kestrix {

void TextTable::Print(std::ostream& out) const {
    std::vector<std::size_t> widths(rightAligned_.size(), 0);
    for (const auto& row : rows_)
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));

    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            const std::string padding(widths[i] - DisplayWidth(row[i]), ' ');
            if (i > 0) line += "  ";
            line += rightAligned_[i] ? padding + row[i] : row[i] + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

} // namespace kestrix
