; The Windows installer of Tallywise, built by scripts/package.sh, which
; defines VERSION (1.2.0), VERSION_FOUR_PART (1.2.0.0), HOME_PAGE (the About
; box's web address), STAGE (the folder holding the four files to install),
; ICON (the program's icon) and OUTFILE.
;
; It installs for all users into Program Files and registers itself with
; Apps & Features in HKLM, so it asks to run as administrator. The programs
; it installs ask for nothing: see app/Tallywise.manifest.in.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
; The installed files get the time they were installed, not the build's.
SetDateSave off

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallywise"

Name "Tallywise ${VERSION}"
OutFile "${OUTFILE}"
; An earlier version's folder, so that installing again replaces it in place.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
InstallDir "$PROGRAMFILES\Tallywise"

VIProductVersion "${VERSION_FOUR_PART}"
VIFileVersion "${VERSION_FOUR_PART}"
VIAddVersionKey /LANG=0 "ProductName" "Tallywise"
VIAddVersionKey /LANG=0 "CompanyName" "Quillbright"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 Quillbright"
VIAddVersionKey /LANG=0 "FileDescription" "Tallywise ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Tallywise"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\Tallywise.exe"
  File "${STAGE}\tallywise-eval.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tallywise.lnk" "$INSTDIR\Tallywise.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tallywise"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quillbright"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tallywise.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: the folder goes only
; when it is empty, and the settings file below the Windows directory (or in
; the user's VirtualStore) stays for a later installation.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tallywise.lnk"
  Delete "$INSTDIR\Tallywise.exe"
  Delete "$INSTDIR\tallywise-eval.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
