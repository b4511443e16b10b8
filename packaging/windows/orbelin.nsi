; The Windows setup: orbelin-<version>-setup.exe, built by scripts/package-windows.sh with
;   makensis -DVERSION=x.y.z -DLICENCE=Apache-2.0 -DSTAGE=<unpacked zip folder> -DOUTFILE=<exe>
; Per user by default (%LOCALAPPDATA%\Programs\Orbelin, HKCU); for all users under Program
; Files (HKLM) when the user chooses so in a setup run elevated, or with /AllUsers. /S is
; silent. The program keeps its settings in %APPDATA%\Orbelin, which neither install,
; upgrade nor uninstall touch.

!ifndef VERSION | LICENCE | STAGE | OUTFILE
  !error "VERSION, LICENCE, STAGE and OUTFILE must be defined"
!endif

; A 64-bit setup for the 64-bit programs: it needs no 32-bit subsystem and sees the
; system's own registry and Program Files.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
Name "Orbelin"
OutFile "${OUTFILE}"
BrandingText "Orbelin ${VERSION} (${LICENCE})"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbelin"
!define SETTINGS_KEY "Software\Orbelin"
!define PUBLISHER "The Orbelin developers"

; Elevation is never asked for: run elevated, the setup offers the all-users choice.
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_EXECUTIONLEVEL_ALLUSERS
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Orbelin"
; An upgrade goes where the last install went.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\orbelin.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licenses\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The pages follow the system's language: Japanese on a Japanese Windows, English (the
; first, which NSIS falls back on) on any other.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Orbelin"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Orbelin setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${LICENCE}"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Orbelin" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; An upgrade replaces every shipped file; nothing the program writes lives here.
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Orbelin.lnk" "$INSTDIR\orbelin.exe"

  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Orbelin"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orbelin.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  ; The program folder (%APPDATA%\Orbelin: settings, logs) stays, as the user's data.
  Delete "$SMPROGRAMS\Orbelin.lnk"
  ; What the setup put there, by name and kind, so that a folder chosen with other files
  ; in it keeps them.
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\QELT.PDF"
  Delete "$INSTDIR\qelt.html"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\licenses"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${SETTINGS_KEY}"
  ; The shortcut the program's menu puts in the user's Startup folder would start a
  ; program that is gone (last: this changes what SHCTX means).
  SetShellVarContext current
  Delete "$SMSTARTUP\Orbelin.lnk"
SectionEnd
