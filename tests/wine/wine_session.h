// The Wine session of a test run (the display and prefix that the fixture
// wine_session started), for tests that drive Windows programs and the
// display themselves.
#pragma once

#include <string>
#include <vector>

#include "tools/subprocess.h"

namespace quorl::winetest {

inline const std::string kLoadSession = "source '" QUORL_WINE_SESSION "/session.env' && ";

// The command line that runs a Windows program under Wine in the session.
inline std::vector<std::string> WineCommand(const std::string& program,
                                            const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {
      "/bin/bash", "-c", kLoadSession + "exec timeout -k 5 60 wine \"$0\" \"$@\"", program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

// Runs a shell command with the session's display; its standard output.
inline std::string InSession(const std::string& command) {
  tools::ProcessRequest request;
  request.argv = {"/bin/bash", "-c", kLoadSession + command};
  request.timeout = std::chrono::seconds(20);
  return tools::RunProcess(request).standardOutput;
}

}  // namespace quorl::winetest
