VERSION 4.00
Begin VB.Form Form1
   Caption = "Cut short"
   Begin VB.CommandButton Command1
      Caption = "OK"
' A form file that ends inside a block: the builder stops at the end of the
' file, says so, and nothing is left to run.
' expect: Error: Form description not closed:
' expect:   the file ends inside a Begin block.
