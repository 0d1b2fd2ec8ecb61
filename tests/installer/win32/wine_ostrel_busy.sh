#!/usr/bin/env bash
# The real Ostrel.exe under Wine against the stand-in automation server in
# a process of its own, made to take the workspace load and not answer (a
# CorelDRAW stuck in a dialog of its own): after its patience the installer
# offers the busy choice; Cancel ends the run with a message and leaves the
# window usable. Wine ends the cancelled call only once the server answers
# (Windows at once): the test lets the stand-in answer after the cancel.
#   wine_ostrel_busy.sh BUILD_DIR
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../../sender/app/win32/tarnik_gui_env.sh" "$1" 2>/dev/null
source "$here/ostrel_gui_env.sh" "$1"
register_stand_in_host
# The host ends on its own once the call is released and the quit file is there.
trap 'touch "$ostrel_server/stand_in_release.txt" "$ostrel_server/stand_in_quit.txt"; sleep 1; register_stand_in; gui_cleanup' EXIT
source_folder=$gui_work/source
mkdir -p "$ostrel_corel/CorelDRAW/_default"
make_source "$source_folder"
title="Ostrelnv setup"

script vba=1 "gms=$(winpath_dir "$ostrel_gms")" "base=$(winpath_dir "$ostrel_corel")" \
    "projects=NvWorkTool" block=60020045
start_ostrel "$source_folder"
started=$(date +%s)
drv dclick "$title" 1 >/dev/null
check "busy choice offered" "CorelDRAW is busy and does not answer." \
    "$(drv message 'Server Busy' 20000 | head -n 1)"
waited=$(($(date +%s) - started))
check "after the patience of 8 s (took ${waited} s)" "0" "$([ "$waited" -ge 7 ] && [ "$waited" -le 20 ]; echo $?)"
check "the call was taken and held" "blocked" "$(calls | tail -n 1)"
dismiss 'Server Busy' 2
# Wine goes on waiting after the cancel until the server answers (Windows
# ends the call at once): the stand-in answers now.
touch "$ostrel_server/stand_in_release.txt"
check "cancel: the run ends with a message" "CorelDRAW does not answer: the installation was cancelled." \
    "$(drv message 'coreldraw setup' 10000 | head -n 1)"
dismiss 'coreldraw setup' 1
check "cancel: nothing copied" "" "$(ls "$ostrel_gms")"
check "cancel: the window stays usable" "12 3 CorelDRAW Graphics Suite X4" \
    "$(drv dlist "$title" 1001)"
drv dclick "$title" 2 >/dev/null
check "Cancel ends the installer" "0" "$(ostrel_ended; echo $?)"

gui_finish
