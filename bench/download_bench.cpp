// quorl_download_bench: the download throughput of the data-access
// built-ins. Serves a 50 MB text file from nginx on loopback, fetches it with
// OPENDATA and reads every line with READDATA, and fetches the same file
// with curl in the same run. Prints the best of three runs of each and the
// ratio. Run by hand; it is not a ctest test.
#include <chrono>
#include <iostream>
#include <optional>
#include <string>

#include "lang/builtin_handlers.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
#include "platform/posix/posix_sockets.h"
#include "platform/posix/posix_system.h"
#include "real_servers.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr size_t kFileBytes = 50 * 1024 * 1024;
constexpr int kRuns = 3;

// Lines of 20 to 120 characters, so the reading does real line work.
std::string TextFile() {
  std::string text;
  text.reserve(kFileBytes + 200);
  for (int line = 0; text.size() < kFileBytes; ++line) {
    std::string content = "line " + std::to_string(line) + " ";
    content += std::string(15 + static_cast<size_t>(line * 37 % 100), 'a' + line % 26);
    text += content + "\r\n";
  }
  text.resize(kFileBytes);
  return text;
}

struct QuorlRun {
  Seconds download{};
  Seconds reading{};
  long lines = 0;
};

// OPENDATA, then READDATA until EOFDATA, as a script would call them.
std::optional<QuorlRun> FetchWithQuorl(const std::string& url, const std::filesystem::path& temp) {
  quorl::platform::ConsoleDialogs dialogs(std::cin, std::cerr);
  struct BenchSystem : quorl::platform::PosixSystem {
    std::filesystem::path folder;
    std::string TempDirectory() override { return folder.string() + "/"; }
  } system;
  system.folder = temp;
  quorl::platform::PosixSockets sockets;
  quorl::Context ctx(dialogs, system);
  ctx.PushFrame();
  ctx.network.sockets = &sockets;

  QuorlRun run;
  const Clock::time_point start = Clock::now();
  const quorl::Result handle = quorl::DataBuiltin(ctx, "OPENDATA", "\"" + url + "\", \"\"");
  run.download = Clock::now() - start;
  if (!handle || handle->integer == 0) return std::nullopt;
  const std::string h = std::to_string(handle->integer);
  const Clock::time_point reading = Clock::now();
  while (quorl::DataBuiltin(ctx, "EOFDATA", h)->integer == 0) {
    quorl::DataBuiltin(ctx, "READDATA", h);
    ++run.lines;
  }
  run.reading = Clock::now() - reading;
  quorl::DataBuiltin(ctx, "CLOSEDATA", h);
  ctx.tempFiles.DeleteAll(system);
  return run;
}

std::optional<Seconds> FetchWithCurl(const std::string& url, const std::filesystem::path& target) {
  quorl::tools::ProcessRequest request;
  request.argv = {"curl", "--silent", "--show-error", "--fail", "--output", target.string(), url};
  const Clock::time_point start = Clock::now();
  const quorl::tools::ProcessResult result = quorl::tools::RunProcess(request);
  const Seconds time = Clock::now() - start;
  if (result.exitCode != 0) {
    std::cerr << "curl failed: " << result.standardError << result.launchError.value_or("") << "\n";
    return std::nullopt;
  }
  std::filesystem::remove(target);
  return time;
}

double MegabytesPerSecond(Seconds time) {
  return kFileBytes / (1024.0 * 1024.0) / time.count();
}

}  // namespace

int main() {
  quorl::tools::TemporaryDirectory folder("quorl-download-bench");
  quorl::nettest::Nginx nginx(folder.Path());
  if (!nginx.Problem().empty()) {
    std::cerr << nginx.Problem() << "\n";
    return 1;
  }
  quorl::nettest::WriteFile(nginx.Www() / "big.txt", TextFile());
  const std::string url = nginx.Url("/big.txt");
  std::filesystem::create_directories(folder.Path() / "tmp");

  std::optional<QuorlRun> bestQuorl;
  std::optional<Seconds> bestCurl;
  for (int run = 0; run < kRuns; ++run) {
    const std::optional<QuorlRun> quorlRun = FetchWithQuorl(url, folder.Path() / "tmp");
    const std::optional<Seconds> curlRun = FetchWithCurl(url, folder.Path() / "curl.out");
    if (!quorlRun || !curlRun) return 1;
    if (!bestQuorl ||
        quorlRun->download + quorlRun->reading < bestQuorl->download + bestQuorl->reading) {
      bestQuorl = quorlRun;
    }
    if (!bestCurl || *curlRun < *bestCurl) bestCurl = curlRun;
  }

  const Seconds quorlTotal = bestQuorl->download + bestQuorl->reading;
  std::printf("file: %zu bytes, %ld lines; best of %d runs\n", kFileBytes, bestQuorl->lines, kRuns);
  std::printf("%-34s %8.3f s %9.1f MB/s\n", "curl (download)", bestCurl->count(),
              MegabytesPerSecond(*bestCurl));
  std::printf("%-34s %8.3f s %9.1f MB/s\n", "OPENDATA (download)", bestQuorl->download.count(),
              MegabytesPerSecond(bestQuorl->download));
  std::printf("%-34s %8.3f s %9.1f MB/s\n", "READDATA (every line)", bestQuorl->reading.count(),
              MegabytesPerSecond(bestQuorl->reading));
  std::printf("%-34s %8.3f s %9.1f MB/s\n", "OPENDATA + READDATA", quorlTotal.count(),
              MegabytesPerSecond(quorlTotal));
  std::printf("download time against curl: %.2f; with reading: %.2f\n",
              bestQuorl->download / *bestCurl, quorlTotal / *bestCurl);
  return 0;
}
