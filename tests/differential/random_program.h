// Random programs for comparing the normal run with the plain path: every
// kind of value, operators with and without blanks, errors of many sorts,
// QUORL on texts built at run time, nested blocks, procedures calling each
// other and a recursive function. The same seed gives the same program.
// Programs end by construction: loops have literal bounds and counters of
// their own, and procedures call only those written before them (and the
// recursive one itself, with a smaller argument).
#pragma once

#include <cstdint>
#include <string>

namespace quorl::differential {

std::string RandomProgram(uint32_t seed);

}  // namespace quorl::differential
