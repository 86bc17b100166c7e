// A ceiling on the memory this test program holds at once. A random program
// that keeps doubling a text then meets std::bad_alloc (which the
// interpreter reports as OUT OF MEMORY!) long before it exhausts the
// machine; a run that reached the ceiling is not compared, since the two
// paths allocate differently.
#pragma once

#include <cstddef>

namespace quorl::differential {

void SetMemoryCeiling(size_t bytes);
// Whether an allocation was refused since the last call; clears the answer.
bool TakeCeilingReached();

}  // namespace quorl::differential
