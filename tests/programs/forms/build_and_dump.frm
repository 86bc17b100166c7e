VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form Form1
   BackColor       =   &H8000000F&
   Caption         =   "Every ""control"""
   ClientHeight    =   3000
   ClientLeft      =   1000
   ClientTop       =   1000
   ClientWidth     =   4800
   Left            =   60
   Top             =   60
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
      End
   End
   Begin MSComctlLib.StatusBar Status1
      Align           =   2  'Align Bottom
      Begin VB.CommandButton Unbuilt1
         Caption         =   "inside an unsupported control"
      End
   End
   Begin VB.CommandButton Command1
      Caption         =   "&OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   120
      Top             =   120
      Width           =   1215
   End
   Begin CheckBox Check1
      Caption         =   "Bold"
      Value           =   1  'Checked
   End
   Begin VB.TextBox Text1
      BeginProperty Font
         Name            =   "MS Sans Serif"
         Size            =   8.25
      EndProperty
      TabIndex        =   0
      Text            =   "Hello"
   End
   Begin VB.TextBox Text2
      Text            =   $"build_and_dump.frx":0000
      Visible         =   0   'False
   End
   Begin VB.Label Label1
      Caption="wrong"
      Caption         =   "Name:"
      Enabled         =   0   'False
      TabIndex        =   5
   End
   Begin VB.ListBox List1
      Height          =   600
      MultiSelect     =   2  'Extended
      Sorted          =   -1  'True
      Width           =   1000
   End
   Begin VB.ComboBox Combo1
      Height          =   900
      Style           =   2  'Dropdown List
      Width           =   1000
   End
   Begin VB.HScrollBar HScroll1
      LargeChange     =   10
      Max             =   50
      Min             =   5
      Value           =   20
   End
   Begin VB.Image Image1
      Picture         =   "build_and_dump.frx":01A4
   End
   Begin VB.Timer Timer1
      Enabled         =   0   'False
      Interval        =   500
   End
   Begin VB.PictureBox Picture1
      Height          =   900
      Left            =   120
      Top             =   1200
      Width           =   1500
      Begin VB.CommandButton Inside1
         Caption         =   "Form1.frx":0000
         Left            =   150
         Top             =   150
      End
   End
   Begin VB.Menu mnuFile
      Caption         =   "&File"
   End
End
Attribute VB_Name = "Form1"
' Every control type with the properties the form file gives them, from a
' file of a later version: the Object lines before its Begin line are passed
' over, controls of those libraries are read past with what they hold, and
' the client area sets the form's size. A Frame and a PictureBox place their
' controls in their own area, so Option1's LEFT counts from the form; a
' menu is no control. A text kept in the .FRX file shows the placeholder.
SUB FORM_LOAD()
  MSG "BackColor " & FORM1.BACKCOLOR
  MSG "Option1 at " & OPTION1.LEFT & "," & OPTION1.TOP
END SUB

' args: --events build_and_dump.events
' stdin-eof
' expect: Error: Unknown form version.  Quorl may not work:
' expect:   build_and_dump.frm
' expect: Try Anyway?
' expect: Message: BackColor 12632256
' expect: Message: Option1 at 170,100
' expect: Form1 Form text="Every \"control\"" enabled visible left=352 top=284 width=320 height=200
' expect: Frame1 Frame text="Choices" enabled visible left=160 top=80 width=133 height=80
' expect: Option1 OptionButton text="Left" value=1 enabled visible left=170 top=100 width=60 height=20
' expect: Option2 OptionButton text="Right" value=0 enabled visible left=160 top=80 width=0 height=0
' expect: Command1 CommandButton text="&OK" enabled visible left=8 top=8 width=81 height=25
' expect: Check1 CheckBox text="Bold" value=1 enabled visible left=0 top=0 width=0 height=0
' expect: Text1 TextBox text="Hello" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Text2 TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled hidden left=0 top=0 width=0 height=0
' expect: Label1 Label text="Name:" disabled visible left=0 top=0 width=0 height=0
' expect: List1 ListBox text="" items=[] index=0 selected=[] enabled visible left=0 top=0 width=66 height=40
' expect: Combo1 ComboBox text="" items=[] index=-1 enabled visible left=0 top=0 width=66 height=300
' expect: HScroll1 HScrollBar value=20 min=5 max=50 enabled visible left=0 top=0 width=0 height=0
' expect: Image1 Image text="" no-picture enabled visible left=0 top=0 width=0 height=0
' expect: Timer1 Timer interval=500 disabled
' expect: Picture1 PictureBox text="" enabled visible left=8 top=80 width=100 height=60
' expect: Inside1 CommandButton text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled visible left=18 top=90 width=0 height=0
' expect-desktop: Error: Unknown form version.  Quorl may not work:
' expect-desktop:   build_and_dump.frm
' expect-desktop: Try Anyway?
' expect-desktop: Message: BackColor 16119285
' expect-desktop: Message: Option1 at 148,100
' expect-desktop: Form1 Form text="Every \"control\"" enabled visible left=368 top=270 width=288 height=227
' expect-desktop: Frame1 Frame text="Choices" enabled visible left=140 top=80 width=116 height=80
' expect-desktop: Option1 OptionButton text="Left" value=1 enabled visible left=148 top=100 width=52 height=20
' expect-desktop: Option2 OptionButton text="Right" value=0 enabled visible left=140 top=80 width=0 height=0
' expect-desktop: Command1 CommandButton text="&OK" enabled visible left=7 top=8 width=70 height=25
' expect-desktop: Check1 CheckBox text="Bold" value=1 enabled visible left=0 top=0 width=0 height=0
' expect-desktop: Text1 TextBox text="Hello" enabled visible left=0 top=0 width=0 height=0 focus
' expect-desktop: Text2 TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled hidden left=0 top=0 width=0 height=0
' expect-desktop: Label1 Label text="Name:" disabled visible left=0 top=0 width=0 height=0
' expect-desktop: List1 ListBox text="" items=[] index=0 selected=[] enabled visible left=0 top=0 width=57 height=34
' expect-desktop: Combo1 ComboBox text="" items=[] index=-1 enabled visible left=0 top=0 width=57 height=20
' expect-desktop: HScroll1 HScrollBar value=20 min=5 max=50 enabled visible left=0 top=0 width=0 height=0
' expect-desktop: Image1 Image text="" no-picture enabled visible left=0 top=0 width=0 height=0
' expect-desktop: Timer1 Timer interval=500 disabled
' expect-desktop: Picture1 PictureBox text="" enabled visible left=7 top=80 width=87 height=60
' expect-desktop: Inside1 CommandButton text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled visible left=15 top=90 width=0 height=0
