// quorl_download_bench: the download throughput of the data-access
// built-ins. Serves a 50 MB text file from nginx on loopback over http and
// over https (on a certificate of a throwaway authority), fetches it with
// OPENDATA and reads every line with READDATA, and fetches the same file
// with curl in the same run. Prints the best of five runs of each and the
// ratios. Run by hand; it is not a ctest test.
#include <chrono>
#include <iostream>
#include <optional>
#include <string>

#include "lang/builtin_handlers.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
#include "platform/posix/openssl_channels.h"
#include "platform/posix/posix_sockets.h"
#include "platform/posix/posix_system.h"
#include "server_process.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr size_t kFileBytes = 50 * 1024 * 1024;
constexpr int kRuns = 5;

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
// The TLS channels live as long as a program run does, as in quorl itself.
std::optional<QuorlRun> FetchWithQuorl(const std::string& url, const std::filesystem::path& temp,
                                       const std::string& caFile,
                                       quorl::platform::OpenSslChannels& tls) {
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
  ctx.network.tls = &tls;
  ctx.network.readQuorlConfig = [&caFile](std::string_view key) {
    return key == "CAFile" ? caFile : std::string();
  };

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

std::optional<Seconds> FetchWithCurl(const std::string& url, const std::filesystem::path& target,
                                     const std::string& caFile) {
  quorl::tools::ProcessRequest request;
  request.argv = {"curl", "--silent", "--show-error",  "--fail", "--cacert",
                  caFile, "--output", target.string(), url};
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

struct Best {
  std::optional<QuorlRun> quorl;
  std::optional<Seconds> curl;
  std::optional<Seconds> quorlDownload;  // the fastest download alone
  Seconds firstQuorlDownload{};
};

std::optional<Best> Measure(const std::string& url, const std::filesystem::path& folder,
                            const std::string& caFile) {
  Best best;
  quorl::platform::OpenSslChannels tls;
  for (int run = 0; run < kRuns; ++run) {
    const std::optional<QuorlRun> quorlRun = FetchWithQuorl(url, folder / "tmp", caFile, tls);
    const std::optional<Seconds> curlRun = FetchWithCurl(url, folder / "curl.out", caFile);
    if (!quorlRun || !curlRun) return std::nullopt;
    if (run == 0) best.firstQuorlDownload = quorlRun->download;
    if (!best.quorlDownload || quorlRun->download < *best.quorlDownload) {
      best.quorlDownload = quorlRun->download;
    }
    if (!best.quorl ||
        quorlRun->download + quorlRun->reading < best.quorl->download + best.quorl->reading) {
      best.quorl = quorlRun;
    }
    if (!best.curl || *curlRun < *best.curl) best.curl = curlRun;
  }
  return best;
}

void PrintStep(const char* step, Seconds time) {
  std::printf("%-34s %8.3f s %9.1f MB/s\n", step, time.count(), MegabytesPerSecond(time));
}

}  // namespace

int main() {
  quorl::tools::TemporaryDirectory folder("quorl-download-bench");
  quorl::nettest::TestAuthority authority(folder.Path() / "pki");
  const quorl::nettest::CertificateFiles certificate = authority.Issue("server", "localhost");
  const int securePort = quorl::nettest::FreeLoopbackPort();
  quorl::nettest::Nginx nginx(
      folder.Path(), "  server {\n    listen 127.0.0.1:" + std::to_string(securePort) +
                         " ssl;\n    ssl_certificate " + certificate.certificate.string() +
                         ";\n    ssl_certificate_key " + certificate.key.string() + ";\n    root " +
                         (folder.Path() / "nginx" / "www").string() + ";\n  }\n");
  if (!nginx.Problem().empty()) {
    std::cerr << nginx.Problem() << "\n";
    return 1;
  }
  quorl::nettest::WriteFile(nginx.Www() / "big.txt", TextFile());
  std::filesystem::create_directories(folder.Path() / "tmp");
  const std::string caFile = authority.RootFile().string();

  const std::optional<Best> plain = Measure(nginx.Url("/big.txt"), folder.Path(), caFile);
  const std::optional<Best> secure = Measure(
      "https://localhost:" + std::to_string(securePort) + "/big.txt", folder.Path(), caFile);
  if (!plain || !secure) return 1;

  const Seconds quorlTotal = plain->quorl->download + plain->quorl->reading;
  std::printf("file: %zu bytes, %ld lines; best of %d runs\n", kFileBytes, plain->quorl->lines,
              kRuns);
  PrintStep("curl, http (download)", *plain->curl);
  PrintStep("OPENDATA, http (download)", *plain->quorlDownload);
  PrintStep("READDATA (every line)", plain->quorl->reading);
  PrintStep("OPENDATA + READDATA, http", quorlTotal);
  PrintStep("curl, https (download)", *secure->curl);
  PrintStep("OPENDATA, https (download)", *secure->quorlDownload);
  PrintStep("OPENDATA, https, first of the run", secure->firstQuorlDownload);
  std::printf("download time against curl: http %.2f (with reading %.2f); https %.2f\n",
              *plain->quorlDownload / *plain->curl, quorlTotal / *plain->curl,
              *secure->quorlDownload / *secure->curl);
  return 0;
}
