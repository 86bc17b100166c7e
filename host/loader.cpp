#include "host/loader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang/procedures.h"
#include "values/name_tree.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

constexpr size_t kFormFormatLength = 40;
constexpr std::string_view kBinaryFormMark = "\xFF\xCC";

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // A folder opens like a file on some systems, but it holds no program.
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

void ShowLoaderMessage(Context& ctx, const std::string& text, int style) {
  ctx.dialogs.MessageBox(text, std::nullopt, style);
}

// Opens the file named on the command line, or the one the user chooses.
std::optional<std::pair<std::string, std::string>> OpenProgram(Context& ctx,
                                                               std::string_view commandLine) {
  if (!commandLine.empty()) {
    std::string path(commandLine);
    if (std::optional<std::string> content = ReadWholeFile(path)) {
      return std::make_pair(path, std::move(*content));
    }
    ShowLoaderMessage(ctx, "File specified on command line can't be opened:\n  " + path,
                      platform::kMbOk | platform::kMbIconExclamation);
  }
  std::optional<std::string> chosen = ctx.dialogs.ChooseProgramFile();
  if (!chosen) return std::nullopt;
  std::optional<std::string> content = ReadWholeFile(*chosen);
  if (!content) {
    ShowLoaderMessage(ctx, "File selected can't be opened.\nQuorl Aborting.",
                      platform::kMbOk | platform::kMbIconExclamation);
    return std::nullopt;
  }
  return std::make_pair(*chosen, std::move(*content));
}

void RefuseBinaryForm(Context& ctx, const std::string& path) {
  ShowLoaderMessage(ctx,
                    "Form is saved in binary format!  Quorl requires form in text format:\n  " +
                        path + "\nQuorl Aborting.",
                    platform::kMbOk | platform::kMbIconExclamation);
}

bool IsKnownHeader(std::string_view line) {
  for (std::string_view header :
       {"VERSION 4.00", "VERSION 2.00", "VERSION 1.00", "OPTION EXPLICIT"}) {
    if (CompareNames(line, header) == 0) return true;
  }
  return false;
}

// "Object = ..." names a control library that a later form version uses.
bool IsObjectLine(std::string_view line) {
  std::string trimmed = Normalized(line);
  if (!StartsWithIgnoringCase(trimmed, "Object")) return false;
  return Normalized(std::string_view(trimmed).substr(6)).starts_with('=');
}

// The form section's first line. The Object lines that may stand before it
// are passed over: their controls are not supported, and their blocks are
// read past as unknown blocks are.
std::string FormSectionStart(Context& ctx, ProgramReader& reader) {
  std::string line = reader.ReadLine(ctx).value_or("");
  while (IsObjectLine(line)) line = reader.ReadLine(ctx).value_or("");
  return line;
}

}  // namespace

std::vector<std::string> NormalizeCodeLine(std::string line) {
  StripComment(line);
  NormalizeToken(line);
  UpperOutsideQuotes(line);
  if (line.empty()) return {};
  if (StartsWith(line, "IF ")) {
    int then = FindOutsideQuotes(std::string_view(line).substr(2), " THEN");
    if (then >= 0) {
      size_t cut = 2 + static_cast<size_t>(then) + 5;
      std::string statement = line.substr(cut);
      TrimBlanks(statement);
      if (!statement.empty()) {
        std::string head = line.substr(0, cut);
        TrimBlanks(head);
        return {head, statement, "ENDIF"};
      }
    }
  }
  if (RemoveProcedureQualifier(line)) TrimBlanks(line);
  return {line};
}

LoadedProgram LoadProgramFile(Context& ctx, std::string_view commandLine,
                              FormBuilder& formBuilder) {
  ctx.random.Seed(ctx.system.TickCount());
  auto program = OpenProgram(ctx, commandLine);
  // No file at all: the user cancelled the Open dialog, unless a file named
  // on the command line could not be opened before it.
  if (!program) return {0, !commandLine.empty()};
  return LoadProgramText(ctx, program->first, std::move(program->second), formBuilder);
}

LoadedProgram LoadProgramText(Context& ctx, const std::string& path, std::string content,
                              FormBuilder& formBuilder) {
  constexpr LoadedProgram kFailed{0, true};
  if (content.empty()) {
    ShowLoaderMessage(ctx, "Empty file:\n  " + path + "\nQuorl Aborting.",
                      platform::kMbOk | platform::kMbIconExclamation);
    return kFailed;
  }
  // The file's own first two bytes mark a binary form, even when no line end
  // follows them within a line's length.
  if (StartsWith(content, kBinaryFormMark)) {
    RefuseBinaryForm(ctx, path);
    return kFailed;
  }
  ProgramReader reader(std::move(content));
  std::string header = Normalized(reader.ReadLine(ctx).value_or(""));
  if (StartsWith(header, kBinaryFormMark)) {
    RefuseBinaryForm(ctx, path);
    return kFailed;
  }
  if (!IsKnownHeader(header)) {
    int answer = ctx.dialogs.MessageBox(
        "Unknown form version.  Quorl may not work:\n  " + path + "\nTry Anyway?", std::nullopt,
        platform::kMbOkCancel | platform::kMbIconQuestion);
    if (answer == platform::kIdCancel) return {};
  }
  ctx.formFormatText = header.substr(0, kFormFormatLength);

  if (CompareNames(header, "OPTION EXPLICIT") != 0) {
    formBuilder.BuildForm(reader, FormSectionStart(ctx, reader));
  } else {
    ctx.scriptOnly = true;
  }

  ctx.lines.Clear();
  while (std::optional<std::string> line = reader.ReadLine(ctx)) {
    for (std::string& stored : NormalizeCodeLine(std::move(*line))) {
      if (!ctx.lines.Append(std::move(stored))) {
        ctx.lines.Clear();
        ShowLoaderMessage(ctx,
                          "Program too long:\n  " + path + "\nQuorl allows at most " +
                              std::to_string(kMaxCodeLines) + " code lines.\nQuorl Aborting.",
                          platform::kMbOk | platform::kMbIconExclamation);
        return kFailed;
      }
    }
  }
  return {ctx.lines.Count(), false};
}

}  // namespace quorl
