; The Windows installer: brindlepath-setup.exe, built by makensis from the build's program folder.
;   makensis -DVERSION=1.0.0 -DPROGRAM_DIR=... -DTEMPLATES=...nsh
;            -DOUTFILE=.../brindlepath-setup.exe installer/brindlepath.nsi
; (installer/CMakeLists.txt runs it as the target brindlepath-setup.)
; Per-user by default, into %LOCALAPPDATA%\Programs\brindlepath, without administrator rights.
; Choosing "everyone on this computer" starts the installer again with administrator rights
; and installs into Program Files. Silent: /S [/AllUsers] [/D=FOLDER] (/D last, unquoted).
Unicode true
SetCompressor /SOLID lzma

!ifndef VERSION | PROGRAM_DIR | OUTFILE | TEMPLATES
  !error "VERSION, PROGRAM_DIR, OUTFILE and TEMPLATES must be defined (-DNAME=VALUE)"
!endif
; TEMPLATES names a file the build writes: the macro TEMPLATE_FILES COMMAND FOLDER, which
; applies COMMAND to each ready-made report file (definition and spreadsheet template), so
; the uninstaller removes exactly what the installer put there.
!include "${TEMPLATES}"

!define APP brindlepath
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

; The installer itself never asks for rights; only the machine-wide choice does (see below).
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
; A later installation goes where the earlier one went.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!define MUI_ICON "${PROGRAM_DIR}\brindlepath.ico"
!define MUI_UNICON "${PROGRAM_DIR}\brindlepath.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\brindlepath-help.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help page"
; The last page offers the program's integration dialog, which places its command in the
; host; unticked, since it starts the host's automation. A silent install shows no pages and
; so never runs it.
!define MUI_FINISHPAGE_RUN "$INSTDIR\brindlepath.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--integrate"
!define MUI_FINISHPAGE_RUN_TEXT "Place brindlepath in ACT!'s toolbar and Tools menu"
!define MUI_FINISHPAGE_RUN_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
Page custom InstallModePage InstallModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var ModeAllUsers
Var ModeCurrentUser
Var ChosenDir

Function .onInit
  ; MultiUser sets the default folder; a folder given with /D wins over it.
  StrCpy $ChosenDir $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $ChosenDir != ""
    StrCpy $INSTDIR $ChosenDir
  ${EndIf}
FunctionEnd

; The copy that installs for everyone runs with administrator rights, and so would the
; program it starts: an elevated program may not reach the host the user runs. The user places
; the command from the program's Options menu instead.
Function FinishPageShow
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${NSD_Uncheck} $mui.FinishPage.Run
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

; Just me (the default, no rights needed) or everyone (Program Files, asks for rights).
; FIXME: a report writes data.CSV into the program folder, which users may not change in
; Program Files; until it moves to a folder of the user's, reports want the per-user install.
Function InstallModePage
  ; Started again with rights for the machine-wide choice: that choice is made.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install ${APP}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install ${APP} for yourself only, or for everyone who uses this computer. Installing for everyone needs administrator rights."
  Pop $0
  ${NSD_CreateRadioButton} 10u 36u -10u 12u "Only for me (no administrator rights needed)"
  Pop $ModeCurrentUser
  ${NSD_CreateRadioButton} 10u 54u -10u 12u "For everyone on this computer (asks for administrator rights)"
  Pop $ModeAllUsers
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${NSD_Check} $ModeAllUsers
  ${Else}
    ${NSD_Check} $ModeCurrentUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $ModeAllUsers $0
  ${If} $0 <> ${BST_CHECKED}
    Call MultiUser.InstallMode.CurrentUser
    Return
  ${EndIf}
  ${If} $MultiUser.Privileges == "Admin"
  ${OrIf} $MultiUser.Privileges == "Power"
    Call MultiUser.InstallMode.AllUsers
    Return
  ${EndIf}
  ; Windows asks for the rights when the installer starts again for everyone; this copy ends.
  HideWindow
  ClearErrors
  ExecShellWait "runas" "$EXEPATH" "/AllUsers"
  ${If} ${Errors}
    BringToFront
    MessageBox MB_OK|MB_ICONEXCLAMATION "${APP} could not be installed for everyone without administrator rights. Choose to install it only for you, or ask an administrator."
    Abort
  ${EndIf}
  Quit
FunctionEnd

Section "${APP}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}\brindlepath.exe"
  File "${PROGRAM_DIR}\brindlepath-launch.exe"
  File "${PROGRAM_DIR}\brindlepath_def.DXL"
  File "${PROGRAM_DIR}\brindlepath_def.DCS"
  File "${PROGRAM_DIR}\brindlepath_template.XLT"
  File "${PROGRAM_DIR}\brindlepath-help.html"
  File "${PROGRAM_DIR}\brindlepath.ico"
  File "${PROGRAM_DIR}\brindlepath32.ico"
  SetOutPath "$INSTDIR\Templates"
  !insertmacro TEMPLATE_FILES File "${PROGRAM_DIR}\Templates"
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\brindlepath.exe" "" \
    "$INSTDIR\brindlepath.ico"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP} Help.lnk" "$INSTDIR\brindlepath-help.html"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  Call WriteUninstallKey
SectionEnd

; Settings > Apps lists the program; its uninstall runs in the mode it was installed in.
Function WriteUninstallKey
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $1 " /AllUsers"
  ${Else}
    StrCpy $1 " /CurrentUser"
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  IntFmt $2 "0x%08X" $2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brindlepath.ico"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"$1'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe"$1 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

Function un.onInit
  ; A machine-wide installation is removed with rights: Windows asks for them when the
  ; uninstaller starts again, and this copy ends.
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
    ${AndIf} $1 != "Power"
      ExecShellWait "runas" "$INSTDIR\uninstall.exe" $0
      Quit
    ${EndIf}
  ${EndIf}
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Only what the installer put there goes, with the program's scratch data file. Definitions
; the user saved into the Templates folder keep it (and the program folder) in place; the
; user's settings (registry and application data folders) are never touched.
Section "Uninstall"
  Delete "$INSTDIR\brindlepath.exe"
  Delete "$INSTDIR\brindlepath-launch.exe"
  Delete "$INSTDIR\brindlepath_def.DXL"
  Delete "$INSTDIR\brindlepath_def.DCS"
  Delete "$INSTDIR\brindlepath_template.XLT"
  Delete "$INSTDIR\brindlepath-help.html"
  Delete "$INSTDIR\brindlepath.ico"
  Delete "$INSTDIR\brindlepath32.ico"
  Delete "$INSTDIR\data.CSV"
  !insertmacro TEMPLATE_FILES Delete "$INSTDIR\Templates"
  RMDir "$INSTDIR\Templates"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
  Delete "$SMPROGRAMS\${APP}\${APP} Help.lnk"
  RMDir "$SMPROGRAMS\${APP}"

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
