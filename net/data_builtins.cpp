// The data-access built-ins: OPENDATA, OPENDATACACHE, LOADFRX, READDATA,
// EOFDATA, REOPENDATA and CLOSEDATA.
#include <filesystem>
#include <optional>
#include <string>

#include "lang/text_utils.h"
#include "net/download_cache.h"
#include "net/frx_icons.h"
#include "net/http_client.h"
#include "net/http_texts.h"
#include "values/builtin_handlers.h"
#include "values/builtins.h"

namespace quorl {
namespace {

constexpr std::string_view kCantConvert = "CAN'T CONVERT PARAMETERS!";
constexpr std::string_view kInvalidHandle = "INVALID DATA HANDLE!";

std::optional<std::string> StringArgument(Context& ctx, std::string_view arguments, int n) {
  Result argument = GetArgument(ctx, kKindString, arguments, n);
  if (!argument || !argument->text) {
    ctx.RaiseScriptError(kCantConvert);
    return std::nullopt;
  }
  return std::move(*argument->text);
}

std::optional<int32_t> IntegerArgument(Context& ctx, std::string_view arguments, int n) {
  Result argument = GetArgument(ctx, kKindInteger, arguments, n);
  if (!argument) {
    ctx.RaiseScriptError(kCantConvert);
    return std::nullopt;
  }
  return argument->integer;
}

Result OpenData(Context& ctx, std::string_view arguments) {
  const std::optional<std::string> url = StringArgument(ctx, arguments, 1);
  if (!url) return std::nullopt;
  const std::optional<std::string> postText = StringArgument(ctx, arguments, 2);
  if (!postText) return std::nullopt;

  const std::optional<std::string> path = ctx.system.CreateTempFile("QRL");
  if (!path) return Value::Integer(0);
  ctx.tempFiles.Register(*path, ctx.system);
  int32_t handle = 0;
  if (NetworkRequest(ctx, *url, *postText, *path) == 1) handle = ctx.dataFiles.Open(*path);
  return Value::Integer(handle);
}

// Fetches into a side file and moves it into place only when the transfer
// is complete, so a failed or stopped download never leaves a truncated
// file that a later call would take as fresh.
bool DownloadIntoCache(Context& ctx, const std::string& url, const std::string& postText,
                       std::string_view name) {
  const std::string partial = PartialDownloadPath(name).string();
  std::error_code error;
  bool stored = false;
  if (NetworkRequest(ctx, url, postText, partial) == 1) {
    std::filesystem::rename(partial, CachePath(name), error);
    stored = !error;
  }
  std::filesystem::remove(partial, error);
  return stored;
}

Result OpenDataCache(Context& ctx, std::string_view arguments) {
  const std::optional<std::string> url = StringArgument(ctx, arguments, 1);
  if (!url) return std::nullopt;
  const std::optional<std::string> postText = StringArgument(ctx, arguments, 2);
  if (!postText) return std::nullopt;
  const std::optional<std::string> name = StringArgument(ctx, arguments, 3);
  if (!name) return std::nullopt;
  const std::optional<int32_t> maxAgeDays = IntegerArgument(ctx, arguments, 4);
  if (!maxAgeDays) return std::nullopt;

  if (std::optional<std::string> refusal = CacheNameError(*name)) {
    ctx.RaiseScriptError(*refusal);
    return std::nullopt;
  }
  std::error_code error;
  std::filesystem::create_directory(kCacheFolder, error);

  const std::string path = CachePath(*name).string();
  int32_t handle = 0;
  if (std::optional<std::chrono::seconds> age = FileAge(path);
      age && IsFreshEnough(*age, *maxAgeDays)) {
    handle = ctx.dataFiles.Open(path);
  }
  if (handle == 0 && DownloadIntoCache(ctx, *url, *postText, *name)) {
    handle = ctx.dataFiles.Open(path);
  }
  return Value::Integer(handle);
}

Result LoadFrx(Context& ctx, std::string_view arguments) {
  const std::optional<std::string> name = StringArgument(ctx, arguments, 3);
  if (!name) return std::nullopt;
  if (name->size() < 4 ||
      !StartsWithNoCase(std::string_view(*name).substr(name->size() - 4), ".FRX")) {
    ctx.RaiseScriptError("FRX FILE NAME MUST END IN .FRX!");
    return std::nullopt;
  }
  Result opened = OpenDataCache(ctx, arguments);
  if (!opened) return std::nullopt;
  const int32_t handle = opened->integer;
  if (handle == 0) return Value::Integer(0);
  if (ctx.frxImages) LoadFrxIcons(*ctx.frxImages, CachePath(*name).string());
  ctx.dataFiles.Close(handle);
  return Value::Integer(1);
}

// The open file behind the handle argument; none after a message.
DataFile* HandleArgument(Context& ctx, std::string_view arguments, int32_t& handle) {
  const std::optional<int32_t> value = IntegerArgument(ctx, arguments, 1);
  if (!value) return nullptr;
  handle = *value;
  DataFile* file = ctx.dataFiles.Find(handle);
  if (!file) ctx.RaiseScriptError(kInvalidHandle);
  return file;
}

Result ReadData(Context& ctx, std::string_view arguments) {
  int32_t handle = 0;
  DataFile* file = HandleArgument(ctx, arguments, handle);
  if (!file) return Value::String("");
  if (file->AtEnd()) {
    ctx.RaiseScriptError("EOF");
    return Value::String("");
  }
  std::optional<std::string> line = file->ReadLine();
  if (!line) {
    ctx.RaiseScriptError("LINE TOO LONG!");
    return Value::String("");
  }
  StripLineEnd(*line);
  return Value::String(std::move(*line));
}

Result EofData(Context& ctx, std::string_view arguments) {
  int32_t handle = 0;
  DataFile* file = HandleArgument(ctx, arguments, handle);
  // A handle that is not open has nothing left to read: loops over it end.
  return Value::Boolean(!file || file->AtEnd());
}

Result ReopenData(Context& ctx, std::string_view arguments) {
  int32_t handle = 0;
  DataFile* file = HandleArgument(ctx, arguments, handle);
  if (file) file->Rewind();
  return Value::Boolean(file != nullptr);
}

Result CloseData(Context& ctx, std::string_view arguments) {
  int32_t handle = 0;
  if (!HandleArgument(ctx, arguments, handle)) return Value::Boolean(false);
  ctx.dataFiles.Close(handle);
  return Value::Boolean(true);
}

}  // namespace

Result DataBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "OPENDATA") return OpenData(ctx, arguments);
  if (name == "OPENDATACACHE") return OpenDataCache(ctx, arguments);
  if (name == "LOADFRX") return LoadFrx(ctx, arguments);
  if (name == "READDATA") return ReadData(ctx, arguments);
  if (name == "EOFDATA") return EofData(ctx, arguments);
  if (name == "REOPENDATA") return ReopenData(ctx, arguments);
  if (name == "CLOSEDATA") return CloseData(ctx, arguments);
  return std::nullopt;
}

}  // namespace quorl
