#include "platform/win32/win32_sockets.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "platform/sliced_wait.h"
#include "platform/win32/entry_points.h"

namespace quorl::platform {

// The seventeen entry points that the library must have, in the order they
// are looked up, then the three more that non-blocking waits need. The
// declarations of <winsock.h> give only the types: nothing here is linked.
// clang-format off
#define QUORL_SOCKET_ENTRY_POINTS(X)                                            \
  X(gethostbyname) X(gethostbyaddr) X(htons) X(inet_addr) X(socket)             \
  X(WSAGetLastError) X(setsockopt) X(connect) X(send) X(recv) X(closesocket)    \
  X(WSAStartup) X(WSACleanup) X(WSAIsBlocking) X(WSACancelBlockingCall)         \
  X(WSAAsyncGetHostByName) X(WSACancelAsyncRequest)                             \
  X(ioctlsocket) X(select) X(getsockopt)
// clang-format on

struct Win32Sockets::EntryPoints {
#define QUORL_DECLARE(name) decltype(&::name) name;
  QUORL_SOCKET_ENTRY_POINTS(QUORL_DECLARE)
#undef QUORL_DECLARE
};

namespace {

constexpr const char* kLibraryNames[] = {"WSOCK32.DLL", "WINSOCK.DLL"};

// False at the first entry point that the library lacks.
bool FindAll(HMODULE library, Win32Sockets::EntryPoints& api) {
#define QUORL_FIND(name) &&FindEntryPoint(library, #name, api.name)
  return true QUORL_SOCKET_ENTRY_POINTS(QUORL_FIND);
#undef QUORL_FIND
}

SOCKET ToSocket(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

// The library's handles are small numbers; INVALID_SOCKET becomes kNoSocket.
SocketHandle HandleOf(SOCKET socket) {
  return socket == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(socket);
}

// Network byte order (most significant byte first) from host order.
uint32_t NetworkOrder(uint32_t value) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
      static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
  uint32_t ordered = 0;
  std::memcpy(&ordered, bytes, sizeof ordered);
  return ordered;
}

}  // namespace

Win32Sockets::Win32Sockets() = default;

Win32Sockets::~Win32Sockets() {
  Stop();
}

SocketLibrary::StartOutcome Win32Sockets::Start(WaitHook hook, int& error) {
  error = 0;
  Stop();
  for (const char* name : kLibraryNames) {
    library_ = LoadLibraryA(name);
    if (library_) break;
  }
  if (!library_) return StartOutcome::kNotLoadable;
  api_ = std::make_unique<EntryPoints>();
  if (!FindAll(library_, *api_)) {
    Unload();
    return StartOutcome::kEntryPointMissing;
  }
  WSADATA data;
  if (const int failed = api_->WSAStartup(MAKEWORD(1, 1), &data); failed != 0) {
    error = failed;
    Unload();
    return StartOutcome::kStartupFailed;
  }
  started_ = true;
  hook_ = std::move(hook);
  cancelled_ = false;
  return StartOutcome::kStarted;
}

void Win32Sockets::Stop() {
  if (!library_) return;
  if (started_) {
    CancelBlockingCall();
    api_->WSACleanup();
  }
  Unload();
}

void Win32Sockets::Unload() {
  FreeLibrary(library_);
  library_ = nullptr;
  api_.reset();
  started_ = false;
  hook_ = nullptr;
  cancelled_ = false;
}

void Win32Sockets::CancelBlockingCall() {
  if (!started_) return;
  // What the library offers for this does nothing on today's systems; the
  // flag ends our own waits.
  if (api_->WSAIsBlocking()) api_->WSACancelBlockingCall();
  cancelled_ = true;
}

int Win32Sockets::LastError() const {
  const int error = api_->WSAGetLastError();
  return error != 0 ? error : socket_error::kUnknown;
}

int Win32Sockets::WaitFor(SocketHandle socket, Readiness readiness,
                          std::chrono::milliseconds limit) {
  auto pollOnce = [&](std::chrono::milliseconds slice) -> std::optional<int> {
    fd_set ready;
    fd_set failed;
    ready.fd_count = 1;
    ready.fd_array[0] = ToSocket(socket);
    failed = ready;
    timeval wait{0, static_cast<long>(slice.count() * 1000)};
    const bool reading = readiness == Readiness::kRead;
    // A connection that fails is reported among the exceptions.
    const int count = api_->select(0, reading ? &ready : nullptr, reading ? nullptr : &ready,
                                   readiness == Readiness::kConnected ? &failed : nullptr, &wait);
    if (count == SOCKET_ERROR) return LastError();
    if (count == 0) return std::nullopt;
    return 0;  // ready, or a failure that the next call reports
  };
  return WaitInSlices(pollOnce, cancelled_, hook_, limit);
}

SocketResult Win32Sockets::Resolve(std::string_view name) {
  const hostent* host = api_->gethostbyname(std::string(name).c_str());
  if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) {
    return SocketResult::Failure(host ? socket_error::kNoData : LastError());
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
  return SocketResult::Success(static_cast<int64_t>(
      static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
      static_cast<uint32_t>(bytes[2]) << 8 | bytes[3]));
}

SocketResult Win32Sockets::OpenStream() {
  const SOCKET opened = api_->socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (opened == INVALID_SOCKET) return SocketResult::Failure(LastError());
  const BOOL on = TRUE;
  u_long nonBlocking = 1;
  if (api_->setsockopt(opened, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on),
                       sizeof on) != 0 ||
      api_->ioctlsocket(opened, FIONBIO, &nonBlocking) != 0) {
    const int error = LastError();
    api_->closesocket(opened);
    return SocketResult::Failure(error);
  }
  return SocketResult::Success(HandleOf(opened));
}

