; The uninstaller of Tallywise, Uninstall.exe in the install folder, built by
; scripts/package.sh before the installer, which carries it; the defines are
; the installer's (RELEASE_INFO, ICON, OUTFILE).
;
; "Uninstall.exe /S" is what Windows and the package managers run, and they
; take its exit status as the outcome: it does the work in its own process and
; ends only when it is done, with the statuses of installer/Common.nsh (0 only
; once the files, the shortcut and the Apps & Features entry are gone; 3 with
; nothing removed while a program runs from the folder). The folder is its
; own, or the one named by "_?=FOLDER", last on the command line.
;
; It is built as an installer of NSIS, not as NSIS's own uninstaller: that one
; starts a copy of itself from the temporary folder and ends at once with
; status 0, before any of the work is done and whatever becomes of it.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
AllowSkipFiles off

!include "${RELEASE_INFO}"
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "${__FILEDIR__}\Common.nsh"

Name "${PROGRAM_NAME} ${VERSION}"
Caption "${PROGRAM_NAME} Uninstall"
OutFile "${OUTFILE}"
BrandingText "${PROGRAM_NAME} ${VERSION}"

; The elevation prompt and the task list show the description.
VIProductVersion "${VERSION_FOUR_PART}"
VIFileVersion "${VERSION_FOUR_PART}"
VIAddVersionKey /LANG=0 "ProductName" "${PROGRAM_NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${LEGAL_NOTICE}"
VIAddVersionKey /LANG=0 "FileDescription" "${PROGRAM_NAME} ${VERSION} Uninstall"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_PAGE_HEADER_TEXT "Uninstalling"
!define MUI_PAGE_HEADER_SUBTEXT "Please wait while ${PROGRAM_NAME} is removed."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Uninstallation Complete"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "${PROGRAM_NAME} was removed."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Uninstallation Stopped"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "${PROGRAM_NAME} was not removed."
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Given to the copy started as administrator: the process that started it,
; whose file is the same and which ends after it.
!define CALLER_SWITCH "/Caller="
Var CallerProcess

; Sets $2 to the folder named after "_?=" in the parameters $1: all the rest
; of them, blanks and underscores included, as a folder may hold them; "" when
; there is no "_?=".
Function FolderAfterSwitch
  StrCpy $2 ""
  StrLen $4 $1
  StrCpy $5 0
  ${DoWhile} $5 < $4
    StrCpy $6 $1 3 $5
    IntOp $7 $5 - 1
    ${If} $6 == "_?="
      ${If} $5 == 0
        StrCpy $2 $1 "" 3
        Return
      ${EndIf}
      StrCpy $7 $1 1 $7
      ${If} $7 == " "
        IntOp $5 $5 + 3
        StrCpy $2 $1 "" $5
        Return
      ${EndIf}
    ${EndIf}
    IntOp $5 $5 + 1
  ${Loop}
FunctionEnd

