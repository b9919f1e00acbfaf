#include "app/schedule_input.h"

#include "app/calc_schedule.h"

namespace kestrix {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

LineRead ReadLine(std::streambuf& in, std::string& line, bool& afterCr) {
    line.clear();
    using Traits = std::streambuf::traits_type;
    int c = in.sbumpc();
    if (afterCr && c == '\n') c = in.sbumpc();
    afterCr = false;
    if (c == Traits::eof()) return LineRead::End;
    std::size_t skipped = 0;
    for (; c != Traits::eof() && c != '\n' && c != '\r'; c = in.sbumpc()) {
        if (line.size() <= kMaxScheduleLineBytes) {
            line.push_back(static_cast<char>(c));
        } else if (++skipped > kMaxSkippedLineBytes) {
            line.clear();
            return LineRead::Endless;
        }
    }
    afterCr = c == '\r';
    if (skipped > 0 || line.size() > kMaxScheduleLineBytes) {
        line.clear();
        return LineRead::TooLong;
    }
    return LineRead::Line;
}

CsvProblem SplitCsvFields(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    size_t i = 0;
    const size_t n = line.size();
    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        std::string field;
        if (i < n && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += line[i++];
            }
            if (!closed) return CsvProblem::UnclosedQuote;
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i < n && line[i] != ',') return CsvProblem::TextAfterQuote;
        } else {
            const size_t start = i;
            while (i < n && line[i] != ',')
                ++i;
            field = Trim(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        if (i >= n) return CsvProblem::None;
        ++i; // the comma
    }
}

} // namespace kestrix
