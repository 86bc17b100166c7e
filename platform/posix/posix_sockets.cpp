#include "platform/posix/posix_sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/sliced_wait.h"

namespace quorl::platform {
int SocketErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case EINTR:
      return 10004;
    case EBADF:
      return 10009;
    case EACCES:
      return 10013;
    case EFAULT:
      return 10014;
    case EINVAL:
      return 10022;
    case EMFILE:
      return 10024;
    case EWOULDBLOCK:
      return 10035;
    case EINPROGRESS:
      return 10036;
    case EALREADY:
      return 10037;
    case ENOTSOCK:
      return 10038;
    case EDESTADDRREQ:
      return 10039;
    case EMSGSIZE:
      return 10040;
    case EPROTOTYPE:
      return 10041;
    case ENOPROTOOPT:
      return 10042;
    case EPROTONOSUPPORT:
      return 10043;
    case ESOCKTNOSUPPORT:
      return 10044;
    case EOPNOTSUPP:
      return 10045;
    case EPFNOSUPPORT:
      return 10046;
    case EAFNOSUPPORT:
      return 10047;
    case EADDRINUSE:
      return 10048;
    case EADDRNOTAVAIL:
      return 10049;
    case ENETDOWN:
      return 10050;
    case ENETUNREACH:
      return 10051;
    case ENETRESET:
      return 10052;
    case ECONNABORTED:
      return 10053;
    case ECONNRESET:
      return 10054;
    case EPIPE:
      return 10054;
    case ENOBUFS:
      return 10055;
    case EISCONN:
      return 10056;
    case ENOTCONN:
      return 10057;
    case ESHUTDOWN:
      return 10058;
    case ETOOMANYREFS:
      return 10059;
    case ETIMEDOUT:
      return 10060;
    case ECONNREFUSED:
      return 10061;
    case ELOOP:
      return 10062;
    case ENAMETOOLONG:
      return 10063;
    case EHOSTDOWN:
      return 10064;
    case EHOSTUNREACH:
      return 10065;
    case ENOTEMPTY:
      return 10066;
    case EUSERS:
      return 10068;
    case EDQUOT:
      return 10069;
    case ESTALE:
      return 10070;
    case EREMOTE:
      return 10071;
    default:
      return socket_error::kUnknown;
  }
}

SocketLibrary::StartOutcome PosixSockets::Start(WaitHook hook, int& error) {
  hook_ = std::move(hook);
  cancelled_ = false;
  error = 0;
  return StartOutcome::kStarted;
}

void PosixSockets::Stop() {
  hook_ = nullptr;
  cancelled_ = false;
}

int PosixSockets::WaitFor(SocketHandle socket, short events, std::chrono::milliseconds limit) {
  pollfd entry{static_cast<int>(socket), events, 0};
  auto pollOnce = [&entry](std::chrono::milliseconds slice) -> std::optional<int> {
    entry.revents = 0;
    const int ready = poll(&entry, 1, static_cast<int>(slice.count()));
    if (ready > 0) return 0;  // ready, or an error that the next call reports
    if (ready < 0 && errno != EINTR) return SocketErrorFromErrno(errno);
    return std::nullopt;
  };
  return WaitInSlices(pollOnce, cancelled_, hook_, limit);
}

SocketResult PosixSockets::Resolve(std::string_view name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(std::string(name).c_str(), nullptr, &hints, &found);
  if (status != 0 || found == nullptr) {
    switch (status) {
      case EAI_AGAIN:
        return SocketResult::Failure(socket_error::kTryAgain);
      case EAI_FAIL:
        return SocketResult::Failure(socket_error::kNonRecoverable);
      case EAI_NODATA:
        return SocketResult::Failure(socket_error::kNoData);
      default:
        return SocketResult::Failure(socket_error::kHostNotFound);
    }
  }
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const uint32_t hostOrder = ntohl(address->sin_addr.s_addr);
  freeaddrinfo(found);
  return SocketResult::Success(hostOrder);
}

SocketResult PosixSockets::OpenStream() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
  if (fd < 0) return SocketResult::Failure(SocketErrorFromErrno(errno));
  const int on = 1;
  if (setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
    const int error = SocketErrorFromErrno(errno);
    close(fd);
    return SocketResult::Failure(error);
  }
  return SocketResult::Success(fd);
}

SocketResult PosixSockets::Connect(SocketHandle socket, uint32_t address, uint16_t port) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(port);
  target.sin_addr.s_addr = htonl(address);
  const int fd = static_cast<int>(socket);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
    return SocketResult::Success(0);
  }
  if (errno != EINPROGRESS) return SocketResult::Failure(SocketErrorFromErrno(errno));
  if (const int waited = WaitFor(socket, POLLOUT, timeouts_.connect); waited != 0) {
    return SocketResult::Failure(waited);
  }
  int pending = 0;
  socklen_t length = sizeof pending;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) pending = errno;
  if (pending != 0) return SocketResult::Failure(SocketErrorFromErrno(pending));
  return SocketResult::Success(0);
}

SocketResult PosixSockets::Send(SocketHandle socket, std::string_view bytes) {
  while (true) {
    const ssize_t sent = send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent >= 0) return SocketResult::Success(sent);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      return SocketResult::Failure(SocketErrorFromErrno(errno));
    }
    if (const int waited = WaitFor(socket, POLLOUT, timeouts_.idle); waited != 0) {
      return SocketResult::Failure(waited);
    }
  }
}

SocketResult PosixSockets::Receive(SocketHandle socket, std::span<char> buffer, bool peek) {
  while (true) {
    const ssize_t got =
        recv(static_cast<int>(socket), buffer.data(), buffer.size(), peek ? MSG_PEEK : 0);
    if (got >= 0) return SocketResult::Success(got);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      return SocketResult::Failure(SocketErrorFromErrno(errno));
    }
    if (const int waited = WaitFor(socket, POLLIN, timeouts_.idle); waited != 0) {
      return SocketResult::Failure(waited);
    }
  }
}

int PosixSockets::Close(SocketHandle socket) {
  const int fd = static_cast<int>(socket);
  // A zero linger time makes close return at once; the system still sends
  // what was queued when the linger option is off, which is what we want.
  const linger noLinger{0, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
  if (close(fd) != 0) return SocketErrorFromErrno(errno);
  return 0;
}

}  // namespace quorl::platform
