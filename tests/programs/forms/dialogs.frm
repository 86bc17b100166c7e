VERSION 4.00
Begin VB.Form Form1
   Begin VB.CommandButton Ask1
   End
   Begin VB.CommandButton Describe1
   End
End
' The input box answers with the typed line, or the empty text when it is
' cancelled (the input ends), never with its default. The output box shows a
' label and a text. The system menu shows the About box, the Form Info box
' (with the form's own description from SZABOUTME).
DIM SZABOUTME AS STRING

SUB ASK1_CLICK()
  DIM ANSWER AS STRING
  ANSWER = INPUTBOX("Your name?")
  MSG "Hello " & ANSWER & "!"
  ANSWER = INPUTBOX("Nothing?", "Empty")
  MSG "[" & ANSWER & "]"
  ANSWER = INPUTBOX("Your age?", "Details", "30")
  MSG "[" & ANSWER & "]"
  OUTPUTBOX "3 apples", "Report", "Results:"
  OUTPUTBOX "just text"
END SUB

SUB DESCRIBE1_CLICK()
  SZABOUTME = "A form that shows its dialogs."
END SUB

' args: --events dialogs.events
' stdin: Ann
' stdin:
' expect: Form Info: About this form:
' expect: No Information.
' expect: VB Form File Format: VERSION 4.00
' expect: Input Box: Your name?
' expect: Message: Hello Ann!
' expect: Empty: Nothing?
' expect: Message: []
' expect: Details: Your age?
' expect: Message: []
' expect: Report: Results:
' expect: 3 apples
' expect: Output Box: 
' expect: just text
' expect: Form Info: About this form:
' expect: A form that shows its dialogs.
' expect: VB Form File Format: VERSION 4.00
' expect: About Quorl: Quorl for Win32
' expect: A BASIC interpreter for forms, by the Quorl developers.
