// One open connection of a request: a socket of the host's library and, for
// a secure URL, the TLS channel over it. Reads and writes go through the
// channel once there is one.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/secure_channels.h"
#include "platform/sockets.h"

namespace quorl {

class Connection {
 public:
  Connection(platform::SocketLibrary& sockets, platform::SocketHandle socket)
      : sockets_(&sockets), socket_(socket) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  platform::SocketHandle Socket() const { return socket_; }
  bool IsOpen() const { return socket_ != platform::kNoSocket; }
  bool IsSecure() const { return channel_ != nullptr; }
  platform::SocketLibrary& Sockets() { return *sockets_; }
  void UseChannel(std::unique_ptr<platform::SecureChannel> channel) {
    channel_ = std::move(channel);
  }

  platform::SocketResult Send(std::string_view bytes);
  // A peek leaves the bytes to the next receive.
  platform::SocketResult Receive(std::span<char> buffer, bool peek);
  // Ends the TLS session, if any, and closes the socket: 0 or a failure
  // code. Closing a closed connection does nothing.
  int Close();

 private:
  platform::SocketLibrary* sockets_;
  platform::SocketHandle socket_;
  std::unique_ptr<platform::SecureChannel> channel_;
  // Decrypted bytes that a peek has seen and no receive has taken yet; a
  // TLS stream cannot be peeked at underneath.
  std::string peeked_;
};

}  // namespace quorl
