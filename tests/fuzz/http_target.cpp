// HTTP replies: the bytes after the first are what the server sends, arriving
// in runs whose length the first byte chooses; its top bit sends the request
// through a proxy, the next one makes it a POST.
#include <string>

#include "net/http_client.h"
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  quorl::fuzz::FuzzRun run;
  const size_t runLength = 1 + (data[0] & 0x3F) * 4;
  if (data[0] & 0x80) {
    run.ctx.network.readQuorlConfig = [](std::string_view key) {
      return key == "Proxy" ? std::string("fuzz.example:3128") : std::string();
    };
  }
  std::string_view reply = quorl::fuzz::AsText(data + 1, size - 1);
  for (size_t at = 0; at < reply.size(); at += runLength) {
    run.sockets.arrivals.emplace_back(reply.substr(at, runLength));
  }
  quorl::NetworkRequest(run.ctx, "http://fuzz.example/data/file.txt?q=1",
                        (data[0] & 0x40) ? "name=value" : "", quorl::fuzz::ScratchFile());
  return 0;
}
