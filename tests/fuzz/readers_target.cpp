// The encodings, the INI text and the line readers on arbitrary bytes. The
// first byte chooses the reader; each checks what its callers rely on.
#include <cstdlib>
#include <fstream>
#include <string>

#include "host/loader.h"
#include "host/program_reader.h"
#include "net/data_files.h"
#include "net/encodings.h"
#include "platform/posix/ini_text.h"
#include "tests/fuzz/fuzz_run.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

std::string WithoutNul(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

// Decoding what was encoded gives the text back.
void Encodings(std::string_view text) {
  const std::string plain = WithoutNul(text);
  Check(quorl::UnescapeText(quorl::EscapeText(text)) == plain);
  Check(quorl::DecodeBase64(quorl::EncodeBase64(text)) == plain);
  Check(quorl::PlusToSpace(quorl::SpaceToPlus(plain)).size() == plain.size());
  quorl::UnescapeText(text);
  quorl::DecodeBase64(text);
}

// A key written into any text reads back, and the rest of the text stays
// readable. The text's first line names the section, its second the key.
void Ini(std::string_view text) {
  size_t first = text.find('\n');
  size_t second = first == std::string_view::npos ? first : text.find('\n', first + 1);
  if (second == std::string_view::npos) return;
  std::string_view section = text.substr(0, first);
  std::string_view key = text.substr(first + 1, second - first - 1);
  std::string_view body = text.substr(second + 1);
  quorl::platform::ReadIniValue(body, section, key);
  const std::string written = quorl::platform::WriteIniValue(body, "Fuzz", "Key", "value 1");
  Check(quorl::platform::ReadIniValue(written, "fuzz", "KEY") == "value 1");
  quorl::platform::WriteIniValue(body, section, key, text);
}

// Program lines: never longer than a line may be, never holding a line end.
void ProgramLines(std::string_view text) {
  quorl::fakes::RecordingErrors errors;
  quorl::ProgramReader reader{std::string(text)};
  while (std::optional<std::string> line = reader.ReadLine(errors)) {
    Check(line->size() <= 255 && line->find('\n') == std::string::npos);
    for (const std::string& stored : quorl::NormalizeCodeLine(*line)) Check(stored.size() <= 255);
  }
}

// Data lines from a file: each call moves on, and no line passes 256 bytes.
void DataLines(std::string_view text) {
  const std::string& path = quorl::fuzz::ScratchFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  std::unique_ptr<quorl::DataFile> file = quorl::DataFile::Open(path);
  Check(file != nullptr);
  for (size_t reads = 0; !file->AtEnd(); ++reads) {
    Check(reads <= text.size());
    if (std::optional<std::string> line = file->ReadLine()) Check(line->size() <= 256);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      Encodings(text);
      break;
    case 1:
      Ini(text);
      break;
    case 2:
      ProgramLines(text);
      break;
    default:
      DataLines(text);
      break;
  }
  return 0;
}
