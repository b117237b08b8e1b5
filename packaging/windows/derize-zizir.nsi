; The Windows installer, derize-zizir-setup.exe (packaging/windows/build-installer.sh
; builds it with makensis). Defines given on the command line:
;   VERSION      the program's version, as project() in CMakeLists.txt gives it
;   PROGRAM_DIR  derize-zizir.exe, derize-zizir-check.exe and the runtime DLLs they need
;   SDK_PREFIX   an installed module SDK (include/derize-zizir, lib/cmake/TrnModule)
;   SOURCE_DIR   the source tree (the English dictionary, the SDK example)
;   KINDS_NSH    the file associations, one !insertmacro KIND per kind
;   VERSION_NSH  COPYRIGHT, the maker's notice on one line, and OUTFILE_NAME
;   OUTFILE      the installer to write
;
; The program folder is also where an administrator puts the users'
; trn_*.dll and any Orvanel.Dic: the uninstaller removes only what this
; installer put there, and the folder itself only when nothing else is left.
Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

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
    File "${PROGRAM_DIR}\derize-zizir.exe"
    File "${PROGRAM_DIR}\derize-zizir-check.exe"
    File "${PROGRAM_DIR}\libgcc_s_dw2-1.dll"
    File "${PROGRAM_DIR}\libstdc++-6.dll"
    File "${PROGRAM_DIR}\libwinpthread-1.dll"
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
    SetOutPath "$INSTDIR\sdk\example"
    File "${SOURCE_DIR}\packaging\sdk-example\trn_worm.c"
    File "${SOURCE_DIR}\packaging\sdk-example\CMakeLists.txt"
SectionEnd

; Programs and Features shows the size of what was installed.
Section "-size"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; A silent install takes the optional components from the command line:
;   derize-zizir-setup.exe /S /ENGLISH /SDK
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
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\derize-zizir.exe"
    Delete "$INSTDIR\derize-zizir-check.exe"
    Delete "$INSTDIR\libgcc_s_dw2-1.dll"
    Delete "$INSTDIR\libstdc++-6.dll"
    Delete "$INSTDIR\libwinpthread-1.dll"
    ReadRegDWORD $0 HKLM "${STATE_KEY}" "EnglishDictionary"
    ${If} $0 == 1
        Delete "$INSTDIR\Orvanel.Dic"
    ${EndIf}
    Delete "$INSTDIR\sdk\include\derize-zizir\trn_module.h"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModule.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleConfig.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleConfigVersion.cmake"
    Delete "$INSTDIR\sdk\lib\cmake\TrnModule\TrnModuleTargets.cmake"
    Delete "$INSTDIR\sdk\example\trn_worm.c"
    Delete "$INSTDIR\sdk\example\CMakeLists.txt"
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

    !define KIND_MACRO UNKIND
    !include "${KINDS_NSH}"
    !undef KIND_MACRO
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${STATE_KEY}"
SectionEnd
