VERSION 4.00
BEGIN VB.Form Form1
   Caption         =   "Form1"
   begin VB.CommandButton Command1
      Caption         =   "Go"
   end
END
' A listing reads past the form section as a run does: Begin and End in
' any letter case open and close its blocks, so no form line is stored.
' args: --list
Sub Main()
  Msg "code"
End Sub
' expect: 0: SUB MAIN()
' expect: 1: MSG "code"
' expect: 2: END SUB
