#include "bench/workloads.h"

namespace quorl::bench {

std::vector<Workload> Workloads() {
  return {
      {"for-loop",
       1000000,
       {"OPTION EXPLICIT\n"
        "SUB MAIN()\n"
        "  DIM I AS INTEGER\n"
        "  DIM COUNT AS INTEGER\n"
        "  FOR I = 1 TO 1000000\n"
        "    COUNT = COUNT + 1\n"
        "  NEXT I\n"
        "  MSG COUNT\n"
        "END SUB\n",
        "Message: 1000000\n"},
       {}},
      // Texts in variables have no length limit, so this builds 20000 characters.
      {"string-building",
       20000,
       {"OPTION EXPLICIT\n"
        "SUB MAIN()\n"
        "  DIM I AS INTEGER\n"
        "  DIM S AS STRING\n"
        "  FOR I = 1 TO 20000\n"
        "    S = S & \"X\"\n"
        "  NEXT I\n"
        "  MSG LEN(S)\n"
        "END SUB\n",
        "Message: 20000\n"},
       {}},
      // The four peer shapes: the same programs in Quorl and in Gambas.
      {"peer-loop",
       1000000,
       {"OPTION EXPLICIT\n"
        "SUB MAIN()\n"
        "  DIM I AS INTEGER\n"
        "  DIM S AS INTEGER\n"
        "  FOR I = 1 TO 1000000\n"
        "    S = S + (I % 7)\n"
        "  NEXT I\n"
        "  MSG S\n"
        "END SUB\n",
        "Message: 2999998\n"},
       {"Public Sub Main()\n"
        "  Dim I As Integer\n"
        "  Dim S As Integer\n"
        "  For I = 1 To 1000000\n"
        "    S = S + (I Mod 7)\n"
        "  Next\n"
        "  Print S\n"
        "End\n",
        "2999998\n"}},
      {"function-calls",
       200000,
       {"OPTION EXPLICIT\n"
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
       {"Public Sub Main()\n"
        "  Dim I As Integer\n"
        "  Dim N As Integer\n"
        "  For I = 1 To 200000\n"
        "    N = Increment(N)\n"
        "  Next\n"
        "  Print N\n"
        "End\n"
        "\n"
        "Function Increment(X As Integer) As Integer\n"
        "  Return X + 1\n"
        "End\n",
        "200000\n"}},
      // Conditions in parentheses: a bare comparison after IF is not a condition.
      {"while-branches",
       300000,
       {"OPTION EXPLICIT\n"
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
       {"Public Sub Main()\n"
        "  Dim N As Integer\n"
        "  Dim A As Integer\n"
        "  Dim B As Integer\n"
        "  Dim C As Integer\n"
        "  While N < 300000\n"
        "    If N Mod 3 = 0 Then\n"
        "      A = A + 1\n"
        "    Else If N Mod 3 = 1 Then\n"
        "      B = B + 1\n"
        "    Else\n"
        "      C = C + 1\n"
        "    Endif\n"
        "    N = N + 1\n"
        "  Wend\n"
        "  Print A; \" \"; B; \" \"; C\n"
        "End\n",
        "100000 100000 100000\n"}},
      {"string-append",
       20000,
       {"OPTION EXPLICIT\n"
        "SUB MAIN()\n"
        "  DIM I AS INTEGER\n"
        "  DIM A AS STRING\n"
        "  FOR I = 1 TO 20000\n"
        "    A = A & \"AB\"\n"
        "  NEXT I\n"
        "  MSG LEN(A)\n"
        "END SUB\n",
        "Message: 40000\n"},
       {"Public Sub Main()\n"
        "  Dim I As Integer\n"
        "  Dim A As String\n"
        "  For I = 1 To 20000\n"
        "    A = A & \"AB\"\n"
        "  Next\n"
        "  Print Len(A)\n"
        "End\n",
        "40000\n"}},
  };
}

Workload StartupProgram() {
  return {"start-up",
          0,
          {"OPTION EXPLICIT\n"
           "SUB MAIN()\n"
           "  MSG \"ready\"\n"
           "END SUB\n",
           "Message: ready\n"},
          {"Public Sub Main()\n"
           "  Print \"ready\"\n"
           "End\n",
           "ready\n"}};
}

}  // namespace quorl::bench
