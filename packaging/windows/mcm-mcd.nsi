; The installer of mcm e MCD for Windows: the game for every user of the
; machine, in Program Files, with a Start-menu entry, an uninstaller in
; Windows' list of programs, and the record folder shared by every player.
; Made by tools/windows.sh:
;   makensis -DVERSION=1.2.3 -DEXE=path\mcm-mcd.exe -DOUTFILE=setup.exe mcm-mcd.nsi
; Silent for a school's deployment: setup.exe /S

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

!define PRODUCT "mcm e MCD"
!define PUBLISHER "mcm-mcd"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\mcm-mcd"
; The folder the game looks for first, %ProgramData%\mcm-mcd ($APPDATA once
; SetShellVarContext all); the installer opens it to every user.
!define RECORD_FOLDER "$APPDATA\mcm-mcd"
; BUILTIN\Users by its SID, whatever the language of Windows.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1040 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODUCT}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "mcm-mcd.ico"
!define MUI_UNICON "mcm-mcd.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} richiede Windows a 64 bit." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "/oname=mcm-mcd.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\mcm-mcd.exe"

    ; Every player of the machine competes for one record: every user may
    ; make and replace the files of the folder, and of what is made in it.
    CreateDirectory "${RECORD_FOLDER}"
    nsExec::ExecToLog 'icacls "${RECORD_FOLDER}" /grant ${USERS_SID}:(OI)(CI)M'
    Pop $0
    ${If} $0 != 0
        DetailPrint "icacls: $0"
    ${EndIf}

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mcm-mcd.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; The record folder and its files stay: a school's record outlives the program.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\mcm-mcd.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
