// differential_programs [COUNT [SEED]]: runs COUNT random programs (5000)
// twice in a child process, with plans kept and on the plain path that splits
// every line each time it runs, and requires the same transcript (every box
// the program showed, and the count of lines it ran) byte for byte. The first
// seed is taken from the clock unless given; it is printed first, and the
// seed of every program that differs is printed with the program and both
// transcripts. A run that crashes, throws or takes over a minute counts as
// differing. The programs hold every kind of value, operators with and
// without blanks, errors of many sorts, QUORL on texts built at run time,
// nested blocks, procedures calling each other and a recursive function; the
// same seed gives the same program. They end by construction: loops have
// literal bounds and counters of their own, and procedures call only those
// written before them (and the recursive one itself, with a smaller argument).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/program.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace quorl::differential {
namespace {

// Each {NAME} in an alternative is replaced by one of NAME's alternatives
// (separated by "|"), picked at random: one written twice is picked twice as
// often. {"NAME} doubles the quotes of what it gives, for use inside a
// literal. VAR, CALL and SUB depend on the procedure being written and are
// made in code.
const std::map<std::string_view, std::string_view> kGrammar = {
    {"FIRST", "5|-1|2.5|\"K\"|TRUE"},
    {"KIND", "INTEGER|DOUBLE|STRING|BOOLEAN|LONG"},
    {"OP",
     " + | - | * | / | % | & | AND | OR | XOR | = | == | < | > | <= | >= | <> | != "
     "|+|-|*|&|=<|=>|<|/|%"},
    {"FN1",
     "LEN|UCASE|LCASE|TRIM|CSTR|CINT|CDBL|CBOOL|ABS|SQR|CHR|ASC|STR|INT|ESCAPE|TOBASE64|SIN"},
    {"FN2", "LEFT|RIGHT|INSTR"},
    {"LIT",
     "0|1|7|-3|2147483647|4294967296|1.5|.25|3#|1E5|&HFF|HELLO|TRUE|FALSE|\"\"|\"AB\""
     "|\"a\"\"b\"|\"12\"|\"1.5\"|\" X \"|CRLF|VERSION|RND|1.2.3|UNKNOWNNAME|C1|C2|C3"},
    {"JUNK", "(|)|\"|,|$|=|-|NOT | |X|1|.|!|&|ME|LEFT|MSG|'"},
    // Past the third level an expression is one literal or variable (the
    // first alternative), an operand one of the first two.
    {"EXPR", "{ATOM}|{ATOM}{MORE}|{ATOM}{MORE}|{ATOM}{MORE}|-{ATOM}|NOT {ATOM}{MORE}|- {ATOM}"},
    {"MORE", "|{OP}{ATOM}|{OP}{ATOM}{OP}{ATOM}"},
    {"ATOM", "{LIT}|{VAR}|{FN1}({EXPR})|{FN2}({EXPR}, {EXPR})|{CALL}|QUORL({BUILT})|({EXPR})"},
    // A text that QUORL evaluates: an expression as a literal, or one put
    // together from pieces at run time.
    {"BUILT", "\"{\"EXPR}\"|\"{\"EXPR}{JOIN}\" & {VAR}|CSTR({VAR}) & \"{OP}{\"EXPR}\""},
    {"JOIN", " + | & | * |("},
    // Mostly well-formed arithmetic, comparisons and joins on the variables.
    {"SIMPLE",
     "{VAR}{SOP}{TERM}|{VAR}{SOP}{TERM}{SOP}{TERM}|{VAR}{SOP}{TERM}{SOP}{TERM}{SOP}{TERM}"},
    {"SOP", " + | - | * | % | & | < | = | / "},
    {"TERM", "{VAR}|1|2|3|4|5|6|7|8|9"},
    // A bare condition has one operand, or an operator outside parentheses.
    {"COND", "({SIMPLE})|({SIMPLE})|({EXPR})|({EXPR})|{EXPR}"},
    {"NOISE",
     "{VAR}|{LIT}|{VAR}{BIT}{BIT}|{LIT}{BIT}|{VAR}{BIT}{BIT}{BIT}{BIT}"
     "|{LIT}{BIT}{BIT}{BIT}{BIT}{BIT}"},
    {"BIT", "{JUNK}|{LIT}"},
    // Statements without a block come first; a loop needs the counters that
    // only a body with declarations has, and so come last.
    {"STATEMENT",
     "{VAR} = {SIMPLE}|{VAR}{ASSIGN}{EXPR}|{MSG}{EXPR}|{MSG}{EXPR}, {EXPR}"
     "|S1 = S1 & {EXPR}|{VAR} = QUORL({BUILT})|{SUB}|{DECLARE}|{NOISE}"
     "|{IF}|{IF}|{IF}|MSG S1|MSG {CALL}|{FOR}|{WHILE}"},
    // {BLOCK} is one to three statements on lines of their own, indented;
    // {N} is the nesting level, which names the loop counters: each level has
    // its own, never assigned in the body.
    {"IF", "IF {COND} THEN MSG {EXPR}|{IFBLOCK}|{IFBLOCK}|{IFBLOCK}|{IFBLOCK}|{IFBLOCK}"},
    {"IFBLOCK",
     "IF {COND} THEN{BLOCK}{ELSEIF}{ELSE}\nEND IF|IF {COND} THEN{BLOCK}{ELSEIF}{ELSE}\nENDIF"},
    {"ELSEIF",
     "|\nELSEIF {COND} THEN{BLOCK}|\nELSEIF {COND} THEN{BLOCK}\nELSEIF {COND} THEN{BLOCK}"},
    {"ELSE", "|\nELSE{BLOCK}"},
    {"FOR",
     "FOR I{N} = {0-3} TO {0-4}{STEP}{BLOCK}\n{NEXT}|FOR I{N} = {0-4} TO {0-3} STEP "
     "-1{BLOCK}\n{NEXT}"
     "|FOR D{N} = {0-3} TO {0-4} STEP 0.5{BLOCK}\nNEXT|FOR D{N} = {0-3} TO {0-4} STEP "
     "0.5{BLOCK}\nNEXT D{N}"},
    {"STEP", "||| STEP 2"},
    {"NEXT", "NEXT|NEXT I{N}"},
    {"WHILE", "W{N} = 0\nWHILE (W{N} < {0-3})\n  W{N} = W{N} + 1{BLOCK}\nWEND"},
    {"0-3", "0|1|2|3"},
    {"0-4", "0|1|2|3|4"},
    {"ASSIGN", " = |= | =|="},
    {"MSG", "MSG |MSG(|MSGBOX "},
    {"DECLARE",
     "DIM L1 AS {KIND}|DIM L2 AS {KIND}|DIM L3 AS {KIND}|DIM L9 AS {KIND}"
     "|CONST K1 = {LIT}|CONST C1 = {LIT}"},
};

std::vector<std::string_view> Alternatives(std::string_view name) {
  std::string_view text = kGrammar.at(name);
  std::vector<std::string_view> alternatives;
  for (size_t at = 0, end = 0; end != std::string_view::npos; at = end + 1) {
    end = text.find('|', at);
    alternatives.push_back(text.substr(at, end - at));
  }
  return alternatives;
}

constexpr size_t kPlainStatements = 9;        // the statements before the first IF
constexpr size_t kUndeclaredStatements = 14;  // and before the first loop

struct Procedure {
  std::string name;
  bool isFunction = false;
  int parameters = 0;  // P1, P2...
};

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  std::string Program() {
    Line("OPTION EXPLICIT");
    Line("GLOBAL G1 AS {KIND}\nGLOBAL G2 AS {KIND}\nDIM F1 AS {KIND}\nDIM F2$ AS STRING");
    Line("CONST C1 = {FIRST}\nCONST C2 = \"CONST\"\nCONST C3 = 0.5");
    Line("FUNCTION REC(N AS INTEGER) AS INTEGER\n  IF (N > 0) THEN\n    REC = REC(N - 1) + 1");
    Line("  ENDIF\nEND FUNCTION");
    for (int i = 1, count = 1 + Below(4); i <= count; ++i) WriteProcedure(i);
    Line("SUB MAIN()");
    Body(4 + Below(8), true);
    Line("  MSG S1 & \"|\" & L1 & \"|\" & L2 & \"|\" & G1 & \"|\" & F1\nEND SUB");
    return out_;
  }

