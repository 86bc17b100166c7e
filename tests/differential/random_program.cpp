#include "tests/differential/random_program.h"

#include <random>
#include <string_view>
#include <vector>

namespace quorl::differential {
namespace {

constexpr std::string_view kKinds[] = {"INTEGER", "DOUBLE", "STRING", "BOOLEAN", "LONG"};
constexpr std::string_view kBinary[] = {
    " + ", " - ",  " * ", " / ", " % ",  " & ",  " AND ", " OR ", " XOR ",
    " = ", " == ", " < ", " > ", " <= ", " >= ", " <> ",  " != ", "+",
    "-",   "*",    "&",   "=<",  "=>",   "<",    "/",     "%"};
constexpr std::string_view kOneArgument[] = {"LEN",  "UCASE", "LCASE",  "TRIM",     "CSTR", "CINT",
                                             "CDBL", "CBOOL", "ABS",    "SQR",      "CHR",  "ASC",
                                             "STR",  "INT",   "ESCAPE", "TOBASE64", "SIN"};
constexpr std::string_view kLiterals[] = {
    "0",       "1",      "7",          "-3",          "2147483647", "4294967296", "1.5",
    ".25",     "3#",     "1E5",        "&HFF",        "HELLO",      "TRUE",       "FALSE",
    "\"\"",    "\"AB\"", "\"a\"\"b\"", "\"12\"",      "\"1.5\"",    "\" X \"",    "CRLF",
    "VERSION", "RND",    "1.2.3",      "UNKNOWNNAME", "C1",         "C2",         "C3"};
constexpr std::string_view kNoise[] = {"(", ")", "\"", ",", "$", "=",  "-",    "NOT ", " ",
                                       "X", "1", ".",  "!", "&", "ME", "LEFT", "MSG",  "'"};

// One procedure: its name, whether it gives a value, and its parameters.
struct Procedure {
  std::string name;
  bool isFunction = false;
  std::vector<std::string> parameters;  // names; their kinds are in the header
};

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  std::string Program() {
    out_ = "OPTION EXPLICIT\n";
    Line("GLOBAL G1 AS " + Kind());
    Line("GLOBAL G2 AS " + Kind());
    Line("DIM F1 AS " + Kind());
    Line("DIM F2$ AS STRING");
    Line("CONST C1 = " + (Pick({"5", "-1", "2.5", "\"K\"", "TRUE"})));
    Line("CONST C2 = \"CONST\"");
    Line("CONST C3 = 0.5");
    WriteRecursive();
    int count = 1 + Below(4);
    for (int i = 1; i <= count; ++i) WriteProcedure(i);
    WriteMain();
    return out_;
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  std::string Pick(std::initializer_list<std::string_view> choices) {
    return std::string(choices.begin()[Below(static_cast<int>(choices.size()))]);
  }
  template <size_t N>
  std::string Pick(const std::string_view (&choices)[N]) {
    return std::string(choices[Below(static_cast<int>(N))]);
  }
  std::string Kind() { return Pick(kKinds); }
  void Line(const std::string& text) { out_ += std::string(indent_ * 2, ' ') + text + "\n"; }

  // A variable the current procedure can see; sometimes written with "$".
  std::string Variable() {
    std::vector<std::string> names = {"G1", "G2", "F1", "F2", "L1", "L2", "L3"};
    for (const std::string& parameter : parameters_) names.push_back(parameter);
    std::string name = names[Below(static_cast<int>(names.size()))];
    return Chance(10) ? name + "$" : name;
  }

  std::string Call(int depth) {
    std::vector<const Procedure*> functions;
    for (const Procedure& procedure : callable_) {
      if (procedure.isFunction) functions.push_back(&procedure);
    }
    if (functions.empty() || Chance(30)) {
      return "REC(" + std::to_string(Below(Chance(10) ? 120 : 6)) + ")";
    }
    const Procedure& function = *functions[Below(static_cast<int>(functions.size()))];
    return function.name + "(" + Arguments(function, depth) + ")";
  }

  std::string Arguments(const Procedure& procedure, int depth) {
    int count = static_cast<int>(procedure.parameters.size());
    if (Chance(8)) count += Chance(50) ? 1 : -1;  // a count mismatch
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? ", " : "") + Expression(depth + 1);
    return text;
  }

