ÿÌ€þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ €þ 
' A binary form whose first line end comes after more than 255 bytes is
' refused as binary, not taken for a long line of an unknown header.
' stdin: OK
' expect: Error: Form is saved in binary format!  Quorl requires form in text format:
' expect:   binary_form_long_first_line.frm
' expect: Quorl Aborting.
' exit: 1
