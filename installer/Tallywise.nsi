; The Windows installer of Tallywise, built by scripts/package.sh, which
; defines RELEASE_INFO (the build's tallywise-release.nsh: the version and who
; makes the program), STAGE (the folder holding the files to install),
; UNINSTALLER (Uninstall.exe, built from installer/Uninstall.nsi), ICON (the
; program's icon) and OUTFILE.
;
; It installs in one of two scopes. "Only for me" (/CurrentUser; the choice
; offered first when it is run by hand) needs no administrator: the user's
; own programs folder, %LOCALAPPDATA%\Programs\Tallywise, and the Start menu
; and the Apps & Features entry (HKCU) of that user. "For all users"
; (/AllUsers, and /S alone, as setups before this one did) installs into
; Program Files with the machine's Start menu and entry (HKLM); run without
; an administrator's rights it starts itself again, asking for them. /D=
; chooses the folder in both. The programs it installs ask for nothing: see
; app/Tallywise.manifest.in.
;
; Its exit statuses are listed in installer/Common.nsh.

Unicode true
SetCompressor /SOLID lzma
; Only "For all users" needs an administrator, and asks for one then.
RequestExecutionLevel user
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
!include nsDialogs.nsh
!include "${__FILEDIR__}\Common.nsh"

Name "${PROGRAM_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PROGRAM_NAME} ${VERSION}"
; No InstallDir: $INSTDIR is empty in .onInit unless /D= chose it, and the
; scope then gives its folder (an earlier installation's first).

Var Scope           ; "user" or "machine"
Var ScopeChosen     ; "1" when a switch or the elevated start chose the scope
Var ChosenFolder    ; what /D= gave, or ""
Var OnlyForMeButton
Var ForAllUsersButton

; The elevation prompt and the task list show the description.
VIProductVersion "${VERSION_FOUR_PART}"
VIFileVersion "${VERSION_FOUR_PART}"
VIAddVersionKey /LANG=0 "ProductName" "${PROGRAM_NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${LEGAL_NOTICE}"
VIAddVersionKey /LANG=0 "FileDescription" "${PROGRAM_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
; No "Run Tallywise" on the finish page: started by the elevated installer it
; would write its settings into the Windows folder itself instead of the
; user's VirtualStore.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
Page custom ScopePage ScopePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; Sets the shell folders, the registry root (SHCTX) and, unless /D= chose it,
; the folder for $Scope; "machine" without an administrator's rights starts
; the installer again as administrator.
Function ApplyScope
  ${If} $Scope == "machine"
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      !insertmacro HAS_SWITCH "${ELEVATED_SWITCH}" $1
      ${If} $1 == 0
        StrCpy $2 "${ELEVATED_SWITCH} /AllUsers"
        ${IfThen} ${Silent} ${|} StrCpy $2 "/S $2" ${|}
        ${IfThen} $ChosenFolder != "" ${|} StrCpy $2 "$2 /D=$ChosenFolder" ${|}
        Push $2
        Call RunElevated
      ${EndIf}
    ${EndIf}
    SetShellVarContext all
    StrCpy $0 "$PROGRAMFILES\${PROGRAM_NAME}"
  ${Else}
    SetShellVarContext current
    StrCpy $0 "$LOCALAPPDATA\Programs\${PROGRAM_NAME}"
  ${EndIf}
  ${If} $ChosenFolder != ""
    StrCpy $INSTDIR $ChosenFolder
  ${Else}
    ; An earlier version's folder, so that installing again replaces it in place.
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $1 != "" ${|} StrCpy $0 $1 ${|}
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

; Tallywise installed in the other scope would stay beside this one, with a
; second Start-menu entry and a second Apps & Features entry: the installer
; says so and changes nothing, so that the user removes one first. An older
; installer asks before it replaces a newer version, and silently leaves it
; alone.
Function CheckInstalledVersions
  ${If} $Scope == "machine"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "only for you"
    StrCpy $2 "for all users"
  ${Else}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "for all users"
    StrCpy $2 "only for you"
  ${EndIf}
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "${PROGRAM_NAME} is already installed $1, in $0.$\r$\n$\r$\nTo install it $2, first uninstall that installation in Settings > Apps. Nothing was changed." /SD IDOK
    SetErrorLevel ${EXIT_OTHER_SCOPE_INSTALLED}
    Quit
  ${EndIf}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "DisplayVersion"
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

; The scope comes from /CurrentUser or /AllUsers; silently, without either,
; it is all users, as in the setups before the choice existed; by hand the
; scope page asks, offering the scope of an earlier installation or else
; "Only for me".
Function .onInit
  StrCpy $ChosenFolder $INSTDIR
  StrCpy $ScopeChosen 1
  !insertmacro HAS_SWITCH "/CurrentUser" $0
  !insertmacro HAS_SWITCH "/AllUsers" $1
  ${If} $0 == 1
    StrCpy $Scope "user"
  ${ElseIf} $1 == 1
  ${OrIf} ${Silent}
    StrCpy $Scope "machine"
  ${Else}
    StrCpy $ScopeChosen 0
    ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $Scope "user"
    ${IfThen} $2 != "" ${|} StrCpy $Scope "machine" ${|}
  ${EndIf}
  Call ApplyScope
  ${IfThen} $ScopeChosen == 1 ${|} Call CheckInstalledVersions ${|}
FunctionEnd

Function SkipWhenElevated
  !insertmacro HAS_SWITCH "${ELEVATED_SWITCH}" $0
  ${IfThen} $0 == 1 ${|} Abort ${|}
FunctionEnd

Function ScopePage
  ${IfThen} $ScopeChosen == 1 ${|} Abort ${|}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install ${PROGRAM_NAME}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install ${PROGRAM_NAME} only for you, or for everyone who uses this computer (this needs an administrator)."
  Pop $0
  ${NSD_CreateRadioButton} 10u 32u 280u 12u "Only for &me"
  Pop $OnlyForMeButton
  ${NSD_CreateRadioButton} 10u 50u 280u 12u "For &all users"
  Pop $ForAllUsersButton
  ${If} $Scope == "machine"
    ${NSD_Check} $ForAllUsersButton
  ${Else}
    ${NSD_Check} $OnlyForMeButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $ForAllUsersButton $0
  StrCpy $Scope "user"
  ${IfThen} $0 == ${BST_CHECKED} ${|} StrCpy $Scope "machine" ${|}
  Call ApplyScope
  Call CheckInstalledVersions
FunctionEnd

!macro InstallProgram FILE NAME
  File "${STAGE}\${FILE}"
!macroend

Section "Tallywise"
  Call WaitUntilProgramsClosed
  SetOutPath "$INSTDIR"
  !insertmacro ForEachProgram InstallProgram
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\tallywise-eval.txt"
  File /oname=Uninstall.exe "${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PROGRAM_NAME}.lnk" "$INSTDIR\Tallywise.exe"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PROGRAM_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tallywise.exe,-${ICON_ID}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd
