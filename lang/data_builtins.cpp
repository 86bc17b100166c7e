// The data-access built-ins: OPENDATA, OPENDATACACHE, LOADFRX, READDATA,
// EOFDATA, REOPENDATA and CLOSEDATA.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "net/download_cache.h"
#include "net/frx_icons.h"
#include "net/http_client.h"
#include "net/http_texts.h"
#include "values/text_utils.h"

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

// The handle argument and the open file behind it. The outer none means the
// argument could not be converted (the built-in then gives no value); a null
// file means the handle is not open. Either way a message has been shown.
std::optional<std::pair<int32_t, DataFile*>> HandleArgument(Context& ctx,
                                                            std::string_view arguments) {
  const std::optional<int32_t> handle = IntegerArgument(ctx, arguments, 1);
  if (!handle) return std::nullopt;
  DataFile* file = ctx.dataFiles.Find(*handle);
  if (!file) ctx.RaiseScriptError(kInvalidHandle);
  return std::pair{*handle, file};
}

Result ReadData(Context& ctx, std::string_view arguments) {
  const auto handle = HandleArgument(ctx, arguments);
  if (!handle) return std::nullopt;
  DataFile* file = handle->second;
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
  // The line stops before its LF; a CR before it goes too.
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return Value::String(std::move(*line));
}

Result EofData(Context& ctx, std::string_view arguments) {
  const auto handle = HandleArgument(ctx, arguments);
  if (!handle) return std::nullopt;
  // A handle that is not open has nothing left to read: loops over it end.
  return Value::Boolean(!handle->second || handle->second->AtEnd());
}

Result ReopenData(Context& ctx, std::string_view arguments) {
  const auto handle = HandleArgument(ctx, arguments);
  if (!handle) return std::nullopt;
  if (handle->second) handle->second->Rewind();
  return Value::Boolean(handle->second != nullptr);
}

Result CloseData(Context& ctx, std::string_view arguments) {
  const auto handle = HandleArgument(ctx, arguments);
  if (!handle) return std::nullopt;
  if (!handle->second) return Value::Boolean(false);
  ctx.dataFiles.Close(handle->first);
  return Value::Boolean(true);
}

}  // namespace

Result DataBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  // The calls made once per line of a file come first.
  if (name == "READDATA") return ReadData(ctx, arguments);
  if (name == "EOFDATA") return EofData(ctx, arguments);
  if (name == "OPENDATA") return OpenData(ctx, arguments);
  if (name == "OPENDATACACHE") return OpenDataCache(ctx, arguments);
  if (name == "LOADFRX") return LoadFrx(ctx, arguments);
  if (name == "REOPENDATA") return ReopenData(ctx, arguments);
  if (name == "CLOSEDATA") return CloseData(ctx, arguments);
  return std::nullopt;
}

}  // namespace quorl
