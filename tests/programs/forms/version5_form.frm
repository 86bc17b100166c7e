VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Object = "{F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0"; "comdlg32.ocx"
Begin VB.Form frmMain
   BackColor       =   &H00C0C0C0&
   Caption         =   "Inventory"
   ClientHeight    =   3600
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4800
   StartUpPosition =   3  'Windows Default
   Begin MSComDlg.CommonDialog dlgOpen
      Left            =   120
      Top             =   120
   End
   Begin MSComctlLib.StatusBar sbMain
      Align           =   2  'Align Bottom
      Height          =   300
      Begin VB.CommandButton Unbuilt1
         Caption         =   "inside an unsupported control"
      End
   End
   Begin VB.PictureBox picTools
      BackColor       =   &H00FF8080&
      Height          =   900
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4560
      Begin VB.CommandButton cmdAdd
         Caption         =   "Add"
         Height          =   375
         Left            =   150
         TabIndex        =   2
         Top             =   150
         Width           =   1000
      End
      Begin VB.TextBox txtNote
         Height          =   285
         Left            =   1350
         TabIndex        =   1
         Text            =   "frmMain.frx":0000
         Top             =   150
         Width           =   3000
      End
   End
   Begin VB.Label lblCount
      Caption         =   "0 items"
      Height          =   255
      Left            =   120
      Top             =   1200
      Width           =   2000
   End
End
Attribute VB_Name = "frmMain"
' A form of a later version: the Object lines before its Begin line are passed
' over, controls of those libraries are read past with what they hold, the
' client area sets the form's size, and a PictureBox holds its controls in its
' own window. A text kept in the .FRX file shows the placeholder, "$" or not.
SUB FORM_LOAD()
  MSG "picTools back colour " & PICTOOLS.BACKCOLOR
END SUB

SUB CMDADD_CLICK()
  LBLCOUNT.CAPTION = "1 item at " & CMDADD.LEFT & "," & CMDADD.TOP
END SUB

' args: --events version5_form.events
' stdin-eof
' expect: Error: Unknown form version.  Quorl may not work:
' expect:   version5_form.frm
' expect: Try Anyway?
' expect: Message: picTools back colour 16744576
' expect: frmMain Form text="Inventory" enabled visible left=352 top=264 width=320 height=240
' expect: picTools PictureBox text="" enabled visible left=8 top=8 width=304 height=60
' expect: cmdAdd CommandButton text="Add" enabled visible left=18 top=18 width=66 height=25
' expect: txtNote TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled visible left=98 top=18 width=200 height=19 focus
' expect: lblCount Label text="1 item at 18,18" enabled visible left=8 top=80 width=133 height=17
' expect-desktop: Error: Unknown form version.  Quorl may not work:
' expect-desktop:   version5_form.frm
' expect-desktop: Try Anyway?
' expect-desktop: Message: picTools back colour 16744576
' expect-desktop: frmMain Form text="Inventory" enabled visible left=368 top=250 width=288 height=267
' expect-desktop: picTools PictureBox text="" enabled visible left=7 top=8 width=266 height=60
' expect-desktop: cmdAdd CommandButton text="Add" enabled visible left=15 top=18 width=57 height=25
' expect-desktop: txtNote TextBox text="{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in code and set the .Text or .Caption property at runtime.}}" enabled visible left=85 top=18 width=175 height=19 focus
' expect-desktop: lblCount Label text="1 item at 15,18" enabled visible left=7 top=80 width=116 height=17
