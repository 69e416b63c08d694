; The Windows installer of Tallywise, built by scripts/package.sh, which
; defines RELEASE_INFO (the build's tallywise-release.nsh: the version and who
; makes the program), STAGE (the folder holding the four files to install),
; ICON (the program's icon) and OUTFILE.
;
; It installs for all users into Program Files and registers itself with
; Apps & Features in HKLM, so it asks to run as administrator. The programs
; it installs ask for nothing: see app/Tallywise.manifest.in.
;
; Exit statuses, of the installer and of the uninstaller (docs/README.txt
; tells users): 0 done; 1 cancelled by the user; 2 stopped by an error;
; 3 Tallywise or tallywise-eval is running from the install folder, nothing
; changed; 4 (installer) a newer version is installed, nothing changed.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
; The installed files get the time they were installed, not the build's.
SetDateSave off
; A file that cannot be written stops the installation instead of being
; skipped: an installation never claims a version whose files it did not write.
AllowSkipFiles off

!include "${RELEASE_INFO}"
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PROGRAM_NAME}"
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_NEWER_INSTALLED 4

Name "${PROGRAM_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PROGRAM_NAME} ${VERSION}"
; An earlier version's folder, so that installing again replaces it in place.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
InstallDir "$PROGRAMFILES\${PROGRAM_NAME}"

; The elevation prompt and the task list show a program's description.
; makensis gives the uninstaller the installer's version record; then
; describe-uninstaller.sh swaps the description in the uninstaller for one of
; the same length, for which the installer's ends in blanks.
!define SETUP_DESCRIPTION "${PROGRAM_NAME} ${VERSION} Setup    "
!define UNINSTALL_DESCRIPTION "${PROGRAM_NAME} ${VERSION} Uninstall"
!uninstfinalize 'bash "${__FILEDIR__}/describe-uninstaller.sh" "%1" "${SETUP_DESCRIPTION}" "${UNINSTALL_DESCRIPTION}"' = 0

VIProductVersion "${VERSION_FOUR_PART}"
VIFileVersion "${VERSION_FOUR_PART}"
VIAddVersionKey /LANG=0 "ProductName" "${PROGRAM_NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${LEGAL_NOTICE}"
VIAddVersionKey /LANG=0 "FileDescription" "${SETUP_DESCRIPTION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; No "Run Tallywise" on the finish page: started by the elevated installer it
; would write its settings into the Windows folder itself instead of the
; user's VirtualStore.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; A running program holds its file: Windows lets nobody open it for writing.
; Sets $0 to the name of the first installed program that is running, or to
; "" when none is.
!macro RUNNING_PROGRAM_FUNCTION UN
Function ${UN}RunningProgram
  StrCpy $0 ""
  ${If} ${FileExists} "$INSTDIR\Tallywise.exe"
    ClearErrors
    FileOpen $1 "$INSTDIR\Tallywise.exe" a
    ${If} ${Errors}
      StrCpy $0 "${PROGRAM_NAME}"
      Return
    ${EndIf}
    FileClose $1
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\tallywise-eval.exe"
    ClearErrors
    FileOpen $1 "$INSTDIR\tallywise-eval.exe" a
    ${If} ${Errors}
      StrCpy $0 "tallywise-eval"
    ${Else}
      FileClose $1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Asks to close a running program until it is closed or the user cancels;
; silently it cancels at once. Cancelling ends with nothing changed.
Function ${UN}WaitUntilProgramsClosed
  ${Do}
    Call ${UN}RunningProgram
    ${IfThen} $0 == "" ${|} Return ${|}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$0 is running from $INSTDIR.$\r$\n$\r$\nClose it, then click Retry. Cancel leaves everything as it is." /SD IDCANCEL IDRETRY`
      DetailPrint "$0 is running from $INSTDIR; nothing was changed."
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Abort
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro RUNNING_PROGRAM_FUNCTION ""
!insertmacro RUNNING_PROGRAM_FUNCTION "un."

; An older installer asks before it replaces a newer version, and silently
; leaves it alone.
Function .onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} "$0" "${VERSION}" $1
    ${If} $1 == 1
      ${IfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "${PROGRAM_NAME} $0 is installed, which is newer than this version, ${VERSION}.$\r$\n$\r$\nReplace it with the older version ${VERSION}?" /SD IDNO IDYES`
        SetErrorLevel ${EXIT_NEWER_INSTALLED}
        Quit
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Tallywise"
  SetShellVarContext all
  Call WaitUntilProgramsClosed
  SetOutPath "$INSTDIR"
  File "${STAGE}\Tallywise.exe"
  File "${STAGE}\tallywise-eval.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PROGRAM_NAME}.lnk" "$INSTDIR\Tallywise.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PROGRAM_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tallywise.exe,-${ICON_ID}"
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
; the user's VirtualStore) stays for a later installation. The programs go
; first: should one of them still be held open, the shortcut, the uninstaller
; and the Apps & Features entry stay with it, so it can be uninstalled later.
Section "Uninstall"
  SetShellVarContext all
  Call un.WaitUntilProgramsClosed
  Delete "$INSTDIR\Tallywise.exe"
  Delete "$INSTDIR\tallywise-eval.exe"
  ${If} ${FileExists} "$INSTDIR\Tallywise.exe"
  ${OrIf} ${FileExists} "$INSTDIR\tallywise-eval.exe"
    DetailPrint "A program in $INSTDIR could not be removed."
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The shortcut and the entry belong to the latest installation, which may
  ; be in another folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${PROGRAM_NAME}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
