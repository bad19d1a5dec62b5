; The setup program of Dustora: the two programs and the help in Program Files\Dustora, shortcuts in
; the Start menu, an uninstaller and its entry in Add/Remove Programs. /S installs and uninstalls
; without a window.
;
;   makensis -DSTAGE=<folder with Dustora.exe, Ordavel.EXE, Dustora.chm, Dustora.ico, licence.txt>
;            -DOUTFILE=<setup program> Dustora.nsi

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

; The version block's values, from the header that both programs' resources use.
!define VERSION_HEADER "${__FILEDIR__}\..\resources\VersionInfo.h"
!searchparse /file "${VERSION_HEADER}" '#define DUSTORA_PRODUCT_NAME "' PRODUCT '"'
!searchparse /file "${VERSION_HEADER}" '#define DUSTORA_FILE_VERSION "' VERSION '"'
!searchparse /file "${VERSION_HEADER}" '#define DUSTORA_BUILD "' BUILD '"'
!searchparse /file "${VERSION_HEADER}" '#define DUSTORA_HOME_PAGE "' HOME_PAGE '"'
!searchparse /file "${VERSION_HEADER}" '#define HALVEX_COMPANY_NAME "' PUBLISHER '"'
!searchparse /file "${VERSION_HEADER}" '#define HALVEX_COPYRIGHT "' COPYRIGHT '"'
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dustora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define TASK "Dustora - Automatic System Clean"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"
VIProductVersion "${VERSION}.${BUILD}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${STAGE}\Dustora.ico"
!define MUI_UNICON "${STAGE}\Dustora.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Dustora.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Dustora.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Read Getting Started"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licence.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Shortcuts for every user of the computer, as the programs are.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Dustora" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}\Dustora.exe"
    File "${STAGE}\Ordavel.EXE"
    File "${STAGE}\Dustora.chm"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Dustora.lnk" "$INSTDIR\Dustora.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Advanced Scheduler.lnk" "$INSTDIR\Ordavel.EXE"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Dustora Help.lnk" "$INSTDIR\Dustora.chm"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall Dustora.lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dustora.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The Run-key values and the scheduled task would start a program that is gone. The settings in
; the user's profile stay, for a later installation.
Section "Uninstall"
    DeleteRegValue HKLM "${RUN_KEY}" "Dustora - Load"
    DeleteRegValue HKLM "${RUN_KEY}" "Dustora - Clean"
    ; Task Scheduler 1.0 keeps the task as a file; later Windows versions answer schtasks.
    Delete "$WINDIR\Tasks\${TASK}.job"
    nsExec::Exec 'schtasks.exe /Delete /TN "${TASK}" /F'
    Pop $0

    Delete "$INSTDIR\Dustora.exe"
    Delete "$INSTDIR\Ordavel.EXE"
    Delete "$INSTDIR\Dustora.chm"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}\Dustora.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Advanced Scheduler.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Dustora Help.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall Dustora.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
