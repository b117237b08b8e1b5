; The Windows installer, derize-zizir-setup.exe (packaging/windows/build-installer.sh
; builds it with makensis). Defines given on the command line:
;   VERSION      the program's version, as project() in CMakeLists.txt gives it
;   PROGRAM_NSH  the macros PROGRAM_FILES and UN_PROGRAM_FILES: File and Delete
;                lines of the 32-bit derize-zizir.exe, derize-zizir-check.exe and
;                the runtime DLLs they need
;   PROGRAM64_NSH (optional) the same for the 64-bit programs, PROGRAM64_FILES
;                and UN_PROGRAM64_FILES, in the x64 folder: the component
;                "Launcher for 64-bit modules"
;   SDK_PREFIX   an installed module SDK (include/derize-zizir, lib/cmake/TrnModule
;                with its toolchains folder, share/derize-zizir/module-example)
;   SOURCE_DIR   the source tree (the English dictionary)
;   KINDS_NSH    the file associations, one !insertmacro KIND per kind
;   VERSION_NSH  COPYRIGHT, the maker's notice on one line, and OUTFILE_NAME
;   OUTFILE      the installer to write
;
; The program folder is also where an administrator puts the users'
; trn_*.dll and any Orvanel.Dic, and its x64 folder their 64-bit modules:
; the uninstaller removes only what this installer put there, and a folder
; itself only when nothing else is left in it.
Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh
!include "${PROGRAM_NSH}"
!ifdef PROGRAM64_NSH
    !include "${PROGRAM64_NSH}"
!endif

!define APP "DERIZE-Zizir"
; The window's title, which the Start-menu shortcut is named with.
!define WINDOW_TITLE "Комплекс программ ЗЕФРАН-DIVIZ"
!define PUBLISHER "DERIZE-Zizir developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define STATE_KEY "Software\${APP}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${APP}"
InstallDirRegKey HKLM "${STATE_KEY}" "InstallDir"
ShowInstDetails show
ShowUninstDetails show

; The version information of the installer, and of the uninstaller, which
; NSIS writes from the same program; Programs and Features shows the same
; version (DisplayVersion).
!include "${VERSION_NSH}"
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} setup"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey "OriginalFilename" "${OUTFILE_NAME}"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; One data file extension: its type, named with the kind's name, opened
; by the launcher and shown with the program's icon.
!macro KIND EXT NAME
    WriteRegStr HKLM "Software\Classes\.${EXT}" "" "${APP}.${EXT}"
    WriteRegStr HKLM "Software\Classes\${APP}.${EXT}" "" "${NAME}"
    WriteRegStr HKLM "Software\Classes\${APP}.${EXT}\DefaultIcon" "" "$INSTDIR\derize-zizir.exe,0"
    WriteRegStr HKLM "Software\Classes\${APP}.${EXT}\shell\open\command" "" '"$INSTDIR\derize-zizir.exe" "%1"'
!macroend

; Removes the type, and the extension's link to it while it is still
; this program's (another program may have taken the extension since).
!macro UNKIND EXT NAME
    DeleteRegKey HKLM "Software\Classes\${APP}.${EXT}"
    ReadRegStr $0 HKLM "Software\Classes\.${EXT}" ""
    ${If} $0 == "${APP}.${EXT}"
        DeleteRegValue HKLM "Software\Classes\.${EXT}" ""
        DeleteRegKey /ifempty HKLM "Software\Classes\.${EXT}"
    ${EndIf}
!macroend

Section "${APP}" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    !insertmacro PROGRAM_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${WINDOW_TITLE}.lnk" "$INSTDIR\derize-zizir.exe" "" "$INSTDIR\derize-zizir.exe" 0

    !define KIND_MACRO KIND
    !include "${KINDS_NSH}"
    !undef KIND_MACRO
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr HKLM "${STATE_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\derize-zizir.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef PROGRAM64_NSH
; The launcher built for 64-bit Windows, which runs 64-bit modules put
; beside it in the x64 folder. It has a Start-menu shortcut of its own; the
; file associations stay with the 32-bit launcher.
Section /o "Launcher for 64-bit modules" SecX64
    SetOutPath "$INSTDIR\x64"
    !insertmacro PROGRAM64_FILES
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${WINDOW_TITLE} (64-bit modules).lnk" "$INSTDIR\x64\derize-zizir.exe" "" "$INSTDIR\x64\derize-zizir.exe" 0
SectionEnd
!endif

