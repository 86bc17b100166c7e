// The files that OPENDATA and OPENDATACACHE open for the script, behind
// handles that the script passes back to READDATA, EOFDATA, REOPENDATA and
// CLOSEDATA. Handles are checked: one never given, or already closed, is
// found to be invalid instead of reaching some unrelated file.
#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorl {

// A downloaded file read line by line from a reading position.
class DataFile {
 public:
  // None when the path is no plain file or cannot be opened for reading.
  static std::unique_ptr<DataFile> Open(const std::string& path);

  bool AtEnd() const { return position_ >= size_; }
  // The next line: the bytes before the first LF or NUL within the next 256
  // bytes (the end of the data counts as a line end). None when there is no
  // such byte; reading then goes on after the end of that over-long line.
  std::optional<std::string> ReadLine();
  void Rewind() { position_ = 0; }

 private:
  DataFile(std::ifstream file, uint64_t size) : file_(std::move(file)), size_(size) {}
  // Up to count bytes from the reading position; fewer only at the end of the data.
  std::string_view Window(size_t count);
  void SkipPastLineEnd();

  std::ifstream file_;
  uint64_t size_;
  uint64_t position_ = 0;
  std::string buffer_;  // a run of the file's bytes, read ahead
  uint64_t bufferStart_ = 0;
};

class DataFiles {
 public:
  // The new handle (never 0, never reused in a run), or 0 when the file
  // cannot be opened.
  int32_t Open(const std::string& path);
  // None for a handle that is not open.
  DataFile* Find(int32_t handle);
  bool Close(int32_t handle);

 private:
  std::map<int32_t, std::unique_ptr<DataFile>> files_;
  int32_t lastHandle_ = 0;
};

}  // namespace quorl
