#!/usr/bin/env bash
# The real Ostrel.exe under Wine against the stand-in automation server:
# the window, both ends of a run (the success that closes the installer and
# the message that leaves it open), the calls CorelDRAW gets, the macro
# files, the export settings and the program files.
#   wine_ostrel_install.sh BUILD_DIR
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../../sender/app/win32/tarnik_gui_env.sh" "$1" 2>/dev/null
source "$here/ostrel_gui_env.sh" "$1"
register_stand_in
wine reg delete 'HKCR\coreldraw.Application.11' /f >/dev/null 2>&1
source_folder=$gui_work/source
make_source "$source_folder"
rm -rf "$program_folder"
title="Ostrelnv setup"

# X4, chosen at start: the macro project walk meets two near misses before
# the exact name, which is the last project of the collection.
mkdir -p "$ostrel_corel/CorelDRAW/_default"
script vba=1 "gms=$(winpath_dir "$ostrel_gms")" "base=$(winpath_dir "$ostrel_corel")" \
    "projects=GlobalMacros|nvworktool|NvWorkTool |NvWorkTool"
start_ostrel "$source_folder"
check "window: version list" "12 3 CorelDRAW Graphics Suite X4" "$(drv dlist "$title" 1001)"
check "window: label" "Select CorelDraw " "$(drv dtext "$title" -1)"
drv dclick "$title" 1 >/dev/null
check "X4: success message" "Install success!" "$(drv message 'coreldraw setup' 15000)"
drv dclick 'coreldraw setup' 1 >/dev/null
check "X4: the installer ends" "0" "$(ostrel_ended; echo $?)"
src=$(winpath "$source_folder")
expected=$(cat <<EXPECTED
create
app get 6002006B
app method 60020051
app method 60020045 str:$src\\nvout.xslt
app get 60020044
settings get 60020000
app get 60020041
projects get 60020001
projects get 0 int:1
project1 get 0
projects get 0 int:2
project2 get 0
projects get 0 int:3
project3 get 0
projects get 0 int:4
project4 get 0
project4 put 60020001 bool:true
app method 6002000E
all released
EXPECTED
)
check "X4: calls" "$expected" "$(calls)"
check "X4: macro files" "nvaddmark.gms nvcut.gms nvmirando.gms" "$(cd "$ostrel_gms" && echo *)"
check "X4: export settings" \
    "[CorelHPGLExport] DLG Plotter Units Per Inch=800 DLG Curve Resolution=0 DLG No PW or VS=0" \
    "$(tr -d '\r' <"$ostrel_corel/CorelDRAW/_default/FiltMan.ini" | xargs -d '\n')"
check "X4: program files" "Anglet.dll Mirando.exe tarnik.exe tarnik.ini" \
    "$(cd "$program_folder" && echo *)"
check "X4: tarnik.exe copied" "0" "$(cmp -s "$source_folder/tarnik/tarnik.exe" \
    "$program_folder/tarnik.exe"; echo $?)"

# X7 chosen from the list, VBA unavailable (ignored), a GMS folder without
# its separator, and a second installation over the first: the programs are
# replaced, the settings the job sender saved are kept.
printf '[Language]\r\nLan=English\r\n' >"$program_folder/tarnik.ini"
echo old >"$program_folder/tarnik.exe"
script vba=0 "gms=$(winpath "$ostrel_gms/x7")" "base=$(winpath_dir "$ostrel_corel")" \
    "projects=NvWorkTool"
mkdir -p "$ostrel_gms/x7"
start_ostrel "$source_folder"
drv dselect "$title" 1001 7 >/dev/null
drv dclick "$title" 1 >/dev/null
check "X7: success message" "Install success!" "$(drv message 'coreldraw setup' 15000)"
drv dclick 'coreldraw setup' 1 >/dev/null
check "X7: the installer ends" "0" "$(ostrel_ended; echo $?)"
check "X7: workspace loaded" "app method 60020045 str:$src\\nvout.cdws" "$(calls | sed -n 4p)"
check "X7: macro files in the folder" "nvaddmark.gms nvcut.gms nvmirando.gms" \
    "$(cd "$ostrel_gms/x7" && echo *)"
check "X7: export settings" "3" "$(grep -c '^DLG' "$ostrel_corel/settings.ini")"
check "X7: tarnik.exe replaced" "0" "$(cmp -s "$source_folder/tarnik/tarnik.exe" \
    "$program_folder/tarnik.exe"; echo $?)"
check "X7: saved settings kept" "Lan=English" "$(tr -d '\r' <"$program_folder/tarnik.ini" | sed -n 2p)"

# CorelDRAW 11 is not installed: its message, the window stays open; a
# rejected call then shows the standard error box, releases every object and
# leaves the window open; Cancel ends the program.
script vba=1 "gms=$(winpath_dir "$ostrel_gms")" "base=$(winpath_dir "$ostrel_corel")" \
    "projects=NvWorkTool" reject=60020045
start_ostrel "$source_folder"
drv dselect "$title" 1001 0 >/dev/null
drv dclick "$title" 1 >/dev/null
check "11: message" "CorelDRAW 11 not be installed!" "$(drv message 'coreldraw setup' 15000)"
dismiss 'coreldraw setup' 1
check "11: window stays" "0" "$(drv dialog "$title" 0 >/dev/null; echo $?)"
drv dselect "$title" 1001 3 >/dev/null
drv dclick "$title" 1 >/dev/null
check "rejected call: error box" "The stand-in server refuses this call." \
    "$(drv message Ostrel 15000 | head -n 1)"
dismiss Ostrel 1
check "rejected call: objects released" "all released" "$(calls | tail -n 1)"
check "rejected call: window stays" "0" "$(drv dialog "$title" 0 >/dev/null; echo $?)"
drv dclick "$title" 2 >/dev/null
check "Cancel ends the installer" "0" "$(ostrel_ended; echo $?)"

gui_finish
