#include "wine_session.h"

#include "tools/subprocess.h"

namespace quorl::winetest {
namespace {

const std::string kLoadSession = "source '" QUORL_WINE_SESSION "/session.env' && ";

}  // namespace

std::vector<std::string> WineCommand(const std::string& program,
                                     const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {
      "/bin/bash", "-c", kLoadSession + "exec timeout -k 5 60 wine \"$0\" \"$@\"", program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

std::string InSession(const std::string& command) {
  tools::ProcessRequest request;
  request.argv = {"/bin/bash", "-c", kLoadSession + command};
  request.timeout = std::chrono::seconds(20);
  return tools::RunProcess(request).standardOutput;
}

}  // namespace quorl::winetest
