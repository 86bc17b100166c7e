VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Limits"
   Height          =   3600
   Width           =   4800
   Begin VB.CommandButton Command1
      Caption         =   "Go"
      Left            =   150
      Top             =   150
      Width           =   1500
   End
End
' Positions and sizes set by the script are kept within -32768 to 32767
' pixels before anything is added to them, and read back as kept. LEFT and
' TOP move one edge only, so the size that follows may lie beyond that range.
' The desktop's windows have frames, and its window system keeps a size
' within that range itself.
SUB FORM_LOAD()
  FORM1.HEIGHT = 2147483647
  FORM1.WIDTH = -2147483648
  MSG "Form " & FORM1.LEFT & " " & FORM1.TOP & " " & FORM1.WIDTH & " " & FORM1.HEIGHT
  FORM1.TOP = -2147483648
  FORM1.LEFT = 2147483647
  MSG "Form " & FORM1.LEFT & " " & FORM1.TOP & " " & FORM1.WIDTH & " " & FORM1.HEIGHT
  COMMAND1.WIDTH = 2147483647
  COMMAND1.TOP = 2147483647
  MSG "Button " & COMMAND1.LEFT & " " & COMMAND1.TOP & " " & COMMAND1.WIDTH & " " & COMMAND1.HEIGHT
  COMMAND1.LEFT = -2147483648
  MSG "Button " & COMMAND1.LEFT & " " & COMMAND1.WIDTH
END SUB
' expect: Message: Form 352 264 0 32767
' expect: Message: Form 32767 -32768 0 65799
' expect: Message: Button 10 32767 32767 0
' expect: Message: Button -32768 65545
' expect-desktop: Message: Form 372 264 0 32767
' expect-desktop: Message: Form 32767 -32768 0 65799
' expect-desktop: Message: Button 8 32767 32767 0
' expect-desktop: Message: Button -32768 32767
