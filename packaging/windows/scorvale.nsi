; The Scorvale installer: the folder scripts/windows.sh installs (DIST), a
; Start-menu entry, the .svl file type opening in scorvale.exe with its icon,
; and an uninstaller that removes all of it.
; makensis -DVERSION=1.2.3.4 -DDIST=<folder> -DOUTFILE=<exe> scorvale.nsi
; A 64-bit installer like the program: it runs where 32-bit programs cannot.
Target amd64-unicode
!include "MUI2.nsh"

!ifndef VERSION | DIST | OUTFILE
  !error "VERSION, DIST and OUTFILE are required"
!endif

!define APP "Scorvale"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define FILE_TYPE "Scorvale.Game"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "Software\${APP}" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${APP}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${APP}"

!define MUI_ICON "${DIST}/scorvale.ico"
!define MUI_UNICON "${DIST}/scorvale.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\scorvale.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${DIST}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "Software\${APP}" "InstallDir" "$INSTDIR"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\scorvale.exe" "" "$INSTDIR\scorvale.exe" 0

  ; .svl opens in Scorvale and shows its icon.
  WriteRegStr HKLM "Software\Classes\.svl" "" "${FILE_TYPE}"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}" "" "${APP} ゲームファイル"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\scorvale.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\scorvale.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scorvale.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}.lnk"
  ; The file type only while it is still ours.
  ReadRegStr $0 HKLM "Software\Classes\.svl" ""
  StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.svl"
  DeleteRegKey HKLM "Software\Classes\${FILE_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\${APP}"
  RMDir /r "$INSTDIR"
SectionEnd
