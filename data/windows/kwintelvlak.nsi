; The Windows installer of Kwintelvlak, made with NSIS (makensis) by
; scripts/windows.sh:
;
;   makensis -DVERSIE=1.50 -DMAP=<program folder> -DICOON=<.ico> -DUIT=<setup.exe> kwintelvlak.nsi
;
; It installs for the user who runs it (a pupil's account needs no
; administrator) or, run by an administrator, for every user of the PC;
; /CurrentUser and /AllUsers choose on the command line, /S installs without
; questions. It makes a Start-menu entry, a desktop shortcut, the ".brd" file
; type with its icon (a double-clicked board opens in Kwintelvlak) and an
; uninstaller that removes what it installed and leaves the boards.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSIE | MAP | UIT | ICOON
  !error "gebruik: makensis -DVERSIE=... -DMAP=... -DICOON=... -DUIT=... kwintelvlak.nsi"
!endif

!define NAAM "Kwintelvlak"
!define UITGEVER "Kwintelvlak-ontwikkelaars"
!define SOORT "Kwintelvlak.Bord"
!define VERWIJDER_SLEUTEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kwintelvlak"
!define EIGEN_SLEUTEL "Software\Kwintelvlak"

Name "${NAAM}"
OutFile "${UIT}"
BrandingText "${NAAM} ${VERSIE}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAAM}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${EIGEN_SLEUTEL}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "Map"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${VERWIJDER_SLEUTEL}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "UninstallString"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICOON}"
!define MUI_UNICON "${ICOON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${MAP}/COPYING.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\kwintelvlak.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Kwintelvlak nu starten"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Dutch"

VIProductVersion "${VERSIE}.0.0"
VIAddVersionKey /LANG=${LANG_DUTCH} "ProductName" "${NAAM}"
VIAddVersionKey /LANG=${LANG_DUTCH} "FileDescription" "Installatie van ${NAAM}"
VIAddVersionKey /LANG=${LANG_DUTCH} "FileVersion" "${VERSIE}"
VIAddVersionKey /LANG=${LANG_DUTCH} "CompanyName" "${UITGEVER}"
VIAddVersionKey /LANG=${LANG_DUTCH} "LegalCopyright" "GNU General Public License, versie 3 of later"

; What the installer puts in the program folder; the uninstaller removes
; exactly these, so a board a pupil saved there stays.
!macro BESTANDEN DOE
  ${DOE} "kwintelvlak.exe"
  ${DOE} "kwintelvlak-toets.exe"
  ${DOE} "kwintel.chm"
  ${DOE} "standaard.brd"
  ${DOE} "standaard2.brd"
  ${DOE} "xof.dll"
  ${DOE} "klok.dll"
  ${DOE} "doorgeven.dll"
  ${DOE} "COPYING.txt"
  ${DOE} "LEESMIJ.txt"
!macroend
!define ZET '!insertmacro ZET_BESTAND'
!macro ZET_BESTAND NAAM
  File "${MAP}/${NAAM}"
!macroend
!define WIS '!insertmacro WIS_BESTAND'
!macro WIS_BESTAND NAAM
  Delete "$INSTDIR\${NAAM}"
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Deze versie van ${NAAM} werkt alleen op een 64-bits Windows."
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "${NAAM}" SecProgramma
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro BESTANDEN "${ZET}"
  SetOutPath "$INSTDIR\zwenkels-maken"
  File /r "${MAP}/zwenkels-maken/*.*"
  WriteUninstaller "$INSTDIR\Verwijderen.exe"

  ; Shortcuts start in the user's Documents, where boards are saved; a
  ; standaard.brd there is the class's own, else the one beside the program.
  SetOutPath "$DOCUMENTS"
  CreateShortCut "$SMPROGRAMS\${NAAM}.lnk" "$INSTDIR\kwintelvlak.exe" "" "$INSTDIR\kwintelvlak.exe" 0

  ; The board file type: a double-clicked board opens with its full path.
  WriteRegStr SHCTX "Software\Classes\.brd" "" "${SOORT}"
  WriteRegStr SHCTX "Software\Classes\.brd\OpenWithProgids" "${SOORT}" ""
  WriteRegStr SHCTX "Software\Classes\${SOORT}" "" "Kwintelvlak-bord"
  WriteRegStr SHCTX "Software\Classes\${SOORT}\DefaultIcon" "" "$INSTDIR\kwintelvlak.exe,1"
  WriteRegStr SHCTX "Software\Classes\${SOORT}\shell\open\command" "" '"$INSTDIR\kwintelvlak.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Where it is, for a later installation and for "Apps en onderdelen".
  WriteRegStr SHCTX "${EIGEN_SLEUTEL}" "Map" "$INSTDIR"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "DisplayName" "${NAAM}"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "DisplayVersion" "${VERSIE}"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "Publisher" "${UITGEVER}"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "DisplayIcon" "$INSTDIR\kwintelvlak.exe,0"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "UninstallString" '"$INSTDIR\Verwijderen.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${VERWIJDER_SLEUTEL}" "QuietUninstallString" '"$INSTDIR\Verwijderen.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${VERWIJDER_SLEUTEL}" "NoModify" 1
  WriteRegDWORD SHCTX "${VERWIJDER_SLEUTEL}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${VERWIJDER_SLEUTEL}" "EstimatedSize" $0
SectionEnd

Section "Snelkoppeling op het bureaublad" SecBureaublad
  SetOutPath "$DOCUMENTS"
  CreateShortCut "$DESKTOP\${NAAM}.lnk" "$INSTDIR\kwintelvlak.exe" "" "$INSTDIR\kwintelvlak.exe" 0
SectionEnd

LangString DESC_PROGRAMMA ${LANG_DUTCH} "Het programma, de help, de standaardborden en de voorbeeldzwenkels."
LangString DESC_BUREAUBLAD ${LANG_DUTCH} "Een snelkoppeling naar Kwintelvlak op het bureaublad."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgramma} $(DESC_PROGRAMMA)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecBureaublad} $(DESC_BUREAUBLAD)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  !insertmacro BESTANDEN "${WIS}"
  RMDir /r "$INSTDIR\zwenkels-maken"
  Delete "$INSTDIR\Verwijderen.exe"
  ; The folder goes only when nothing else is left in it: boards stay.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${NAAM}.lnk"
  Delete "$DESKTOP\${NAAM}.lnk"

  ; The file type goes; ".brd" is left alone when another program has taken
  ; it over since.
  ReadRegStr $0 SHCTX "Software\Classes\.brd" ""
  ${If} $0 == "${SOORT}"
    DeleteRegValue SHCTX "Software\Classes\.brd" ""
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\.brd\OpenWithProgids" "${SOORT}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.brd\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.brd"
  DeleteRegKey SHCTX "Software\Classes\${SOORT}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey SHCTX "${VERWIJDER_SLEUTEL}"
  DeleteRegKey SHCTX "${EIGEN_SLEUTEL}"
SectionEnd