 private:
  int Below(size_t n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename List>
  auto Pick(const List& choices, size_t limit = SIZE_MAX) {
    return choices[Below(std::min(limit, choices.size()))];
  }
  // Writes the template's lines at the current indentation.
  void Line(std::string_view text) { out_ += Indent() + Make(text) + "\n"; }
  std::string Indent() const { return std::string(indent_ * 2, ' '); }

  // Expands every {NAME} of the template.
  std::string Make(std::string_view text) {
    std::string made;
    for (size_t at = 0; at < text.size();) {
      size_t open = text.find('{', at);
      for (char c : text.substr(at, open - at))
        made += c == '\n' ? "\n" + Indent() : std::string(1, c);
      if (open == std::string_view::npos) break;
      size_t close = text.find('}', open);
      std::string_view name = text.substr(open + 1, close - open - 1);
      at = close + 1;
      const bool quoted = name.starts_with('"');
      for (char c : Symbol(name.substr(quoted ? 1 : 0)))
        made += quoted && c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return made;
  }

  std::string Symbol(std::string_view name) {
    if (name == "VAR") return Variable();
    if (name == "CALL" || name == "SUB") return Call(name == "CALL");
    if (name == "N") return std::to_string(nesting_ + 1);
    if (name == "BLOCK") {
      std::string made;
      ++indent_;
      ++nesting_;
      for (int i = 1 + Below(3); i > 0; --i) made += "\n" + Indent() + Make("{STATEMENT}");
      --nesting_;
      --indent_;
      return made;
    }
    const std::vector<std::string_view> alternatives = Alternatives(name);
    size_t limit = SIZE_MAX;
    if (name == "ATOM" && depth_ > 3) limit = 2;
    if (name == "STATEMENT") {
      limit = nesting_ >= 2 ? kPlainStatements : declared_ ? SIZE_MAX : kUndeclaredStatements;
    }
    if (name != "EXPR") return Make(Pick(alternatives, limit));
    ++depth_;
    std::string made = Make(Pick(alternatives, depth_ > 3 ? 1 : SIZE_MAX));
    --depth_;
    return made;
  }

  // A variable the current procedure can see; sometimes written with "$".
  std::string Variable() {
    std::vector<std::string> names = {"G1", "G2", "F1", "F2", "L1", "L2", "L3"};
    for (int p = 1; p <= parameters_; ++p) names.push_back("P" + std::to_string(p));
    return Pick(names) + (Chance(10) ? "$" : "");
  }

  // A call of a function (CALL) or a sub written before this procedure, so
  // that calls never loop; now and then with one argument too many or too few.
  std::string Call(bool function) {
    std::vector<const Procedure*> written;
    for (const Procedure& procedure : callable_) {
      if (procedure.isFunction == function) written.push_back(&procedure);
    }
    if (!function && written.empty()) return Make("MSG {CALL}");
    if (function && (written.empty() || Chance(30)))
      return "REC(" + std::to_string(Below(Chance(10) ? 120 : 6)) + ")";
    const Procedure& procedure = *Pick(written);
    int count = procedure.parameters;
    if (Chance(8)) count += Chance(50) ? 1 : -1;
    std::string arguments;
    for (int i = 0; i < count; ++i) arguments += (i ? ", " : "") + Make("{EXPR}");
    if (!function && Chance(50)) return procedure.name + " " + arguments;
    return procedure.name + "(" + arguments + ")";
  }

  // MAIN declares its locals; most procedures work on their parameters and
  // what is global, so that calls nest without a declaration in between.
  void Body(int statements, bool declare) {
    ++indent_;
    declared_ = declare;
    if (declare) {
      Line("DIM L1 AS {KIND}\nDIM L2 AS {KIND}\nDIM L3\nDIM S1 AS STRING");
      Line("DIM I1 AS INTEGER\nDIM I2 AS INTEGER\nDIM W1 AS INTEGER\nDIM W2 AS INTEGER");
      Line("DIM D1 AS DOUBLE\nDIM D2 AS DOUBLE");
    }
    for (int i = 0; i < statements; ++i) Line("{STATEMENT}");
    --indent_;
  }

  void WriteProcedure(int index) {
    Procedure procedure;
    procedure.isFunction = Chance(60);
    procedure.name = (procedure.isFunction ? "FN" : "SB") + std::to_string(index);
    std::string header = (procedure.isFunction ? "FUNCTION " : "SUB ") + procedure.name + "(";
    for (procedure.parameters = Below(3); parameters_ < procedure.parameters; ++parameters_) {
      header += (parameters_ ? ", P" : "P") + std::to_string(parameters_ + 1) + " AS {KIND}";
    }
    Line(header + (procedure.isFunction ? ") AS {KIND}" : ")"));
    Body(1 + Below(4), Chance(30));
    const std::string what = procedure.isFunction ? "FUNCTION" : "SUB";
    if (procedure.isFunction) Line("  " + procedure.name + " = {EXPR}");
    if (Chance(10)) Line("  EXIT " + what);
    Line("END " + what);
    parameters_ = 0;
    callable_.push_back(procedure);
  }

  std::mt19937 random_;
  std::string out_;
  int indent_ = 0;
  int depth_ = 0;    // of expressions
  int nesting_ = 0;  // of blocks
  bool declared_ = false;
  std::vector<Procedure> callable_;
  int parameters_ = 0;  // of the procedure being written
};

}  // namespace
}  // namespace quorl::differential

