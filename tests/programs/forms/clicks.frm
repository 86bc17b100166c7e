VERSION 4.00
Begin VB.Form Form1
   Begin VB.CommandButton Command1
   End
   Begin VB.CommandButton Quiet1
   End
   Begin VB.CommandButton Off1
      Enabled         =   0   'False
   End
   Begin VB.CheckBox Check1
   End
   Begin VB.OptionButton Option1
      Value           =   -1  'True
   End
   Begin VB.OptionButton Option2
   End
   Begin VB.Frame Frame1
      Begin VB.OptionButton Option3
         Value           =   -1  'True
      End
      Begin VB.CommandButton Inner1
      End
   End
   Begin VB.Label Label1
   End
End
' Clicks: a button runs its Click procedure, a check box toggles, an option
' button is checked and the others of its group (same container) unchecked.
' SZABOUTME describes the form only when it holds a text.
DIM SZABOUTME AS INTEGER

SUB COMMAND1_CLICK()
  MSG "Command1 clicked"
  SZABOUTME = 42
END SUB

SUB OFF1_CLICK()
  MSG "never: Off1 is disabled"
END SUB

SUB CHECK1_CLICK()
  MSG "Check1 is " & CHECK1.VALUE
END SUB

SUB OPTION2_CLICK()
  MSG "Options " & OPTION1 & OPTION2 & OPTION3
END SUB

SUB INNER1_CLICK()
  MSG "Inner1 clicked"
END SUB

SUB LABEL1_CLICK()
  MSG "never: a label does not notify"
END SUB

' args: --events clicks.events
' expect: Message: Command1 clicked
' expect: Message: Command1 clicked
' expect: Message: Check1 is 1
' expect: Message: Check1 is 0
' expect: Message: Options 011
' expect: Message: Inner1 clicked
' expect: Form Info: About this form:
' expect: No Information.
' expect: VB Form File Format: VERSION 4.00
