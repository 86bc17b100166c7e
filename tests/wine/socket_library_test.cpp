// quorl.exe when the socket library cannot serve: not there at all, lacking
// an entry point, or failing its start-up call (reported once in a run).
// Wine loads the libraries of tests/wine/fake_wsock32.cpp in place of the
// system's when they lie beside the program and WINEDLLOVERRIDES says so.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/net/server_process.h"
#include "tools/temporary_directory.h"
#include "wine_session.h"

namespace quorl::nettest {
namespace {

const std::string kTwoRequests =
    "OPTION EXPLICIT\nSUB MAIN()\n"
    "  MSG OPENDATA(\"http://127.0.0.1:9/\", \"\")\n"
    "  MSG OPENDATA(\"http://127.0.0.1:9/\", \"\")\nEND SUB\n";

const std::string kNotWorking = "\nNetwork functions of Quorl will not work.\n";

// The transcript of the program with the socket library as the override
// says, from a copy of quorl.exe beside the library file given.
std::string Transcript(const std::string& override, const std::string& library = {}) {
  tools::TemporaryDirectory folder("quorl-socket-library");
  const std::filesystem::path tools = QUORL_WINDOWS_TEST_TOOLS;
  std::filesystem::copy_file(tools / "quorl.exe", folder.Path() / "quorl.exe");
  if (!library.empty()) std::filesystem::copy_file(tools / library, folder.Path() / "WSOCK32.DLL");
  WriteFile(folder.Path() / "two.qrl", kTwoRequests);
  return winetest::InSession("cd '" + folder.Path().string() +
                             "' && WINEDLLOVERRIDES=\"$WINEDLLOVERRIDES;wsock32=" + override +
                             "\" timeout -k 5 25 wine ./quorl.exe --scripted two.qrl");
}

TEST(SocketLibraryTest, EachFailureToStartIsShown) {
  const std::string missing =
      "Start Socket DLL: Unable to load Windows socket library (WSOCK32.DLL or WINSOCK.DLL)." +
      kNotWorking + "Message: 0\n";
  EXPECT_EQ(Transcript("d"), missing + missing);
  const std::string lacking =
      "Start Socket DLL: One or more necessary functions not found in Windows socket library "
      "(WINSOCK.DLL)!" +
      kNotWorking + "Message: 0\n";
  EXPECT_EQ(Transcript("n", "partial_wsock32.dll"), lacking + lacking);
  EXPECT_EQ(Transcript("n", "failing_wsock32.dll"),
            "Windows Socket ErrorStartSocketDLL(): Error communication on network:\n"
            "  System not ready\n"
            "Start Socket DLL: Unable to initialize Windows socket library (WINSOCK.DLL)!" +
                kNotWorking + "Message: 0\nMessage: 0\n");
}

}  // namespace
}  // namespace quorl::nettest
