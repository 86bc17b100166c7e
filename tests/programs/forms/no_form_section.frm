VERSION 4.00
' The second line opens no form: nothing is built, the start-up procedures
' run, and the program ends as a program of code alone does.
SUB MAIN()
  MSG "running without a form"
END SUB

' expect: Message: running without a form
