; Setup and uninstall of Velora 2001.
;   makensis -DEXE32=<i686 velora.exe> -DEXE64=<x86-64 velora.exe> -DOUTFILE=<setup.exe>
;            [-DTARGET=amd64-unicode] velora.nsi
; The shipped setup is x86-ansi: the only kind of NSIS installer that still
; starts on Windows 95, 98 and Me. It carries both programs and installs the
; one that fits the system: the x86-64 one on 64-bit Windows for x64
; processors, where it reaches the machine's TCP/IP keys without WOW64
; redirection, the i686 one everywhere else. Silent use: setup.exe /S
; /D=C:\Folder and uninstall.exe /S.

!ifndef EXE32
  !error "EXE32 must name the i686 velora.exe to package"
!endif
!ifndef EXE64
  !error "EXE64 must name the x86-64 velora.exe to package"
!endif
!ifndef COMPANION32
  !error "COMPANION32 must name the i686 vldetect.exe to package"
!endif
!ifndef COMPANION64
  !error "COMPANION64 must name the x86-64 vldetect.exe to package"
!endif
!ifndef HELP
  !error "HELP must name the folder of the made HTML help pages"
!endif
!ifndef OUTFILE
  !define OUTFILE "velora-setup.exe"
!endif
!ifndef TARGET
  !define TARGET "x86-ansi"
!endif
Target ${TARGET}

!include LogicLib.nsh
!include x64.nsh
!include WinMessages.nsh

!define PRODUCT "Velora 2001"
!define COMPANY "Norwick Ltd"
!define VERSION "5.1"
; The program finds its folder here; it reads the value unscrambled.
!define SETTINGS_KEY "SOFTWARE\${COMPANY}\${PRODUCT}"
!define INSTALL_KEY "${SETTINGS_KEY}\Install"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
; The companion starts at every logon, as velora.exe starts it on every run.
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Velora 2001 Net Detect"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The default; .onInit moves it to the 64-bit Program Files where the
; x86-64 program goes, or to the folder of an earlier install.
InstallDir "$PROGRAMFILES\${PRODUCT}"
; The program writes HKEY_LOCAL_MACHINE and so does setup.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "5.1.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "5.1.0.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2001 ${COMPANY}"

; The x86-64 program where Windows and the processor are x64 (an ARM64
; Windows runs the i686 one, which then uses the 64-bit registry view itself).
!macro UseNativeView
  ${If} ${RunningX64}
  ${AndIf} ${IsNativeAMD64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseNativeView
  ; /D= on the command line has set the folder already; only the default is
  ; replaced.
  ${If} $INSTDIR == "$PROGRAMFILES\${PRODUCT}"
    ReadRegStr $0 HKLM "${INSTALL_KEY}" "Folder"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${ElseIf} ${RunningX64}
    ${AndIf} ${IsNativeAMD64}
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro UseNativeView
FunctionEnd

; A running companion keeps its file open: it is asked to end (its window
; takes WM_CLOSE) and given time to finish a ping that is under way.
!macro EndCompanion un
Function ${un}EndCompanion
  StrCpy $1 0
  loop:
    FindWindow $0 "VeloraNetDetect" "VL - Net Detect"
    StrCmp $0 0 done
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 250
    IntOp $1 $1 + 1
    IntCmp $1 60 done loop done
  done:
FunctionEnd
!macroend
!insertmacro EndCompanion ""
!insertmacro EndCompanion "un."

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetOutPath "$INSTDIR"
  Call EndCompanion
  ${If} ${RunningX64}
  ${AndIf} ${IsNativeAMD64}
    File "/oname=velora.exe" "${EXE64}"
    File "/oname=vldetect.exe" "${COMPANION64}"
  ${Else}
    File "/oname=velora.exe" "${EXE32}"
    File "/oname=vldetect.exe" "${COMPANION32}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The help the program opens in the browser where no velora.hlp is.
  SetOutPath "$INSTDIR\help"
  File "${HELP}\*.htm"
  File "${HELP}\velora.css"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${INSTALL_KEY}" "Folder" "$INSTDIR"
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\vldetect.exe" /auto'

  ; Shortcuts for every user where Windows has per-user profiles; Windows 95
  ; without profiles falls back on the one Start menu.
  SetShellVarContext all
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\velora.exe"
  CreateShortcut "${MENU_FOLDER}\Ping Configuration.lnk" "$INSTDIR\velora.exe" "/ping"
  CreateShortcut "${MENU_FOLDER}\About.lnk" "$INSTDIR\velora.exe" "/about"
  CreateShortcut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The program puts the Windows TCP/IP defaults back for both Windows
  ; families; only it knows which values it wrote.
  IfFileExists "$INSTDIR\velora.exe" 0 +2
    ExecWait '"$INSTDIR\velora.exe" /uninstall'

  Call un.EndCompanion
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"

  ; The mode file is kept read-only, hidden and system between runs.
  SetFileAttributes "$INSTDIR\Velora.cfg" NORMAL
  Delete "$INSTDIR\Velora.cfg"
  Delete "$INSTDIR\velora.exe"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\vldetect.exe"
  Delete "$INSTDIR\help\*.htm"
  Delete "$INSTDIR\help\velora.css"
  RMDir "$INSTDIR\help"
  ; Not /r: the folder may hold files of the user's own.
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\Ping Configuration.lnk"
  Delete "${MENU_FOLDER}\About.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
