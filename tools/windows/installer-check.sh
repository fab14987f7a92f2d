#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Quillmere for Windows as a player would, in a fresh Wine prefix, once for every user
# and once for the player alone: `setup.exe /S`; checks the installed files, the Start-menu
# shortcut and the registry keys; runs `quillmere.exe --version` and `--list` on the sample Sims;
# then uninstalls with `/S` and checks that no file and no registry key of the installer is left,
# by comparing the prefix's files and registry with how they were before. Needs an X display
# (xvfb-run), as Wine does.
#   tools/windows/installer-check.sh BUILD_DIR   (a configured Windows build)
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD_DIR}")
cmake --build "$build" --target windows_installer make_samples >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/quillmere-$version-setup.exe
stage=$build/quillmere-$version-windows-x64

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-installer.XXXXXX")
prefix=$scratch/prefix
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
cleanup() {
  WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "installer-check: $*" >&2
  exit 1
}
# Each Windows program runs to its end, with its children: an uninstaller copies itself away and
# goes on from the copy. Wine is kept from adding the shortcut and the file types to this Linux
# user's own menus and MIME database.
run_windows() {
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
    "$wine" "$@"
  WINEPREFIX="$prefix" "$wineserver" -w
}
# The prefix as a list of its files and of its registry keys and values: without the temporary
# folders, which Windows empties itself (an uninstaller's copy of itself waits there for the next
# start), Wine's own settings (Software\Wine), the device classes Wine rewrites when a program
# asks for the monitors (as Qt does), and the times Wine stamps on keys and drivers.
snapshot() {
  (cd "$prefix/drive_c" && find . -path './users/*/Temp/*' -prune -o -print | LC_ALL=C sort)
  sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' -e '/^"DriverDateData"=/d' \
    "$prefix/system.reg" "$prefix/user.reg" |
    awk '/^\[/ { skip = ($0 ~ /^\[(Software\\\\Wine|System\\\\CurrentControlSet\\\\Control\\\\Class)(\\\\|\])/) }
         !skip'
}

# Wine's own files stay in the scratch folder: HOME is where it links the user's folders.
export HOME=$scratch/home
mkdir -p "$HOME"
run_windows wineboot --init >/dev/null 2>&1
# Every Windows user has a key of their own file types; a fresh prefix makes it only when needed.
run_windows reg add 'HKCU\Software\Classes' /f >/dev/null
# The game owns family exports: opening one is its business, and stays so. Set for the machine,
# where the game's installer sets it.
run_windows reg add 'HKLM\Software\Classes\.fam' /ve /d 'TheSims.FamilyExport' /f >/dev/null
# The devices Wine finds at each start are the same before and after.
run_windows wineboot --restart >/dev/null 2>&1
before=$(snapshot)
user=$(id -un)
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'
# EstimatedSize, in KiB.
size=$(find "$stage" -type f -printf '%s\n' | awk '{ bytes += $1 } END { print int((bytes + 1023) / 1024) }')

