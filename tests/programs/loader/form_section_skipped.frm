  version 4.00  
BEGIN VB.Form Form1
   Caption         =   "Msg ""not code"""
   Begin VB.Frame Frame1
      begin VB.CommandButton Command1
         Caption         =   "Go"
      end
   End
   BeginProperty Font
      Name            =   "Arial"
   EndProperty
END
' The form section, nested blocks and all, is read past up to the form's
' closing End as a run reads it (Begin and End in any letter case); only the
' code after it is stored. A VERSION header is accepted in any case with
' blanks around it.
' args: --list
Sub Form_Load ()
  Msg "loaded"
End Sub
' expect: 0: SUB FORM_LOAD ()
' expect: 1: MSG "loaded"
' expect: 2: END SUB
