  version 4.00  
Begin VB.Form Form1
   Caption         =   "Msg ""not code"""
   Begin VB.Frame Frame1
      Caption         =   "Frame1"
      Begin VB.CommandButton Command1
         Caption         =   "Go"
      End
   End
   BeginProperty Font
      Name            =   "Arial"
   EndProperty
End
' The form section, nested blocks and all, is read past up to the form's
' closing End; only the code after it is stored. A VERSION header is
' accepted in any case with blanks around it.
' args: --list
Sub Form_Load ()
  Msg "loaded"
End Sub
' expect: 0: SUB FORM_LOAD ()
' expect: 1: MSG "loaded"
' expect: 2: END SUB