  std::string Atom(int depth) {
    switch (Below(depth >= 3 ? 2 : 7)) {
      case 0:
        return (Pick(kLiterals));
      case 1:
        return Variable();
      case 2:
        return (Pick(kOneArgument)) + "(" + Expression(depth + 1) + ")";
      case 3:
        return (Pick({"LEFT", "RIGHT", "INSTR"})) + "(" + Expression(depth + 1) + ", " +
               Expression(depth + 1) + ")";
      case 4:
        return Call(depth);
      case 5:
        return "QUORL(" + BuiltText(depth) + ")";
      default:
        return "(" + Expression(depth + 1) + ")";
    }
  }

  std::string Expression(int depth = 0) {
    std::string text = Atom(depth);
    if (Chance(15)) text = (Pick({"-", "NOT ", "- "})) + text;
    int operators = depth >= 3 ? 0 : Below(3);
    for (int i = 0; i < operators; ++i) text += (Pick(kBinary)) + Atom(depth + 1);
    return text;
  }

  // A text that QUORL evaluates: an expression as a literal, or one put
  // together from pieces at run time.
  std::string BuiltText(int depth) {
    std::string expression = Expression(depth + 1);
    std::string quoted;
    for (char c : expression) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    switch (Below(3)) {
      case 0:
        return "\"" + quoted + "\"";
      case 1:
        return "\"" + quoted + (Pick({" + ", " & ", " * ", "("})) + "\" & " + Variable();
      default:
        return "CSTR(" + Variable() + ") & \"" + (Pick(kBinary)) + quoted + "\"";
    }
  }

  // Mostly well-formed arithmetic, comparisons and joins on the variables.
  std::string Simple() {
    std::string text = Variable();
    for (int i = Below(3); i >= 0; --i) {
      text += Pick({" + ", " - ", " * ", " % ", " & ", " < ", " = ", " / "});
      text += Chance(50) ? Variable() : std::to_string(Below(9) + 1);
    }
    return text;
  }

  std::string Condition() {
    if (Chance(40)) return "(" + Simple() + ")";
    if (Chance(70)) return "(" + Expression() + ")";
    return Expression();  // a bare condition: one operand, or an operator outside parentheses
  }

  void Statement(int depth) {
    // Loops need their counters, which a body without declarations lacks.
    int choices = depth >= 2 ? 8 : (declared_ ? 13 : 10);
    switch (Below(choices)) {
      case 0:
        return Line(Variable() + " = " + Simple());
      case 1:
        return Line(Variable() + Pick({" = ", "= ", " =", "="}) + Expression());
      case 2:
        return Line((Pick({"MSG ", "MSG(", "MSGBOX "})) + Expression() +
                    (Chance(10) ? ", " + Expression() : ""));
      case 3:
        return Line("S1 = S1 & " + Expression());
      case 4:
        return Line(Variable() + " = QUORL(" + BuiltText(0) + ")");
      case 5:
        return CallSub();
      case 6:
        return Line(Chance(50) ? "DIM " + (Pick({"L1", "L2", "L3", "L9"})) + " AS " + Kind()
                               : "CONST " + (Pick({"K1", "C1"})) + " = " + (Pick(kLiterals)));
      case 7:
        return Noise();
      case 8:
      case 9:
        return If(depth);
      case 10:
        return For(depth);
      case 11:
        return While(depth);
      default:
        return Line(Chance(50) ? "MSG S1" : "MSG " + Call(0));
    }
  }

  void Noise() {
    std::string text = Chance(50) ? Variable() : (Pick(kLiterals));
    for (int i = Below(6); i > 0; --i) {
      text += Chance(50) ? (Pick(kNoise)) : (Pick(kLiterals));
    }
    Line(text);
  }

  void CallSub() {
    std::vector<const Procedure*> subs;
    for (const Procedure& procedure : callable_) {
      if (!procedure.isFunction) subs.push_back(&procedure);
    }
    if (subs.empty()) return Line("MSG " + Call(0));
    const Procedure& sub = *subs[Below(static_cast<int>(subs.size()))];
    if (Chance(50)) return Line(sub.name + " " + Arguments(sub, 0));
    Line(sub.name + "(" + Arguments(sub, 0) + ")");
  }

