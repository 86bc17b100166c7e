// The benchmark's workloads: small programs that each stress one part of the
// interpreter, with the output that shows they ran to the end correctly.
#pragma once

#include <string>
#include <vector>

namespace quorl::bench {

struct Workload {
  std::string name;
  std::string program;         // the whole program file
  std::string expectedOutput;  // a wrong result makes the timing worthless
};

std::vector<Workload> Workloads();

}  // namespace quorl::bench
