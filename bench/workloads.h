// The benchmark's workloads: small programs that each stress one part of the
// interpreter, with the output that shows they ran to the end correctly. The
// peer shapes come with the same program for Gambas (gbs3), so that both
// interpreters can be timed side by side.
#pragma once

#include <string>
#include <vector>

namespace quorl::bench {

struct Program {
  std::string text;            // the whole program file
  std::string expectedOutput;  // a wrong result makes the timing worthless
};

struct Workload {
  std::string name;
  long iterations = 0;  // passes of the loop the workload times
  Program quorl;
  Program gambas;  // empty text: no peer program
};

std::vector<Workload> Workloads();
// The smallest program: its run is the start-up that the workloads' times
// are reduced by, and the start-up time and memory that are reported.
Workload StartupProgram();

}  // namespace quorl::bench
