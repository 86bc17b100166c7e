// A program test is a program file whose own comment lines say how to run it
// and what it must print:
//
//   ' args: WORDS          options placed before the program path
//   ' program-args: WORDS  arguments placed after the program path
//   ' stdin: TEXT          one line of standard input
//   ' stdin-eof            documents that the input simply ends
//   ' expect: TEXT         one line of expected standard output
//   ' expect-desktop: TEXT one line of what the desktop program prints instead,
//                          where the system font changes pixel sizes
//   ' exit: N              the expected exit code (default 0)
//   ' env: NAME=VALUE      an environment variable for the run
//
// Directives are whole comment lines after the first line of the file. One
// blank after the colon separates the keyword from TEXT; further blanks belong
// to TEXT. Keywords may be written in any case; other comments are ignored.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::program_tests {

struct ProgramDirectives {
  std::vector<std::string> options;
  std::vector<std::string> programArguments;
  std::string standardInput;
  std::string expectedOutput;
  std::optional<std::string> desktopExpectedOutput;
  int expectedExitCode = 0;
  std::map<std::string, std::string> environment;
  // One entry per malformed directive, "line N: what is wrong".
  std::vector<std::string> errors;
};

ProgramDirectives ParseDirectives(std::string_view programText);

}  // namespace quorl::program_tests