  void Block(int depth) {
    ++indent_;
    for (int i = 1 + Below(3); i > 0; --i) Statement(depth + 1);
    --indent_;
  }

  void If(int depth) {
    if (Chance(15)) return Line("IF " + Condition() + " THEN MSG " + Expression());
    Line("IF " + Condition() + " THEN");
    Block(depth);
    for (int i = Below(3); i > 0; --i) {
      Line("ELSEIF " + Condition() + " THEN");
      Block(depth);
    }
    if (Chance(50)) {
      Line("ELSE");
      Block(depth);
    }
    Line(Chance(50) ? "ENDIF" : "END IF");
  }

  // Each loop nesting level has a counter of its own, never assigned in the body.
  void For(int depth) {
    std::string counter = depth == 0 ? "I1" : "I2";
    std::string step = (Pick({"", "", " STEP 2", " STEP -1", " STEP 0.5"}));
    std::string start = std::to_string(Below(4));
    std::string end = std::to_string(Below(5));
    if (step == " STEP -1") std::swap(start, end);
    if (step == " STEP 0.5") counter = depth == 0 ? "D1" : "D2";
    Line("FOR " + counter + " = " + start + " TO " + end + step);
    Block(depth);
    Line(Chance(50) ? "NEXT" : "NEXT " + counter);
  }

  void While(int depth) {
    std::string counter = depth == 0 ? "W1" : "W2";
    Line(counter + " = 0");
    Line("WHILE (" + counter + " < " + std::to_string(Below(4)) + ")");
    ++indent_;
    Line(counter + " = " + counter + " + 1");
    --indent_;
    Block(depth);
    Line("WEND");
  }

  void Locals() {
    Line("DIM L1 AS " + Kind());
    Line("DIM L2 AS " + Kind());
    Line("DIM L3");
    Line("DIM S1 AS STRING");
    for (std::string_view counter : {"I1", "I2", "W1", "W2"}) {
      Line("DIM " + std::string(counter) + " AS INTEGER");
    }
    Line("DIM D1 AS DOUBLE");
    Line("DIM D2 AS DOUBLE");
  }

  // MAIN declares its locals; most procedures work on their parameters and
  // what is global, so that calls nest without a declaration in between.
  void Body(int statements, bool declare) {
    ++indent_;
    declared_ = declare;
    if (declare) Locals();
    for (int i = 0; i < statements; ++i) Statement(0);
    --indent_;
  }

  void WriteRecursive() {
    Line("FUNCTION REC(N AS INTEGER) AS INTEGER");
    Line("  IF (N > 0) THEN");
    Line("    REC = REC(N - 1) + 1");
    Line("  ENDIF");
    Line("END FUNCTION");
  }

  void WriteProcedure(int index) {
    Procedure procedure;
    procedure.isFunction = Chance(60);
    procedure.name = (procedure.isFunction ? "FN" : "SB") + std::to_string(index);
    std::string header = procedure.isFunction ? "FUNCTION " : "SUB ";
    header += procedure.name + "(";
    for (int p = 0; p < Below(3); ++p) {
      procedure.parameters.push_back("P" + std::to_string(p + 1));
      header += (p ? ", " : "") + procedure.parameters.back() + " AS " + Kind();
    }
    header += ")";
    if (procedure.isFunction) header += " AS " + Kind();
    Line(header);
    parameters_ = procedure.parameters;
    Body(1 + Below(4), Chance(30));
    if (procedure.isFunction) Line("  " + procedure.name + " = " + Expression());
    if (Chance(10)) Line("  EXIT " + std::string(procedure.isFunction ? "FUNCTION" : "SUB"));
    Line(procedure.isFunction ? "END FUNCTION" : "END SUB");
    parameters_.clear();
    callable_.push_back(procedure);
  }

  void WriteMain() {
    Line("SUB MAIN()");
    Body(4 + Below(8), true);
    Line("  MSG S1 & \"|\" & L1 & \"|\" & L2 & \"|\" & G1 & \"|\" & F1");
    Line("END SUB");
  }

  std::mt19937 random_;
  std::string out_;
  int indent_ = 0;
  bool declared_ = false;
  std::vector<Procedure> callable_;
  std::vector<std::string> parameters_;
};

}  // namespace

std::string RandomProgram(uint32_t seed) {
  return Generator(seed).Program();
}

}  // namespace quorl::differential
