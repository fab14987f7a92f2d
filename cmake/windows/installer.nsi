# The Windows installer, quillmere-<version>-setup.exe: the files of the zip, a Start-menu
# shortcut, an uninstaller that Windows' "Apps" list shows, and "Open with" for family exports.
# It installs for every user (Program Files, with administrator rights) or for the player alone
# (AppData\Local\Programs); /S installs silently, /AllUsers or /CurrentUser choose without asking.
# makensis is given, with -D: VERSION (1.0), VERSION_QUAD (1.0.0.0), STAGE (the folder laid out as
# the zip holds it), FILES (the generated lists of its files and folders), SIZE_KB, ICON, OUTFILE.
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define NAME "Quillmere"
!define PUBLISHER "Harrowfen"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere"
!define PROGID "Quillmere.FamilyExport"
!define APPLICATION_KEY "Software\Classes\Applications\quillmere.exe"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Quillmere"
# A second install goes where the first one went, in the same mode.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
# The licence grants rights and asks nothing of a player, so it is shown, not agreed to.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Quillmere is free software under the GNU General Public License, version 3 or later. You need not accept it to use the program: it says what you may do when you share or change it."
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillmere.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${NAME} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "GPL-3.0-or-later"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

# The mode the uninstaller must run in, so that it cleans the hive the installer wrote to.
Function ModeSwitch
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $0 "/AllUsers"
  ${Else}
    StrCpy $0 "/CurrentUser"
  ${EndIf}
FunctionEnd

# Explorer re-reads "Open with" and the icons only when told.
!macro AssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Quillmere"
  SetOutPath "$INSTDIR"
  !include "${FILES}.install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillmere.lnk" "$INSTDIR\quillmere.exe"

  Call ModeSwitch
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillmere.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" $0 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  # "Open with" for family exports; the extension's default stays the game's.
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "The Sims family export"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\quillmere.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\quillmere.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.fam\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${APPLICATION_KEY}" "FriendlyAppName" "${NAME}"
  WriteRegStr SHCTX "${APPLICATION_KEY}\DefaultIcon" "" "$INSTDIR\quillmere.exe,0"
  WriteRegStr SHCTX "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\quillmere.exe" "%1"'
  WriteRegStr SHCTX "${APPLICATION_KEY}\SupportedTypes" ".iff" ""
  WriteRegStr SHCTX "${APPLICATION_KEY}\SupportedTypes" ".fam" ""
  !insertmacro AssociationsChanged
SectionEnd

# Removes a key only when nothing is left in it, so that what the game or another program keeps
# under the extension stays: no subkey, no named value (the first one listed would have a name)
# and no default value (which is listed without one).
!macro DeleteKeyIfEmpty KEY
  EnumRegKey $1 SHCTX "${KEY}" 0
  EnumRegValue $2 SHCTX "${KEY}" 0
  ClearErrors
  ReadRegStr $3 SHCTX "${KEY}" ""
  ${If} ${Errors}
  ${AndIf} $1 == ""
  ${AndIf} $2 == ""
    DeleteRegKey SHCTX "${KEY}"
  ${EndIf}
!macroend

Section "Uninstall"
  Delete "$SMPROGRAMS\Quillmere.lnk"
  !include "${FILES}.uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegValue SHCTX "Software\Classes\.fam\OpenWithProgids" "${PROGID}"
  !insertmacro DeleteKeyIfEmpty "Software\Classes\.fam\OpenWithProgids"
  !insertmacro DeleteKeyIfEmpty "Software\Classes\.fam"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "${APPLICATION_KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  # Windows keeps these for the whole machine, but a player's own hive and folder may have had
  # none of them before an install for that player alone.
  ${If} $MultiUser.InstallMode == "CurrentUser"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\Applications"
    !insertmacro DeleteKeyIfEmpty "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  !insertmacro AssociationsChanged
SectionEnd
