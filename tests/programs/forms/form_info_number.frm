VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Numbered"
End
' SZABOUTME describes the form only when it holds a text.
DIM SZABOUTME AS INTEGER

SUB FORM_LOAD()
  SZABOUTME = 42
END SUB

' args: --events form_info_number.events
' expect: Form Info: About this form:
' expect: No Information.
' expect: VB Form File Format: VERSION 4.00
