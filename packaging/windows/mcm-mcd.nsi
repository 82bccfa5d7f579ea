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
; Windows' own icacls, never a program of that name beside the installer.
; tools/windows/installer-check.sh builds a test installer that names another.
!ifndef ICACLS
    !define ICACLS "$SYSDIR\icacls.exe"
!endif
; Win32's values, for the System plugin.
!define FILE_ATTRIBUTE_DIRECTORY 0x10
!define FILE_ATTRIBUTE_REPARSE_POINT 0x400
!define SE_FILE_OBJECT 1
!define OWNER_SECURITY_INFORMATION 1
!define WinLocalSystemSid 22
!define WinBuiltinAdministratorsSid 26
!define TOKEN_QUERY 8
!define TokenUser 1
; TOKEN_USER and the SID it points to fit in this many bytes.
!define TOKEN_USER_MAX 128

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

; Makes the record folder and opens it to every user; leaves in $0 what went
; wrong, or "" when the folder is ready. Every user may make folders in
; ProgramData: before the installation a player may have put there, in the
; folder's place, a link (junction or symbolic link) that would lead the grant
; to a folder of the system, or a folder of his own. A link is removed and the
; folder made anew: RemoveDirectoryW on the link's own name removes a junction
; or a directory link, never what it leads to (not RMDir, which adds a final
; backslash to the name). A folder owned by anyone but Administrators, SYSTEM
; or the account installing is refused.
Function OpenRecordFolder
    System::Call 'kernel32::GetFileAttributesW(w "${RECORD_FOLDER}") i .r1'
    ${If} $1 <> -1
    ${AndIf} $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
        DetailPrint "Rimozione del collegamento ${RECORD_FOLDER}"
        System::Call 'kernel32::RemoveDirectoryW(w "${RECORD_FOLDER}")'
    ${EndIf}

    ; Made with Administrators as its owner, whatever owner the machine gives
    ; by default to what an administrator makes, so that any administrator may
    ; install again. Where the folder is already there nothing is made, and
    ; what is there is judged below.
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "O:BA", i 1, *p .r2, p 0)'
    System::Call '*(&l4, p r2, i 0) p .r3'
    System::Call 'kernel32::CreateDirectoryW(w "${RECORD_FOLDER}", p r3)'
    System::Free $3
    System::Call 'kernel32::LocalFree(p r2)'

    System::Call 'kernel32::GetFileAttributesW(w "${RECORD_FOLDER}") i .r1'
    ${If} $1 = -1
    ${OrIfNot} $1 & ${FILE_ATTRIBUTE_DIRECTORY}
    ${OrIf} $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
        StrCpy $0 "Non è stato possibile preparare la cartella del record$\r$\n${RECORD_FOLDER}$\r$\nAl suo posto c'è un collegamento o un file che non si è potuto eliminare, oppure la cartella non si è potuta creare. Eliminare ciò che si trova in quel percorso e ripetere l'installazione."
        Return
    ${EndIf}

    StrCpy $4 0
    System::Call 'advapi32::GetNamedSecurityInfoW(w "${RECORD_FOLDER}", i ${SE_FILE_OBJECT}, i ${OWNER_SECURITY_INFORMATION}, *p .r2, p 0, p 0, p 0, *p .r3) i .r1'
    ${If} $1 = 0
        System::Call 'advapi32::IsWellKnownSid(p r2, i ${WinBuiltinAdministratorsSid}) i .r4'
        ${If} $4 = 0
            System::Call 'advapi32::IsWellKnownSid(p r2, i ${WinLocalSystemSid}) i .r4'
        ${EndIf}
        ${If} $4 = 0
            ; The account installing, from its process's token.
            System::Call 'advapi32::OpenProcessToken(p -1, i ${TOKEN_QUERY}, *p .r5)'
            System::Alloc ${TOKEN_USER_MAX}
            Pop $6
            System::Call 'advapi32::GetTokenInformation(p r5, i ${TokenUser}, p r6, i ${TOKEN_USER_MAX}, *i .r7) i .r4'
            ${If} $4 <> 0
                System::Call '*$6(p .r7)'
                System::Call 'advapi32::EqualSid(p r2, p r7) i .r4'
            ${EndIf}
            System::Free $6
            System::Call 'kernel32::CloseHandle(p r5)'
        ${EndIf}
        System::Call 'kernel32::LocalFree(p r3)'
    ${EndIf}
    ${If} $4 = 0
        StrCpy $0 "La cartella del record$\r$\n${RECORD_FOLDER}$\r$\nc'era già e non appartiene agli amministratori: un utente può averla preparata per avere diritti che non gli spettano, e l'installazione non la apre a tutti. Controllarla, eliminarla e ripetere l'installazione."
        Return
    ${EndIf}

    ; Every player of the machine competes for one record: every user may
    ; make files in the folder, and change, replace and delete what is in it,
    ; but not delete the folder itself, which a player could then put back as
    ; a link for every other player's game to follow.
    ; /L: were the folder swapped for a link meanwhile, the link itself would
    ; get the grant, never where it leads.
    Push '/grant:r ${USERS_SID}:(OI)(CI)(IO)M'
    Call GrantOnRecordFolder
    ${If} $0 == ""
        Push '/grant ${USERS_SID}:(RX,WD,AD)'
        Call GrantOnRecordFolder
    ${EndIf}
FunctionEnd

; Runs icacls on the record folder with the grant on the stack; leaves in $0
; what went wrong, or "".
Function GrantOnRecordFolder
    Exch $2
    nsExec::ExecToLog '"${ICACLS}" "${RECORD_FOLDER}" $2 /L'
    Pop $1
    Pop $2
    ${If} $1 != 0
        StrCpy $0 "Non è stato possibile permettere a ogni utente di scrivere nella cartella del record$\r$\n${RECORD_FOLDER}$\r$\n(icacls: $1). Così ogni giocatore avrebbe un record solo suo."
        Return
    ${EndIf}
    StrCpy $0 ""
FunctionEnd

Section "Install"
    ; The record folder first: when it cannot be opened to every player,
    ; nothing is installed, and the installation fails; under /S too, with the
    ; exit code of an installation aborted, 2.
    Call OpenRecordFolder
    ${If} $0 != ""
        MessageBox MB_OK|MB_ICONSTOP "$0$\r$\n$\r$\nL'installazione è interrotta." /SD IDOK
        Abort
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=mcm-mcd.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\mcm-mcd.exe"

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
