; What the installer adds besides the files, and what the uninstaller takes away: the editor in the
; Start menu, and saved games (*.dkv) offered to it. SHCTX is the machine's part of the registry
; when the installer runs for all users, as an administrator, and the user's otherwise: the same
; part that holds the uninstaller's own entry.

!define VELMOR_PROGID "Velmor.SavedGame"
!define VELMOR_CLASSES "Software\Classes"
!define VELMOR_SHORTCUT "Velmor Saved Game Editor.lnk"

; In the folder chosen on the Start menu page (ours by default), beside the uninstaller's.
!macro CreateStartMenuEntry
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\${VELMOR_SHORTCUT}" "$INSTDIR\velmor-editor.exe"
!macroend

; $MUI_TEMP is the folder the installer used, as the uninstaller reads it back.
!macro DeleteStartMenuEntry
  Delete "$SMPROGRAMS\$MUI_TEMP\${VELMOR_SHORTCUT}"
!macroend

; The editor is always registered under the type, so that Explorer's "Open with" offers it. It
; becomes the program that opens saved games only when no other program is: the game or the
; player may have chosen one, and an installer should not take that away.
!macro RegisterSavedGames
  WriteRegStr SHCTX "${VELMOR_CLASSES}\${VELMOR_PROGID}" "" "Velmor saved game"
  WriteRegStr SHCTX "${VELMOR_CLASSES}\${VELMOR_PROGID}\DefaultIcon" "" "$INSTDIR\velmor-editor.exe,0"
  WriteRegStr SHCTX "${VELMOR_CLASSES}\${VELMOR_PROGID}\shell\open\command" "" \
    '"$INSTDIR\velmor-editor.exe" "%1"'
  WriteRegStr SHCTX "${VELMOR_CLASSES}\.dkv\OpenWithProgids" "${VELMOR_PROGID}" ""
  ; The name "Open with" shows, and the types the editor opens.
  WriteRegStr SHCTX "${VELMOR_CLASSES}\Applications\velmor-editor.exe" "FriendlyAppName" \
    "Velmor Saved Game Editor"
  WriteRegStr SHCTX "${VELMOR_CLASSES}\Applications\velmor-editor.exe\SupportedTypes" ".dkv" ""
  WriteRegStr SHCTX "${VELMOR_CLASSES}\Applications\velmor-editor.exe\shell\open\command" "" \
    '"$INSTDIR\velmor-editor.exe" "%1"'
  ; HKCR is the user's and the machine's choices together.
  ReadRegStr $0 HKCR ".dkv" ""
  StrCmp $0 "" 0 +2
    WriteRegStr SHCTX "${VELMOR_CLASSES}\.dkv" "" "${VELMOR_PROGID}"
  ; Explorer reads the types again.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; Takes away what RegisterSavedGames added, and nothing that another program put beside it.
!macro UnregisterSavedGames
  DeleteRegKey SHCTX "${VELMOR_CLASSES}\${VELMOR_PROGID}"
  DeleteRegKey SHCTX "${VELMOR_CLASSES}\Applications\velmor-editor.exe"
  DeleteRegValue SHCTX "${VELMOR_CLASSES}\.dkv\OpenWithProgids" "${VELMOR_PROGID}"
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${VELMOR_CLASSES}\.dkv\OpenWithProgids"
  ReadRegStr $0 SHCTX "${VELMOR_CLASSES}\.dkv" ""
  StrCmp $0 "${VELMOR_PROGID}" 0 +2
    DeleteRegValue SHCTX "${VELMOR_CLASSES}\.dkv" ""
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${VELMOR_CLASSES}\.dkv"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; CPack keeps the installation folder under Software\VENDOR\KEY, and its uninstaller takes away
; KEY alone: VENDOR goes too once nothing else is in it.
Function un.onUninstSuccess
  DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\${VELMOR_VENDOR}"
FunctionEnd
