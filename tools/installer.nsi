; The installer of Ormatek Sorvanda: a per-user install (no administrator
; rights) under the user's local application data, because the program keeps
; its exclusion list and Update.ini beside itself and must be able to write
; there. Built with makensis -DSTAGE=<folder with the files> -DOUTFILE=<exe>.
; A 64-bit installer for the 64-bit program.
Target amd64-unicode
!include "FileFunc.nsh"
!include "Sections.nsh"

!define PRODUCT "Ormatek Sorvanda"
!define VERSION "2010.1.2"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrmatekSorvanda"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Ormatek Software"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2010 Ormatek Software"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage components
UninstPage instfiles

Section "Program"
  SetOutPath "$INSTDIR"
  File "${STAGE}\OrmatekSorvanda.exe"
  File "${STAGE}\Ormatek Sorvanda.chm"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\OrmatekSorvanda.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\Ormatek Sorvanda.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "Ormatek Software"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\OrmatekSorvanda.exe"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; The program and everything it made, except the user's exclusion list.
Section "un.${PRODUCT}" UnProgram
  SectionIn RO
  Delete "$INSTDIR\OrmatekSorvanda.exe"
  Delete "$INSTDIR\Ormatek Sorvanda.chm"
  Delete "$INSTDIR\Update.ini"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd

; Only when asked: the exclusion list (also with /REMOVEEXCLUSIONS on the command line).
Section /o "un.Exclusion list (Exclude1Items.est)" UnExclusions
  Delete "$INSTDIR\Exclude1Items.est"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVEEXCLUSIONS" $R1
  IfErrors keep
    !insertmacro SelectSection ${UnExclusions}
  keep:
FunctionEnd
