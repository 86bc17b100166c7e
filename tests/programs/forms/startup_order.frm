VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Start"
   Begin VB.CommandButton Command1
   End
End
' MAIN runs before FORM_LOAD. END in FORM_LOAD closes the form before any
' event is replayed.
SUB FORM_LOAD()
  MSG "FORM_LOAD"
  END
  MSG "never: END stops the procedure"
END SUB

SUB MAIN()
  MSG "MAIN sees " & FORM1.CAPTION
END SUB

SUB COMMAND1_CLICK()
  MSG "never"
END SUB

' args: --events startup_order.events
' expect: Message: MAIN sees Start
' expect: Message: FORM_LOAD