; The English dictionary as the active Orvanel.Dic. A dictionary already
; there is the administrator's own and is kept.
Section /o "English interface" SecEnglish
    SetOutPath "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\Orvanel.Dic"
        DetailPrint "Keeping the dictionary already in $INSTDIR"
    ${Else}
        File "/oname=Orvanel.Dic" "${SOURCE_DIR}\dictionaries\en\Orvanel.Dic"
        WriteRegDWORD HKLM "${STATE_KEY}" "EnglishDictionary" 1
    ${EndIf}
SectionEnd

; The SDK as an installed CMake package below $INSTDIR\sdk, so that
; CMAKE_PREFIX_PATH=$INSTDIR\sdk finds it.
Section /o "Module SDK" SecSdk
    SetOutPath "$INSTDIR\sdk\include\derize-zizir"
    File "${SDK_PREFIX}\include\derize-zizir\trn_module.h"
    SetOutPath "$INSTDIR\sdk\lib\cmake\TrnModule"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\TrnModule.cmake"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\TrnModuleConfig.cmake"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\TrnModuleConfigVersion.cmake"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\TrnModuleTargets.cmake"
    SetOutPath "$INSTDIR\sdk\lib\cmake\TrnModule\toolchains"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\toolchains\mingw-common.cmake"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\toolchains\mingw-i686.cmake"
    File "${SDK_PREFIX}\lib\cmake\TrnModule\toolchains\mingw-x86_64.cmake"
    SetOutPath "$INSTDIR\sdk\example"
    File "${SDK_PREFIX}\share\derize-zizir\module-example\CMakeLists.txt"
    File "${SDK_PREFIX}\share\derize-zizir\module-example\trn_cylext.c"
    File "${SDK_PREFIX}\share\derize-zizir\module-example\trn_worm.c"
    File "${SDK_PREFIX}\share\derize-zizir\module-example\trn_chain.c"
    File "${SDK_PREFIX}\share\derize-zizir\module-example\trn_worm.def"
SectionEnd

; Programs and Features shows the size of what was installed.
Section "-size"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; A silent install takes the optional components from the command line:
;   derize-zizir-setup.exe /S /ENGLISH /SDK /X64
; The 64-bit launcher cannot run on 32-bit Windows: there its component is
; neither offered nor taken from /X64.
Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ENGLISH" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecEnglish}
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/SDK" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecSdk}
    ${EndIf}
!ifdef PROGRAM64_NSH
    ${If} ${RunningX64}
        ClearErrors
        ${GetOptions} $R0 "/X64" $R1
        ${IfNot} ${Errors}
            !insertmacro SelectSection ${SecX64}
        ${EndIf}
    ${Else}
        SectionSetText ${SecX64} ""
        !insertmacro UnselectSection ${SecX64}
        !insertmacro SetSectionFlag ${SecX64} ${SF_RO}
    ${EndIf}
!endif
FunctionEnd

Section "Uninstall"
    !insertmacro UN_PROGRAM_FILES
!ifdef PROGRAM64_NSH
    !insertmacro UN_PROGRAM64_FILES
    RMDir "$INSTDIR\x64"
!endif
    ReadRegDWORD $0 HKLM "${STATE_KEY}" "EnglishDictionary"
    ${If} $0 == 1
        Delete "$INSTDIR\Orvanel.Dic"
    ${EndIf}
    Delete "$INSTDIR\sdk\include\derize-zizir\trn_module.h"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModule.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleConfig.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleConfigVersion.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleTargets.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\toolchains\mingw-common.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\toolchains\mingw-i686.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\toolchains\mingw-x86_64.cmake"
    RMDir "$INSTDIR\sdk\lib\cmake\TrnModule\toolchains"
    Delete "$INSTDIR\sdk\example\CMakeLists.txt"
    Delete "$INSTDIR\sdk\example\trn_cylext.c"
    Delete "$INSTDIR\sdk\example\trn_worm.c"
    Delete "$INSTDIR\sdk\example\trn_chain.c"
    Delete "$INSTDIR\sdk\example\trn_worm.def"
    RMDir "$INSTDIR\sdk\include\derize-zizir"
    RMDir "$INSTDIR\sdk\include"
    RMDir "$INSTDIR\sdk\lib\cmake\TrnModule"
    RMDir "$INSTDIR\sdk\lib\cmake"
    RMDir "$INSTDIR\sdk\lib"
    RMDir "$INSTDIR\sdk\example"
    RMDir "$INSTDIR\sdk"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    SetShellVarContext all
    Delete "$SMPROGRAMS\${WINDOW_TITLE}.lnk"
!ifdef PROGRAM64_NSH
    Delete "$SMPROGRAMS\${WINDOW_TITLE} (64-bit modules).lnk"
!endif

    !define KIND_MACRO UNKIND
    !include "${KINDS_NSH}"
    !undef KIND_MACRO
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${STATE_KEY}"
SectionEnd
