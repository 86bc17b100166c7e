#include "net/data_files.h"

#include <algorithm>
#include <filesystem>

namespace quorl {
namespace {

constexpr size_t kLineWindow = 256;
constexpr size_t kReadAhead = 64 * 1024;

// The first LF or NUL: two searches for one byte each are far quicker than
// one search for either byte.
size_t LineEnd(std::string_view bytes) {
  const size_t feed = bytes.find('\n');
  const size_t nul = bytes.substr(0, feed).find('\0');
  return nul != std::string_view::npos ? nul : feed;
}

}  // namespace

std::unique_ptr<DataFile> DataFile::Open(const std::string& path) {
  // Only a plain file can be read to its end; a folder opens on some systems
  // but reports no true size.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  std::ifstream file(path, std::ios::binary);
  if (!file) return nullptr;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) return nullptr;
  return std::unique_ptr<DataFile>(new DataFile(std::move(file), static_cast<uint64_t>(size)));
}

std::string_view DataFile::Window(size_t count) {
  const uint64_t bufferEnd = bufferStart_ + buffer_.size();
  const bool covered =
      position_ >= bufferStart_ && (position_ + count <= bufferEnd || bufferEnd >= size_);
  if (!covered) {
    buffer_.resize(kReadAhead);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(position_));
    file_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.resize(static_cast<size_t>(std::max<std::streamsize>(file_.gcount(), 0)));
    bufferStart_ = position_;
  }
  const uint64_t offset = position_ - bufferStart_;
  if (offset >= buffer_.size()) return {};
  return std::string_view(buffer_).substr(static_cast<size_t>(offset), count);
}

std::optional<std::string> DataFile::ReadLine() {
  const std::string_view bytes = Window(kLineWindow);
  size_t end = LineEnd(bytes);
  if (end == std::string_view::npos) {
    if (bytes.size() == kLineWindow) {
      SkipPastLineEnd();
      return std::nullopt;
    }
    end = bytes.size();
  }
  std::string line(bytes.substr(0, end));
  position_ += end + 1;
  return line;
}

void DataFile::SkipPastLineEnd() {
  while (true) {
    const std::string_view bytes = Window(kReadAhead);
    if (bytes.empty()) return;
    if (const size_t end = LineEnd(bytes); end != std::string_view::npos) {
      position_ += end + 1;
      return;
    }
    position_ += bytes.size();
  }
}

int32_t DataFiles::Open(const std::string& path) {
  std::unique_ptr<DataFile> file = DataFile::Open(path);
  if (!file) return 0;
  ++lastHandle_;
  files_[lastHandle_] = std::move(file);
  return lastHandle_;
}

DataFile* DataFiles::Find(int32_t handle) {
  const auto found = files_.find(handle);
  return found == files_.end() ? nullptr : found->second.get();
}

bool DataFiles::Close(int32_t handle) {
  return files_.erase(handle) > 0;
}

}  // namespace quorl
