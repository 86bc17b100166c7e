#include "bench/workloads.h"

namespace quorl::bench {

std::vector<Workload> Workloads() {
  return {
      {"for-loop",
       "OPTION EXPLICIT\n"
       "SUB MAIN()\n"
       "  DIM I AS INTEGER\n"
       "  DIM COUNT AS INTEGER\n"
       "  FOR I = 1 TO 1000000\n"
       "    COUNT = COUNT + 1\n"
       "  NEXT I\n"
       "  MSG COUNT\n"
       "END SUB\n",
       "Message: 1000000\n"},
      // Texts in variables have no length limit, so this builds 20000 characters.
      {"string-building",
       "OPTION EXPLICIT\n"
       "SUB MAIN()\n"
       "  DIM I AS INTEGER\n"
       "  DIM S AS STRING\n"
       "  FOR I = 1 TO 20000\n"
       "    S = S & \"X\"\n"
       "  NEXT I\n"
       "  MSG LEN(S)\n"
       "END SUB\n",
       "Message: 20000\n"},
      {"function-calls",
       "OPTION EXPLICIT\n"
       "SUB MAIN()\n"
       "  DIM I AS INTEGER\n"
       "  DIM N AS INTEGER\n"
       "  FOR I = 1 TO 200000\n"
       "    N = INCREMENT(N)\n"
       "  NEXT I\n"
       "  MSG N\n"
       "END SUB\n"
       "FUNCTION INCREMENT(X AS INTEGER) AS INTEGER\n"
       "  INCREMENT = X + 1\n"
       "END FUNCTION\n",
       "Message: 200000\n"},
      // Conditions in parentheses: a bare comparison after IF is not a condition.
      {"while-branches",
       "OPTION EXPLICIT\n"
       "SUB MAIN()\n"
       "  DIM N AS INTEGER\n"
       "  DIM A AS INTEGER\n"
       "  DIM B AS INTEGER\n"
       "  DIM C AS INTEGER\n"
       "  WHILE (N < 300000)\n"
       "    IF (N % 3 = 0) THEN\n"
       "      A = A + 1\n"
       "    ELSEIF (N % 3 = 1) THEN\n"
       "      B = B + 1\n"
       "    ELSE\n"
       "      C = C + 1\n"
       "    ENDIF\n"
       "    N = N + 1\n"
       "  WEND\n"
       "  MSG A & \" \" & B & \" \" & C\n"
       "END SUB\n",
       "Message: 100000 100000 100000\n"},
  };
}

}  // namespace quorl::bench
