VERSION 4.00
  Begin VB.Form Form1
Caption = "Form1"
End
' A Begin line with blanks before it opens no form, as in a run: the lines
' after it are code, the form's closing End included.
' args: --list
' expect: 0: CAPTION = "Form1"
' expect: 1: END
