VERSION 4.00
Begin VB.Form Form1
   BackColor       =   &H8000000F&
   Caption         =   "Every ""control"""
   ClientHeight    =   3000
   ClientLeft      =   1000
   ClientTop       =   1000
   Height          =   3600
   Left            =   60
   Top             =   60
   Width           =   4800
   Begin VB.Frame Frame1
      Caption         =   "Choices"
      Height          =   1200
      Left            =   2400
      Top             =   1200
      Width           =   2000
      Begin VB.OptionButton Option1
         Caption         =   "Left"
         Height          =   300
         Left            =   150
         Top             =   300
         Value           =   -1  'True
         Width           =   900
      End
      Begin VB.OptionButton Option2
         Caption         =   "Right"
         Height          =   300
         Left            =   1050
         Top             =   300
         Width           =   900
      End
   End
   Begin VB.CommandButton Command1
      Caption         =   "&OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   120
      TabIndex        =   2
      Top             =   120
      Width           =   1215
   End
   Begin CheckBox Check1
      Caption         =   "Bold"
      Height          =   300
      Left            =   1500
      TabIndex        =   3
      Top             =   120
      Value           =   1  'Checked
      Width           =   900
   End
   Begin VB.TextBox Text1
      BeginProperty Font
         Name            =   "MS Sans Serif"
         Size            =   8.25
      EndProperty
      Height          =   285
      Left            =   120
      MaxLength       =   5
      TabIndex        =   0
      Text            =   "Hello"
      Top             =   600
      Width           =   1500
   End
   Begin VB.TextBox Text2
      Height          =   285
      Left            =   120
      Text            =   $"build_and_dump.frx":0000
      Top             =   960
      Visible         =   0   'False
      Width           =   1500
   End
   Begin VB.Label Label1
      Caption="wrong"
      Caption         =   "Name:"
      Enabled         =   0   'False
      Height          =   255
      Left            =   1800
      TabIndex        =   5
      Top             =   600
      Width           =   600
   End
   Begin VB.ListBox List1
      Height          =   600
      Left            =   120
      MultiSelect     =   2  'Extended
      Sorted          =   -1  'True
      TabIndex        =   1
      Top             =   1320
      Width           =   1000
   End
   Begin VB.ComboBox Combo1
      Height          =   900
      Left            =   120
      Style           =   2  'Dropdown List
      Top             =   2000
      Width           =   1000
   End
   Begin VB.HScrollBar HScroll1
      Height          =   255
      LargeChange     =   10
      Left            =   1200
      Max             =   50
      Min             =   5
      Top             =   2700
      Value           =   20
      Width           =   1500
   End
   Begin VB.Image Image1
      Height          =   480
      Left            =   4000
      Picture         =   "build_and_dump.frx":01A4
      Top             =   120
      Width           =   480
   End
   Begin VB.Timer Timer1
      Enabled         =   0   'False
      Interval        =   500
      Left            =   0
      Top             =   0
   End
   Begin VB.PictureBox Picture1
      Height          =   500
      Begin VB.CommandButton Inside1
         Caption         =   "inside"
      End
   End
   Begin VB.Menu mnuFile
      Caption         =   "&File"
   End
End
' Every control type with the properties the form file gives them. A Frame
' and a PictureBox place their controls in their own area, so Option1's LEFT
' counts from the form; a menu is no control.
SUB FORM_LOAD()
  MSG "BackColor " & FORM1.BACKCOLOR
  MSG "Option1 at " & OPTION1.LEFT & "," & OPTION1.TOP
END SUB

' args: --events build_and_dump.events
' expect: Message: BackColor 12632256
' expect: Message: Option1 at 170,100
' expect: Form1 Form text="Every \"control\"" enabled visible left=352 top=264 width=320 height=240
' expect: Frame1 Frame text="Choices" enabled visible left=160 top=80 width=133 height=80
' expect: Option1 OptionButton text="Left" value=1 enabled visible left=170 top=100 width=60 height=20
' expect: Option2 OptionButton text="Right" value=0 enabled visible left=230 top=100 width=60 height=20
' expect: Command1 CommandButton text="&OK" enabled visible left=8 top=8 width=81 height=25
' expect: Check1 CheckBox text="Bold" value=1 enabled visible left=100 top=8 width=60 height=20
' expect: Text1 TextBox text="Hello" enabled visible left=8 top=40 width=100 height=19 focus
' expect: Text2 TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled hidden left=8 top=64 width=100 height=19
' expect: Label1 Label text="Name:" disabled visible left=120 top=40 width=40 height=17
' expect: List1 ListBox text="" items=[] index=0 selected=[] enabled visible left=8 top=88 width=66 height=40
' expect: Combo1 ComboBox text="" items=[] index=-1 enabled visible left=8 top=133 width=66 height=300
' expect: HScroll1 HScrollBar value=20 min=5 max=50 enabled visible left=80 top=180 width=100 height=17
' expect: Image1 Image text="" no-picture enabled visible left=266 top=8 width=32 height=32
' expect: Timer1 Timer interval=500 disabled
' expect: Picture1 PictureBox text="" enabled visible left=0 top=0 width=0 height=33
' expect: Inside1 CommandButton text="inside" enabled visible left=0 top=0 width=0 height=0
' expect-desktop: Message: BackColor 16119285
' expect-desktop: Message: Option1 at 148,100
' expect-desktop: Form1 Form text="Every \"control\"" enabled visible left=372 top=264 width=280 height=240
' expect-desktop: Frame1 Frame text="Choices" enabled visible left=140 top=80 width=116 height=80
' expect-desktop: Option1 OptionButton text="Left" value=1 enabled visible left=148 top=100 width=52 height=20
' expect-desktop: Option2 OptionButton text="Right" value=0 enabled visible left=201 top=100 width=52 height=20
' expect-desktop: Command1 CommandButton text="&OK" enabled visible left=7 top=8 width=70 height=25
' expect-desktop: Check1 CheckBox text="Bold" value=1 enabled visible left=87 top=8 width=52 height=20
' expect-desktop: Text1 TextBox text="Hello" enabled visible left=7 top=40 width=87 height=19 focus
' expect-desktop: Text2 TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled hidden left=7 top=64 width=87 height=19
' expect-desktop: Label1 Label text="Name:" disabled visible left=105 top=40 width=35 height=17
' expect-desktop: List1 ListBox text="" items=[] index=0 selected=[] enabled visible left=7 top=88 width=57 height=34
' expect-desktop: Combo1 ComboBox text="" items=[] index=-1 enabled visible left=7 top=133 width=57 height=20
' expect-desktop: HScroll1 HScrollBar value=20 min=5 max=50 enabled visible left=70 top=180 width=87 height=17
' expect-desktop: Image1 Image text="" no-picture enabled visible left=232 top=8 width=28 height=32
' expect-desktop: Timer1 Timer interval=500 disabled
' expect-desktop: Picture1 PictureBox text="" enabled visible left=0 top=0 width=0 height=33
' expect-desktop: Inside1 CommandButton text="inside" enabled visible left=0 top=0 width=0 height=0