; The folder is the uninstaller's own unless _?= names one; the scope is the
; one whose entry names the folder, and an all-users installation needs an
; administrator to be removed.
Function .onInit
  ${GetParameters} $1
  Call FolderAfterSwitch
  ${If} $2 == ""
    StrCpy $INSTDIR $EXEDIR
  ${Else}
    StrCpy $INSTDIR $2
  ${EndIf}

  ClearErrors
  ${GetOptions} $1 "/RemoveAfter=" $0
  ${IfNot} ${Errors}
    ${GetOptions} $1 "/AndAfter=" $1
    ; The numbers stand first in the values, which may run on.
    IntOp $0 $0 + 0
    IntOp $1 $1 + 0
    Call RemoveWhenEnded
    Quit
  ${EndIf}
  StrCpy $CallerProcess 0
  ClearErrors
  ${GetOptions} $1 "${CALLER_SWITCH}" $0
  ${IfNot} ${Errors}
    IntOp $CallerProcess $0 + 0
  ${EndIf}

  ; Asked once, before the start as administrator, whose copy asks no more.
  !insertmacro HAS_SWITCH "${ELEVATED_SWITCH}" $3
  ${If} $3 == 0
    ${IfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "Remove ${PROGRAM_NAME} from $INSTDIR?$\r$\n$\r$\nYour settings stay for a later installation." /SD IDYES IDYES`
      SetErrorLevel ${EXIT_CANCELLED}
      Quit
    ${EndIf}
  ${EndIf}

  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
    ${AndIf} $3 == 0
      ; The same parameters, _?= among them: the copy works on this folder.
      System::Call 'kernel32::GetCurrentProcessId() i .r0'
      Push "${ELEVATED_SWITCH} ${CALLER_SWITCH}$0 $1"
      Call RunElevated
    ${EndIf}
  ${EndIf}

FunctionEnd

; A running program's file cannot be deleted. When this uninstaller runs from
; the folder it removes, a copy of it in the temporary folder removes its file
; and the then empty folder once it has ended (and the process that started
; it as administrator, which runs from the same file): it waits on handles
; that it inherits, given as /RemoveAfter= and /AndAfter=. The copy stays in
; the temporary folder until Windows next starts, as NSIS's own uninstallers
; leave theirs.
!define SYNCHRONIZE 0x00100000
Function RemoveThisUninstallerOnceEnded
  ${If} $EXEPATH != "$INSTDIR\Uninstall.exe"
    Delete "$INSTDIR\Uninstall.exe"
    Return
  ${EndIf}
  GetTempFileName $3
  ClearErrors
  CopyFiles /SILENT "$EXEPATH" $3
  ${If} ${Errors}
    DetailPrint "$INSTDIR\Uninstall.exe stays: no copy could be made to remove it."
    Return
  ${EndIf}
  System::Call 'kernel32::GetCurrentProcessId() i .r4'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 1, i r4) p .r5'
  StrCpy $6 0
  ${If} $CallerProcess != 0
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 1, i $CallerProcess) p .r6'
  ${EndIf}
  StrCpy $9 '"$3" /S /RemoveAfter=$5 /AndAfter=$6 _?=$INSTDIR'
  ; STARTUPINFOW (68 bytes) and PROCESS_INFORMATION.
  System::Call '*(i 68, p 0, p 0, p 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, &i2 0, &i2 0, p 0, p 0, p 0, p 0) p .r7'
  System::Call '*(p 0, p 0, i 0, i 0) p .r8'
  System::Call 'kernel32::CreateProcessW(p 0, w r9, p 0, p 0, i 1, i 0, p 0, p 0, p r7, p r8) i .r0'
  ${If} $0 != 0
    System::Call '*$8(p .r1, p .r2)'
    System::Call 'kernel32::CloseHandle(p r1)'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    Delete $3
    DetailPrint "$INSTDIR\Uninstall.exe stays: its remover did not start."
  ${EndIf}
  System::Free $7
  System::Free $8
  System::Call 'kernel32::CloseHandle(p r5)'
  ${If} $6 != 0
    System::Call 'kernel32::CloseHandle(p r6)'
  ${EndIf}
FunctionEnd

; The copy's work: the two processes end, then the file and the folder go.
Function RemoveWhenEnded
  System::Call 'kernel32::WaitForSingleObject(p r0, i -1)'
  System::Call 'kernel32::CloseHandle(p r0)'
  ${If} $1 != 0
    System::Call 'kernel32::WaitForSingleObject(p r1, i -1)'
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete /REBOOTOK "$EXEPATH"
FunctionEnd

!macro RemoveProgram FILE NAME
  Delete "$INSTDIR\${FILE}"
!macroend

; Sets $0 to the name of a program that is still there.
!macro NoteProgramLeft FILE NAME
  ${IfThen} ${FileExists} "$INSTDIR\${FILE}" ${|} StrCpy $0 "${NAME}" ${|}
!macroend

; Removes what the installer put there and nothing else: the folder goes only
; when it is empty, and the settings file below the Windows directory (or in
; the user's VirtualStore) stays for a later installation. The programs go
; first: should one of them still be held open, the shortcut, the uninstaller
; and the Apps & Features entry stay with it, so it can be uninstalled later.
Section "-Remove"
  Call WaitUntilProgramsClosed
  !insertmacro ForEachProgram RemoveProgram
  StrCpy $0 ""
  !insertmacro ForEachProgram NoteProgramLeft
  ${If} $0 != ""
    DetailPrint "A program in $INSTDIR could not be removed."
    SetErrorLevel ${EXIT_ERROR}
    Abort
  ${EndIf}
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\tallywise-eval.txt"
  Call RemoveThisUninstallerOnceEnded
  RMDir "$INSTDIR"
  ; The shortcut and the entry belong to the latest installation, which may
  ; be in another folder.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${PROGRAM_NAME}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
