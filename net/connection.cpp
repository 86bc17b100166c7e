#include "net/connection.h"

#include <algorithm>

namespace quorl {
namespace {

// What one peek at a secure stream decrypts at most.
constexpr size_t kPeekBlock = 4096;

}  // namespace

platform::SocketResult Connection::Send(std::string_view bytes) {
  if (channel_) return channel_->Send(bytes);
  return sockets_->Send(socket_, bytes);
}

platform::SocketResult Connection::Receive(std::span<char> buffer, bool peek) {
  if (!channel_) return sockets_->Receive(socket_, buffer, peek);
  if (peeked_.empty() && peek) {
    peeked_.resize(kPeekBlock);
    const platform::SocketResult got = channel_->Receive(peeked_);
    peeked_.resize(got.Failed() ? 0 : static_cast<size_t>(got.value));
    if (got.Failed() || got.value == 0) return got;
  }
  if (peeked_.empty()) return channel_->Receive(buffer);
  const size_t count = std::min(buffer.size(), peeked_.size());
  std::copy_n(peeked_.begin(), count, buffer.begin());
  if (!peek) peeked_.erase(0, count);
  return platform::SocketResult::Success(static_cast<int64_t>(count));
}

int Connection::Close() {
  if (!IsOpen()) return 0;
  if (channel_) {
    channel_->Shutdown();
    channel_.reset();
  }
  peeked_.clear();
  const int error = sockets_->Close(socket_);
  socket_ = platform::kNoSocket;
  return error;
}

}  // namespace quorl
