; What the installer (Tallywise.nsi) and the uninstaller (Uninstall.nsi)
; share: the Apps & Features entry, the exit statuses, the look for a running
; program, the reading of switches and the start as administrator.
;
; Exit statuses, of the installer and of the uninstaller (docs/README.txt
; tells users): 0 done; 1 cancelled by the user; 2 stopped by an error;
; 3 Tallywise or tallywise-eval is running from the install folder, nothing
; changed; 4 (installer) a newer version is installed, nothing changed;
; 5 (installer) Tallywise is installed in the other scope, nothing changed.

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PROGRAM_NAME}"
!define EXIT_CANCELLED 1
!define EXIT_ERROR 2
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_NEWER_INSTALLED 4
!define EXIT_OTHER_SCOPE_INSTALLED 5
; Given to the copy started as administrator, so that it neither asks again
; nor shows what the user has seen.
!define ELEVATED_SWITCH "/Elevated"

; The programs in the install folder, each with the name a message calls it
; by: installing, removing and the look for a running program all go through
; this one list. DO is a macro that takes the file's name and the program's.
!macro ForEachProgram DO
  !insertmacro ${DO} "Tallywise.exe" "${PROGRAM_NAME}"
  !insertmacro ${DO} "tallywise-eval.exe" "tallywise-eval"
!macroend

; A running program holds its file: Windows lets nobody open it for writing.
!macro NoteProgramRunning FILE NAME
  ${If} $0 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${FILE}"
    ClearErrors
    FileOpen $1 "$INSTDIR\${FILE}" a
    ${If} ${Errors}
      StrCpy $0 "${NAME}"
    ${Else}
      FileClose $1
    ${EndIf}
  ${EndIf}
!macroend

; Sets $0 to the name of the first installed program that is running, or to
; "" when none is.
Function RunningProgram
  StrCpy $0 ""
  !insertmacro ForEachProgram NoteProgramRunning
FunctionEnd

; Asks to close a running program until it is closed or the user cancels;
; silently it cancels at once. Cancelling ends with nothing changed.
Function WaitUntilProgramsClosed
  ${Do}
    Call RunningProgram
    ${IfThen} $0 == "" ${|} Return ${|}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$0 is running from $INSTDIR.$\r$\n$\r$\nClose it, then click Retry. Cancel leaves everything as it is." /SD IDCANCEL IDRETRY`
      DetailPrint "$0 is running from $INSTDIR; nothing was changed."
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Abort
    ${EndIf}
  ${Loop}
FunctionEnd

; Whether a switch is among the parameters ("/AllUsers").
!macro HAS_SWITCH SWITCH RESULT
  ${GetParameters} $R9
  ClearErrors
  ${GetOptions} "$R9" "${SWITCH}" $R8
  ${If} ${Errors}
    StrCpy ${RESULT} 0
  ${Else}
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

; Starts this program again as administrator with the given parameters,
; waits for it and ends with its status: 1 when the user declines.
Function RunElevated
  Pop $R0  ; the parameters
  ; SHELLEXECUTEINFO with SEE_MASK_NOCLOSEPROCESS, to wait for the process.
  System::Call '*(i 60, i 0x40, p $HWNDPARENT, t "runas", t "$EXEPATH", t "$R0", p 0, i 1, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .R1'
  System::Call 'shell32::ShellExecuteExW(p R1) i .R2'
  ${If} $R2 == 0
    System::Free $R1
    SetErrorLevel ${EXIT_CANCELLED}
    Quit
  ${EndIf}
  System::Call '*$R1(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .R3)'
  System::Free $R1
  System::Call 'kernel32::WaitForSingleObject(p R3, i -1)'
  System::Call 'kernel32::GetExitCodeProcess(p R3, *i .R4)'
  System::Call 'kernel32::CloseHandle(p R3)'
  SetErrorLevel $R4
  Quit
FunctionEnd
