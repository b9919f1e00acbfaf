#pragma once

// Reading a schedule's input: lines of any line end, bounded in length, and
// the small text helpers of the CSV reader.

#include <streambuf>
#include <string>
#include <string_view>

namespace kestrix {

bool IsBlank(char c);
// Without blanks and tabs at either end.
std::string_view Trim(std::string_view text);
bool EqualsIgnoringCase(std::string_view text, std::string_view lower);

enum class LineRead { End, Line, TooLong, Endless };

// Reads the next line without its line end: LF, CR LF, or a CR alone, as a
// spreadsheet of the old Macintosh writes it. A line ends at its CR at once,
// without waiting for the byte after it; afterCr then tells the next call to
// pass over the LF of a CR LF. A line longer than kMaxScheduleLineBytes is
// read on to its end but not kept (TooLong). One with no end within
// kMaxSkippedLineBytes more is given up (Endless): an endless device such as
// /dev/zero would never end it. A read error is thrown by the buffer and ends
// the run; the line it cut short is not kept.
LineRead ReadLine(std::streambuf& in, std::string& line, bool& afterCr);

} // namespace kestrix
