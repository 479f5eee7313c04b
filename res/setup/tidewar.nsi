; The setup: installs the 32-bit Tidewar for the current user, without administrator rights.
; Built by scripts/dist: makensis -INPUTCHARSET UTF8 -DVERSION=2.2 -DFILEVERSION=2.2.0.0
; -DSTAGE=<folder of the 32-bit package> -DOUTFILE=<setup.exe> res/setup/tidewar.nsi
;
; NSIS, because Debian packages its makensis, it runs and is tested under Wine, its Modern UI
; speaks Russian, German and English and picks the one of Windows' interface by itself, a
; per-user setup needs nothing but "RequestExecutionLevel user", and /S makes both the setup and
; its uninstaller silent. An .msi (msitools' wixl) would need Windows Installer's tables for
; the shortcut, the Installed-apps entry and the question at uninstall, and gives no pages of
; its own.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewar"
; The game's own settings and statistics; a reinstall never touches them.
!define SETTINGS_KEY "Software\Quorvex Software\Tidewar"

Name "Tidewar ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tidewar"
; A newer version goes where the older one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quorvex Software"

VIProductVersion "${FILEVERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Tidewar"
VIAddVersionKey /LANG=0 "CompanyName" "Quorvex Software"
VIAddVersionKey /LANG=0 "FileDescription" "Tidewar ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Quorvex Software"

!define MUI_ICON "../tidewar.ico"   ; makensis works in the script's folder
!define MUI_UNICON "${MUI_ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "wizard.bmp"   ; tools/art paints it
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tidewar.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for a Windows of any other language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "German"

LangString GameSection ${LANG_ENGLISH} "Tidewar (game, help, night skin and tune)"
LangString GameSection ${LANG_RUSSIAN} "Tidewar (игра, справка, ночная тема и музыка)"
LangString GameSection ${LANG_GERMAN} "Tidewar (Spiel, Hilfe, Nacht-Skin und Musik)"
LangString DesktopSection ${LANG_ENGLISH} "Shortcut on the desktop"
LangString DesktopSection ${LANG_RUSSIAN} "Ярлык на рабочем столе"
LangString DesktopSection ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString RemoveSettings ${LANG_ENGLISH} "Remove Tidewar's settings and statistics (your wins and losses) as well?"
LangString RemoveSettings ${LANG_RUSSIAN} "Удалить также настройки и статистику Tidewar (ваши победы и поражения)?"
LangString RemoveSettings ${LANG_GERMAN} "Auch die Einstellungen und die Statistik von Tidewar (Ihre Siege und Niederlagen) löschen?"

; Every file of the game, once: the setup puts each in place, the uninstaller removes each, so
; that a folder the player chose is never emptied of anything else.
!macro GameFiles Do
  !insertmacro ${Do} tidewar.exe
  !insertmacro ${Do} tidewar.hlp
  !insertmacro ${Do} tidewar.chm
  !insertmacro ${Do} tidewar-ru.hlp
  !insertmacro ${Do} tidewar-ru.chm
  !insertmacro ${Do} tidewar-de.hlp
  !insertmacro ${Do} tidewar-de.chm
  !insertmacro ${Do} night.dll
  !insertmacro ${Do} tidewar.mid
  !insertmacro ${Do} readme.txt
!macroend
!macro PutFile Name
  File "${STAGE}/${Name}"
!macroend
!macro RemoveFile Name
  Delete "$INSTDIR\${Name}"
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "$(GameSection)" Game
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro GameFiles PutFile
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tidewar.lnk" "$INSTDIR\tidewar.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tidewar"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quorvex Software"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tidewar.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; Installed apps shows the size in KB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(DesktopSection)" Desktop
  CreateShortcut "$DESKTOP\Tidewar.lnk" "$INSTDIR\tidewar.exe"
SectionEnd

Section "Uninstall"
  !insertmacro GameFiles RemoveFile
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tidewar.lnk"
  Delete "$DESKTOP\Tidewar.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Silent uninstall keeps them, as does a player who does not answer Yes.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Quorvex Software"
keep:
SectionEnd
