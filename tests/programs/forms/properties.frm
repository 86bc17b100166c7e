VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Properties"
   Begin VB.CommandButton Command1
      Caption         =   "Go"
      Height          =   300
      Top             =   150
   End
   Begin VB.CheckBox Check1
   End
   Begin VB.TextBox Text1
      MultiLine       =   -1  'True
      Text            =   "first"
   End
   Begin VB.Label Label1
      BackColor       =   &H00FF0000&
      ForeColor       =   &H000000FF&
   End
   Begin VB.VScrollBar VScroll1
      Max             =   100
   End
End
' Reading and setting control properties; a control's name alone is its
' default property. LEFT and TOP move one edge only. Nothing printed here
' depends on the system font.
SUB FORM_LOAD()
  DIM FRAME AS INTEGER
  MSG "Text " & TEXT1.TEXT & " / " & TEXT1
  TEXT1.TEXT = "second"
  MSG "Text " & TEXT1
  TEXT1 = "third"
  MSG "Caption " & COMMAND1.CAPTION & " " & FORM1.CAPTION & " " & ME.CAPTION
  ME.CAPTION = "Renamed"
  MSG "Form " & FORM1.CAPTION & " text " & TEXT1.TEXT
  MSG "Check " & CHECK1 & " " & CHECK1.VALUE
  CHECK1.VALUE = TRUE
  MSG "Check " & CHECK1
  CHECK1 = 0
  MSG "Check " & CHECK1.VALUE
  ' A scroll bar's value is a whole number, also when it is assigned.
  VSCROLL1.VALUE = 40
  VSCROLL1.VALUE = VSCROLL1.VALUE + 5
  MSG "Scroll " & VSCROLL1.VALUE & " " & VSCROLL1
  VSCROLL1 = 500
  MSG "Scroll " & VSCROLL1
  MSG "Colours " & LABEL1.BACKCOLOR & " " & LABEL1.FORECOLOR
  LABEL1.FORECOLOR = RGB(0, 128, 0)
  MSG "Fore " & LABEL1.FORECOLOR
  MSG "Button fore " & COMMAND1.FORECOLOR
  MSG "Scroll back " & VSCROLL1.BACKCOLOR
  COMMAND1.LEFT = 20
  COMMAND1.WIDTH = 100
  MSG "Geometry " & COMMAND1.LEFT & " " & COMMAND1.TOP & " " & COMMAND1.WIDTH & " " & COMMAND1.HEIGHT
  COMMAND1.LEFT = 10
  COMMAND1.HEIGHT = 30
  MSG "Now " & COMMAND1.LEFT & " " & COMMAND1.TOP & " " & COMMAND1.WIDTH & " " & COMMAND1.HEIGHT
  ' The client area follows the form's size, less the frame.
  FRAME = FORM1.WIDTH - FORM1.SCALEWIDTH
  FORM1.WIDTH = 400
  MSG "Form width " & FORM1.WIDTH & ", scale follows " & (FORM1.SCALEWIDTH == 400 - FRAME)
  COMMAND1.ENABLED = FALSE
  TEXT1.VISIBLE = FALSE
  MSG "Enabled " & COMMAND1.ENABLED & " visible " & TEXT1.VISIBLE
  MSG "Unknown [" & COMMAND1.NOSUCHTHING & "]"
  COMMAND1.LISTCOUNT = 5
END SUB
' expect: Message: Text first / first
' expect: Message: Text second
' expect: Message: Caption Go Properties Properties
' expect: Message: Form Renamed text third
' expect: Message: Check 0 0
' expect: Message: Check 1
' expect: Message: Check 0
' expect: Message: Scroll 45 45
' expect: Message: Scroll 100
' expect: Message: Colours 16711680 255
' expect: Message: Fore 32768
' expect: Quorl: CONTROL PROPERTY NOT DEFINED!
' expect: MSG "Button fore " & COMMAND1.FORECOLOR
' expect: Quorl: CONTROL PROPERTY NOT DEFINED!
' expect: MSG "Scroll back " & VSCROLL1.BACKCOLOR
' expect: Message: Geometry 20 10 100 20
' expect: Message: Now 10 10 110 30
' expect: Message: Form width 400, scale follows 1
' expect: Message: Enabled 0 visible 0