# check_mode MODE ROOT FOLDER: an install in MODE (AllUsers or CurrentUser) went to FOLDER (a
# Windows path) and wrote its keys under ROOT (HKLM or HKCU).
check_mode() {
  local mode=$1 root=$2 folder=$3
  run_windows "$setup" /S "/$mode"
  local linux_folder
  linux_folder=$(WINEPREFIX="$prefix" winepath -u "$folder" 2>/dev/null)
  [[ -d $linux_folder ]] || fail "$mode: nothing installed in $folder"
  local stage_files installed_files
  stage_files=$( (cd "$stage" && find . -type f && echo ./uninstall.exe) | LC_ALL=C sort)
  installed_files=$(cd "$linux_folder" && find . -type f | LC_ALL=C sort)
  [[ $installed_files == "$stage_files" ]] ||
    fail "$mode: the installed files differ from the zip's: $(diff <(echo "$stage_files") <(echo "$installed_files"))"
  cmp -s "$stage/quillmere.exe" "$linux_folder/quillmere.exe" || fail "$mode: quillmere.exe differs"
  local menu
  if [[ $mode == AllUsers ]]; then
    menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmere.lnk"
  else
    menu="$prefix/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quillmere.lnk"
  fi
  [[ -f $menu ]] || fail "$mode: no Start-menu shortcut at $menu"

  # The whole of each key, as Windows' "Apps" list and Explorer's "Open with" read it.
  local answer expected
  answer=$(run_windows reg query "$root\\$uninstall_key" | tr -d '\r' | grep -v '^$')
  expected="${root/HKLM/HKEY_LOCAL_MACHINE}\\$uninstall_key
    DisplayIcon    REG_SZ    $folder\\quillmere.exe,0
    DisplayName    REG_SZ    Quillmere
    DisplayVersion    REG_SZ    $version
    EstimatedSize    REG_DWORD    0x$(printf '%x' "$size")
    InstallLocation    REG_SZ    $folder
    NoModify    REG_DWORD    0x1
    NoRepair    REG_DWORD    0x1
    Publisher    REG_SZ    Harrowfen
    QuietUninstallString    REG_SZ    \"$folder\\uninstall.exe\" /$mode /S
    UninstallString    REG_SZ    \"$folder\\uninstall.exe\" /$mode"
  expected=${expected/HKCU/HKEY_CURRENT_USER}
  [[ $answer == "$expected" ]] || fail "$mode: the Uninstall key holds:$answer"
  local classes="$root\\Software\\Classes"
  answer=$(run_windows reg query "$classes\\.fam" /s | tr -d '\r' | grep -v '^$')
  expected="${classes}\\.fam\\OpenWithProgids
    Quillmere.FamilyExport    REG_SZ    "
  if [[ $mode == AllUsers ]]; then
    expected="${classes}\\.fam
    (Default)    REG_SZ    TheSims.FamilyExport
$expected"
  fi
  expected=${expected//HKLM\\/HKEY_LOCAL_MACHINE\\}
  expected=${expected//HKCU\\/HKEY_CURRENT_USER\\}
  [[ $answer == "$expected" ]] || fail "$mode: .fam holds:$answer"
  answer=$(run_windows reg query "$classes\\Quillmere.FamilyExport\\shell\\open\\command" /ve | tr -d '\r')
  [[ $answer == *"REG_SZ    \"$folder\\quillmere.exe\" \"%1\""* ]] ||
    fail "$mode: the family export opens with:$answer"
  answer=$(run_windows reg query "$classes\\Applications\\quillmere.exe\\SupportedTypes" | tr -d '\r' |
           grep REG_SZ)
  expected="    .fam    REG_SZ    
    .iff    REG_SZ    "
  [[ $answer == "$expected" ]] || fail "$mode: quillmere.exe supports:$answer"

  # The installed program, with nothing but its own folder to load libraries from.
  answer=$(run_windows "$folder\\quillmere.exe" --version | tr -d '\r')
  [[ $answer == "Quillmere $version" ]] || fail "$mode: quillmere.exe --version said '$answer'"
  WINEPATH="$folder" run_windows "$build/tools/samples/make_samples.exe" "$scratch/samples" "$scratch/game" \
    >/dev/null
  answer=$(run_windows "$folder\\quillmere.exe" --list "$(WINEPREFIX="$prefix" winepath -w "$scratch/samples")" |
           tr -d '\r')
  local samples=("$scratch"/samples/User*)
  [[ $(wc -l <<<"$answer") == "${#samples[@]}" && ${answer%%$'\n'*} == $'User00000.iff\tAda Thornbury' ]] ||
    fail "$mode: quillmere.exe --list gave: $answer"
  rm -rf "$scratch/samples" "$scratch/game"

  run_windows "$folder\\uninstall.exe" /S "/$mode"
  run_windows wineboot --restart >/dev/null 2>&1
  local after
  after=$(snapshot)
  if [[ $after != "$before" ]]; then
    diff <(echo "$before") <(echo "$after") >&2 || true
    fail "$mode: the uninstaller left the prefix as above (< before install, > after uninstall)"
  fi
  echo "installer: $mode installed in $folder, ran, uninstalled without a trace"
}

check_mode AllUsers HKLM 'C:\Program Files\Quillmere'
check_mode CurrentUser HKCU "C:\\users\\$user\\AppData\\Local\\Programs\\Quillmere"
