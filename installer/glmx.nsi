; Glimmerbox setup: per machine into Program Files or per user into the user's own programs
; folder, the user's choice; "/S" installs per user without asking, "/AllUsers" and
; "/CurrentUser" choose on the command line. Built by tools/dist.sh, which defines
; VERSION, FILEVERSION, STAGE (the folder with the files to install) and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | FILEVERSION | STAGE | OUTFILE
  !error "Build with tools/dist.sh"
!endif

!define PRODUCT "Glimmerbox"
!define PUBLISHER "Quenfield"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerbox"
!define SETTINGS_KEY "Software\Quenfield\GLMX"
; The Explorer extension's class and the context-menu entries that refer to it.
!define SHELL_CLSID "{E63C3709-6797-4C7F-8A05-C783BBEF78FA}"
!define RECYCLE_BIN_VERB "Software\Classes\CLSID\{645FF040-5081-101B-9F08-00AA002F954E}\Shell\GLMX"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${FILEVERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${FILEVERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; An earlier installation decides the mode and the folder of an upgrade.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${STAGE}\glmx.ico"
!define MUI_UNICON "${STAGE}\glmx.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\glmx.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Glimmerbox"
  SetOutPath "$INSTDIR"
  File "${STAGE}\glmx.exe"
  File "${STAGE}\glmx.chm"
  File "${STAGE}\LICENSE-artwork.md"
  File "${STAGE}\readme.txt"
  ; Explorer may hold the old one loaded: then it is replaced when Windows restarts.
  File /oname=glmxshell.dll.new "${STAGE}\glmxshell.dll"
  Delete "$INSTDIR\glmxshell.dll"
  Rename /REBOOTOK "$INSTDIR\glmxshell.dll.new" "$INSTDIR\glmxshell.dll"
  ; The user's own list of search sites stays over an upgrade.
  SetOverwrite off
  File "${STAGE}\search.cfg"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\glmx.exe" "" "$INSTDIR\glmx.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glmx.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
      '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
      '"$INSTDIR\uninstall.exe" /S /$MultiUser.InstallMode'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; The Explorer entries first, while the extension is still there to remove its own.
  ${If} ${FileExists} "$INSTDIR\glmxshell.dll"
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\glmxshell.dll"'
  ${EndIf}
  ; The context-menu entries the configuration dialog made for this user.
  DeleteRegKey HKCU "Software\Classes\*\shellex\ContextMenuHandlers\GLMX"
  DeleteRegKey HKCU "Software\Classes\Folder\shellex\ContextMenuHandlers\GLMX"
  DeleteRegKey HKCU "Software\Classes\Drive\shellex\ContextMenuHandlers\GLMX"
  DeleteRegKey HKCU "${RECYCLE_BIN_VERB}"
  DeleteRegKey HKCU "Software\Classes\CLSID\${SHELL_CLSID}"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\glmx.exe"
  Delete /REBOOTOK "$INSTDIR\glmxshell.dll"
  Delete "$INSTDIR\glmxshell.dll.new"
  Delete "$INSTDIR\glmx.chm"
  Delete "$INSTDIR\search.cfg"
  Delete "$INSTDIR\LICENSE-artwork.md"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Do you also want to remove your Glimmerbox settings?" /SD IDNO IDNO keepSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quenfield"
  keepSettings:
  SetAutoClose true
SectionEnd
