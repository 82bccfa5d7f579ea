#!/usr/bin/env bash
# The installer and the record folder, under Wine with /S, in a prefix of its
# own: a plain installation makes the folder and opens it to every user; a link
# or another user's folder, put in the folder's place beforehand, gets no
# grant; a folder refused, or a grant that fails, fails the installation with
# exit code 2 before anything is installed.
# Wine's icacls changes nothing and says it did: a twin of the installer, built
# here, runs instead a stand-in that writes down its arguments and ends with
# $MCM_ICACLS_EXIT.
# Usage: tools/windows/installer-check.sh SETUP.EXE   (run by tools/windows.sh, which gives
# under_x)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
setup=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$work/wine"
drive="$WINEPREFIX/drive_c"
folder="$drive/ProgramData/mcm-mcd"
program="$drive/Program Files/mcm e MCD"
calls="$drive/stand-in/icacls.txt"
grant='"C:\ProgramData\mcm-mcd" /grant:r *S-1-5-32-545:(OI)(CI)(IO)M /L
"C:\ProgramData\mcm-mcd" /grant *S-1-5-32-545:(RX,WD,AD) /L'
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

wineboot --init >/dev/null 2>&1
wineserver --wait
mkdir -p "$drive/stand-in"
printf '@echo %%*>>"%%~dp0icacls.txt"\r\n@exit /b %%MCM_ICACLS_EXIT%%\r\n' > "$drive/stand-in/icacls.cmd"
printf 'MZ' > "$work/program.exe"
twin="$work/twin.exe"
makensis -V1 -DVERSION=0.0.0 -DEXE="$work/program.exe" -DOUTFILE="$twin" -DSIZE_KB=1 \
    '-DICACLS=C:\stand-in\icacls.cmd' "$top/packaging/windows/mcm-mcd.nsi"

fail() {
    echo "installer check: $*" >&2
    exit 1
}

# Runs an installer silently, its icacls stand-in ending with the code given,
# and prints its exit code. Under /S it must never wait for a click: the time
# limit only ends one that does.
run() {
    local status=0
    MCM_ICACLS_EXIT=$2 under_x timeout 300 wine "$1" /S >&2 || status=$?
    echo "$status"
}

# Back to a machine where nothing is installed and icacls never ran.
fresh() {
    rm -rf "$folder" "$program" "$calls"
}

real_folder() {
    [ -d "$folder" ] && [ ! -L "$folder" ]
}

granted() {
    [ -f "$calls" ] && [ "$(tr -d '\r' < "$calls")" = "$grant" ]
}

refused() {
    [ "$2" = 2 ] || fail "$1: exit code $2, not 2"
    [ ! -e "$program" ] || fail "$1: the program was installed all the same"
}

echo "installer: a plain installation, then another over it"
fresh
status=$(run "$setup" 0)
[ "$status" = 0 ] || fail "a plain installation ended with $status"
real_folder || fail "a plain installation made no record folder"
[ -f "$program/mcm-mcd.exe" ] || fail "a plain installation installed no program"
status=$(run "$setup" 0)
[ "$status" = 0 ] || fail "an installation over the folder of the one before ended with $status"

echo "installer: the grant"
fresh
status=$(run "$twin" 0)
[ "$status" = 0 ] || fail "the twin's plain installation ended with $status"
granted || fail "icacls was not run as: $grant"

# Windows removes the link and makes the folder anew. Wine cannot: its
# RemoveDirectoryW acts on where the link leads (and would remove it were it
# empty, hence the file), so there the installation refuses the link.
echo "installer: a link in the folder's place"
fresh
mkdir "$work/system"
touch "$work/system/file"
ln -s "$work/system" "$folder"
status=$(run "$twin" 0)
[ -f "$work/system/file" ] || fail "what the link leads to was removed"
if [ "$status" = 0 ]; then
    real_folder || fail "installed with a link as the record folder"
    granted || fail "the record folder made anew was not granted"
else
    refused "a link in the folder's place" "$status"
    [ ! -e "$calls" ] || fail "icacls ran on a link"
fi

echo "installer: another user's folder in its place"
fresh
mkdir "$folder"
$sudo chown nobody "$folder"
status=$(run "$twin" 0)
refused "another user's folder" "$status"
[ ! -e "$calls" ] || fail "icacls ran on another user's folder"

echo "installer: icacls fails"
fresh
status=$(run "$twin" 5)
refused "a failed grant" "$status"
[ "$(tr -d '\r' < "$calls")" = "$(head -1 <<<"$grant")" ] || fail "icacls was not run once, then stopped at its failure"
