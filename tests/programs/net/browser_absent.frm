VERSION 4.00
Begin VB.Form Form1
End
' With no browser at the configured address, OPENURL is FALSE, the page
' variables give no value, and the home page of the system menu cannot be
' opened either; each says which browser service it looked for.
SUB FORM_LOAD()
  DIM S AS STRING
  WRITEINI "QuorlConfig", "DevTools", "127.0.0.1:9"
  WRITEINI "QuorlConfig", "Service", "Mosaic"
  IF (OPENURL("http://127.0.0.1:9/", "")) THEN
    MSG "opened"
  ELSE
    MSG "not opened"
  ENDIF
  S = "unchanged"
  S = WEBNAME
  MSG S
END SUB
' args: --events browser_absent.events
' stdin: Yes
' expect: Quorl: This Quorl program is attempting to write configuration information.
' expect: Allow it to continue?
' expect: Quorl: Could not connect with:  Mosaic
' expect: Please start your web browser and try again.
' expect: Message: not opened
' expect: Quorl: No page opened or browser not running:  Mosaic
' expect: Please start your web browser or open a page and try again.
' expect: Message: unchanged
' expect: Quorl: Could not connect with:  Mosaic
' expect: Please start your web browser and try again.
