// Explains how an actual transcript differs from the expected one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl::program_tests {

// A line with its control characters made visible (\r, \t, \xNN), so that
// stray carriage returns and NUL bytes show up in a report.
std::string VisibleLine(std::string_view line);

// The transcript as numbered, visible lines; "(empty)" when it is empty.
std::string NumberedTranscript(std::string_view transcript);

// Nothing when the two are byte for byte equal; otherwise a description of
// the first line where they part, or of a missing final line feed.
std::optional<std::string> FirstDifference(std::string_view expected, std::string_view actual);

}  // namespace quorl::program_tests
