// The Wine session of a test run (the display and prefix that the fixture
// wine_session started), for tests that drive Windows programs and the
// display themselves.
#pragma once

#include <string>
#include <vector>

namespace quorl::winetest {

// The command line that runs a Windows program under Wine in the session.
std::vector<std::string> WineCommand(const std::string& program,
                                     const std::vector<std::string>& arguments);
// Runs a shell command with the session's display; its standard output.
std::string InSession(const std::string& command);

}  // namespace quorl::winetest