SocketResult Win32Sockets::Connect(SocketHandle socket, uint32_t address, uint16_t port) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = api_->htons(port);
  target.sin_addr.s_addr = NetworkOrder(address);
  if (api_->connect(ToSocket(socket), reinterpret_cast<const sockaddr*>(&target), sizeof target) ==
      0) {
    return SocketResult::Success(0);
  }
  if (const int error = LastError(); error != WSAEWOULDBLOCK) return SocketResult::Failure(error);
  if (const int waited = WaitFor(socket, Readiness::kConnected, timeouts_.connect); waited != 0) {
    return SocketResult::Failure(waited);
  }
  int pending = 0;
  int length = sizeof pending;
  if (api_->getsockopt(ToSocket(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending),
                       &length) != 0) {
    pending = LastError();
  }
  if (pending != 0) return SocketResult::Failure(pending);
  return SocketResult::Success(0);
}

SocketResult Win32Sockets::Send(SocketHandle socket, std::string_view bytes) {
  // A single send takes at most what an int can count.
  const int length = static_cast<int>(std::min<size_t>(bytes.size(), 1 << 30));
  while (true) {
    const int sent = api_->send(ToSocket(socket), bytes.data(), length, 0);
    if (sent != SOCKET_ERROR) return SocketResult::Success(sent);
    if (const int error = LastError(); error != WSAEWOULDBLOCK) {
      return SocketResult::Failure(error);
    }
    if (const int waited = WaitFor(socket, Readiness::kWrite, timeouts_.idle); waited != 0) {
      return SocketResult::Failure(waited);
    }
  }
}

SocketResult Win32Sockets::Receive(SocketHandle socket, std::span<char> buffer, bool peek) {
  const int length = static_cast<int>(std::min<size_t>(buffer.size(), 1 << 30));
  while (true) {
    const int got = api_->recv(ToSocket(socket), buffer.data(), length, peek ? MSG_PEEK : 0);
    if (got != SOCKET_ERROR) return SocketResult::Success(got);
    if (const int error = LastError(); error != WSAEWOULDBLOCK) {
      return SocketResult::Failure(error);
    }
    if (const int waited = WaitFor(socket, Readiness::kRead, timeouts_.idle); waited != 0) {
      return SocketResult::Failure(waited);
    }
  }
}

int Win32Sockets::Close(SocketHandle socket) {
  // Closing returns at once; the system still sends what was queued.
  const BOOL dontLinger = TRUE;
  api_->setsockopt(ToSocket(socket), SOL_SOCKET, SO_DONTLINGER,
                   reinterpret_cast<const char*>(&dontLinger), sizeof dontLinger);
  if (api_->closesocket(ToSocket(socket)) != 0) return LastError();
  return 0;
}

}  // namespace quorl::platform
