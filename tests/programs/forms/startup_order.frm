VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Start"
   Begin VB.CommandButton Command1
      Caption         =   "Never clicked"
   End
End
' MAIN runs before FORM_LOAD. Without an event file the form closes once
' they have run, and the program ends with exit code 0.
SUB FORM_LOAD()
  MSG "FORM_LOAD"
END SUB

SUB MAIN()
  MSG "MAIN sees " & FORM1.CAPTION
END SUB

SUB COMMAND1_CLICK()
  MSG "never"
END SUB

' expect: Message: MAIN sees Start
' expect: Message: FORM_LOAD
