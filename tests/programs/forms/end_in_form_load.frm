VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Ends at once"
   Begin VB.CommandButton Command1
      Caption         =   "Never clicked"
   End
End
' END in FORM_LOAD closes the form before any event is replayed.
SUB FORM_LOAD()
  MSG "loading"
  END
  MSG "never: END stops the procedure"
END SUB

SUB COMMAND1_CLICK()
  MSG "never"
END SUB

' args: --events end_in_form_load.events
' expect: Message: loading