namespace {

std::string Transcript(const std::string& path, bool keepPlans) {
  std::istringstream input;  // every question takes its default answer
  std::ostringstream output;
  quorl::platform::ConsoleDialogs dialogs(input, output);
  quorl::fakes::FakeSystem system;
  quorl::Context ctx(dialogs, system);
  ctx.plans.SetEnabled(keepPlans);
  // A program that keeps doubling a text meets OUT OF MEMORY! soon, on both paths alike.
  ctx.textLimit = 1 << 20;
  quorl::FormSectionSkipper skipper(ctx);
  if (quorl::StartProgram(ctx, path, skipper)) quorl::EndProgram(ctx);
  output << "[lines executed: " << ctx.linesExecuted << "]\n";
  return output.str();
}

// Runs the program both ways in a child process, which prints the two
// transcripts when they differ; true when they are the same.
bool SameInChild(const std::string& path) {
  std::cout << std::flush;
  pid_t child = fork();
  if (child == 0) {
    alarm(60);
    std::string kept = Transcript(path, true);
    std::string plain = Transcript(path, false);
    if (kept != plain)
      std::cout << "--- with plans ---\n" << kept << "--- plain path ---\n" << plain;
    std::cout << std::flush;
    _exit(kept == plain ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  if (WIFSIGNALED(status)) std::cout << "--- ended by signal " << WTERMSIG(status) << " ---\n";
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long count = 5000;
  unsigned long seed = static_cast<unsigned long>(
      std::chrono::system_clock::now().time_since_epoch().count() % 1000000000);
  char* end = nullptr;
  if (argc > 1) count = std::strtoul(argv[1], &end, 10);
  if (argc > 2 && !*end) seed = std::strtoul(argv[2], &end, 10);
  if (argc > 3 || (end && *end)) {
    std::cerr << "usage: differential_programs [COUNT [SEED]]\n";
    return 2;
  }
  std::cout << "differential_programs " << count << " " << seed << std::endl;

  quorl::tools::TemporaryDirectory folder("quorl-differential");
  std::string path = (folder.Path() / "program.qrl").string();
  int differences = 0;
  for (unsigned long n = 0; n < count; ++n) {
    uint32_t programSeed = static_cast<uint32_t>(seed + n);
    std::string program = quorl::differential::Generator(programSeed).Program();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << program;
    if (SameInChild(path) || ++differences > 3) continue;
    std::cout << "\nThe runs differ for seed " << programSeed << " (differential_programs 1 "
              << programSeed << ")\n--- program ---\n"
              << program << std::flush;
  }
  std::cout << count << " programs, " << differences << " with different transcripts; seed " << seed
            << "\n";
  return differences == 0 ? 0 : 1;
}
