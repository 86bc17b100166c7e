VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Properties"
   Height          =   3600
   Width           =   4800
   Begin VB.CommandButton Command1
      Caption         =   "Go"
      Height          =   300
      Left            =   300
      Top             =   150
      Width           =   1500
   End
   Begin VB.CheckBox Check1
      Caption         =   "Check"
      Height          =   300
      Left            =   300
      Top             =   600
      Width           =   1500
   End
   Begin VB.TextBox Text1
      Height          =   300
      Left            =   300
      MultiLine       =   -1  'True
      Text            =   "first"
      Top             =   1050
      Width           =   1500
   End
   Begin VB.Label Label1
      BackColor       =   &H00FF0000&
      ForeColor       =   &H000000FF&
      Caption         =   "Label"
      Height          =   300
      Left            =   2000
      Top             =   150
      Width           =   900
   End
   Begin VB.VScrollBar VScroll1
      Height          =   1500
      Left            =   4000
      Max             =   100
      Top             =   150
      Width           =   255
   End
End
' Reading and setting control properties; a control's name alone is its
' default property.
SUB FORM_LOAD()
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
  MSG "Geometry " & COMMAND1.LEFT & " " & COMMAND1.TOP & " " & COMMAND1.WIDTH & " " & COMMAND1.HEIGHT
  COMMAND1.LEFT = 10
  MSG "Left 10 makes it wider: " & COMMAND1.LEFT & " " & COMMAND1.WIDTH
  COMMAND1.WIDTH = 50
  COMMAND1.HEIGHT = 30
  COMMAND1.TOP = 0
  MSG "Now " & COMMAND1.LEFT & " " & COMMAND1.TOP & " " & COMMAND1.WIDTH & " " & COMMAND1.HEIGHT
  MSG "Form " & FORM1.LEFT & " " & FORM1.TOP & " " & FORM1.WIDTH & " " & FORM1.HEIGHT
  MSG "Scale " & FORM1.SCALEWIDTH & " " & FORM1.SCALEHEIGHT
  FORM1.WIDTH = 400
  MSG "Form width " & FORM1.WIDTH & " scale " & FORM1.SCALEWIDTH
  COMMAND1.ENABLED = FALSE
  TEXT1.VISIBLE = FALSE
  MSG "Enabled " & COMMAND1.ENABLED & " visible " & TEXT1.VISIBLE
  MSG "Unknown [" & COMMAND1.NOSUCHTHING & "]"
  COMMAND1.LISTCOUNT = 5
END SUB

' args: --events properties.events
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
' expect: Message: Left 10 makes it wider: 10 110
' expect: Message: Now 10 0 50 40
' expect: Message: Form 352 264 320 240
' expect: Message: Scale 320 240
' expect: Message: Form width 400 scale 400
' expect: Message: Enabled 0 visible 0
' expect: Form1 Form text="Renamed" enabled visible left=352 top=264 width=400 height=240
' expect: Command1 CommandButton text="Go" disabled visible left=10 top=0 width=50 height=40
' expect: Check1 CheckBox text="Check" value=0 enabled visible left=20 top=40 width=100 height=20
' expect: Text1 TextBox text="third" enabled hidden left=20 top=70 width=100 height=20
' expect: Label1 Label text="Label" enabled visible left=133 top=10 width=60 height=20
' expect: VScroll1 VScrollBar value=100 min=0 max=100 enabled visible left=266 top=10 width=17 height=100
' expect-desktop: Message: Text first / first
' expect-desktop: Message: Text second
' expect-desktop: Message: Caption Go Properties Properties
' expect-desktop: Message: Form Renamed text third
' expect-desktop: Message: Check 0 0
' expect-desktop: Message: Check 1
' expect-desktop: Message: Check 0
' expect-desktop: Message: Scroll 45 45
' expect-desktop: Message: Scroll 100
' expect-desktop: Message: Colours 16711680 255
' expect-desktop: Message: Fore 32768
' expect-desktop: Quorl: CONTROL PROPERTY NOT DEFINED!
' expect-desktop: MSG "Button fore " & COMMAND1.FORECOLOR
' expect-desktop: Quorl: CONTROL PROPERTY NOT DEFINED!
' expect-desktop: MSG "Scroll back " & VSCROLL1.BACKCOLOR
' expect-desktop: Message: Geometry 17 10 87 20
' expect-desktop: Message: Left 10 makes it wider: 10 94
' expect-desktop: Message: Now 10 0 50 40
' expect-desktop: Message: Form 372 264 280 240
' expect-desktop: Message: Scale 272 213
' expect-desktop: Message: Form width 400 scale 392
' expect-desktop: Message: Enabled 0 visible 0
' expect-desktop: Form1 Form text="Renamed" enabled visible left=372 top=264 width=400 height=240
' expect-desktop: Command1 CommandButton text="Go" disabled visible left=10 top=0 width=50 height=40
' expect-desktop: Check1 CheckBox text="Check" value=0 enabled visible left=17 top=40 width=87 height=20
' expect-desktop: Text1 TextBox text="third" enabled hidden left=17 top=70 width=87 height=20
' expect-desktop: Label1 Label text="Label" enabled visible left=116 top=10 width=52 height=20
' expect-desktop: VScroll1 VScrollBar value=100 min=0 max=100 enabled visible left=232 top=10 width=14 height=100
