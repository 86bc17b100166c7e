// The seam to the system's TCP/IP stack. The Windows host implements it over
// the socket library it loads at run time; the native build over POSIX
// sockets. Every operation that waits keeps calling the wait hook, so the
// host's messages are dispatched and the user can stop a transfer.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace quorl::platform {

// A socket of the system's library; kNoSocket when there is none.
using SocketHandle = int64_t;
inline constexpr SocketHandle kNoSocket = -1;

// Failure codes, numbered as the Windows socket library numbers them. A host
// on another system maps its own error numbers onto these.
namespace socket_error {
inline constexpr int kInterrupted = 10004;
inline constexpr int kInvalidArgument = 10022;
inline constexpr int kWouldBlock = 10035;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kNetworkDown = 10050;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostDown = 10064;
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
inline constexpr int kNonRecoverable = 11003;
inline constexpr int kNoData = 11004;
// A failure that has no code of its own; reported as unknown.
inline constexpr int kUnknown = 10000;
}  // namespace socket_error

// What an operation gave: a count, a handle or an address in value, or a
// failure code in error.
struct SocketResult {
  int64_t value = 0;
  int error = 0;

  bool Failed() const { return error != 0; }
  static SocketResult Success(int64_t value) { return {value, 0}; }
  static SocketResult Failure(int error) { return {0, error}; }
};

// Called over and over while an operation waits: dispatches the host's
// messages and returns true when the user has asked to stop. The waiting
// operation then fails with socket_error::kInterrupted.
using WaitHook = std::function<bool()>;

struct SocketTimeouts {
  std::chrono::milliseconds connect{30000};
  // How long a send or receive waits without any progress.
  std::chrono::milliseconds idle{120000};
};

class SocketLibrary {
 public:
  enum class StartOutcome { kStarted, kNotLoadable, kEntryPointMissing, kStartupFailed };

  virtual ~SocketLibrary() = default;

  // Loads and starts the library; on kStartupFailed, error holds its code.
  // The hook serves every wait until Stop.
  virtual StartOutcome Start(WaitHook hook, int& error) = 0;
  // Stops and unloads the library, cancelling a waiting operation first.
  virtual void Stop() = 0;
  // Makes the operation that is waiting, if any, fail at once with kInterrupted.
  virtual void CancelBlockingCall() = 0;
  virtual void SetTimeouts(SocketTimeouts timeouts) = 0;

  // The IPv4 address of a host name, in host byte order, in value.
  virtual SocketResult Resolve(std::string_view name) = 0;
  // A new TCP stream socket with the reuse-address option set.
  virtual SocketResult OpenStream() = 0;
  // address in host byte order.
  virtual SocketResult Connect(SocketHandle socket, uint32_t address, uint16_t port) = 0;
  // Sends some of the bytes; value is the count sent, perhaps fewer than given.
  virtual SocketResult Send(SocketHandle socket, std::string_view bytes) = 0;
  // Waits for data and receives at most buffer.size() bytes; value 0 means
  // the peer has closed the connection. A peek leaves the bytes in the stream.
  virtual SocketResult Receive(SocketHandle socket, std::span<char> buffer, bool peek) = 0;
  // Closes at once without lingering; 0 or a failure code.
  virtual int Close(SocketHandle socket) = 0;
};

}  // namespace quorl::platform
