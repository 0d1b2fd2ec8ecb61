#!/usr/bin/env bash
# The build's installation source (Ostrel.zip) unpacked and run in a fresh
# Wine prefix with only the stand-in CorelDRAW: it installs, and the
# installed tarnik.exe starts from the program folder.
#   wine_ostrel_fresh_prefix.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
fresh_root=$(mktemp -d /tmp/ostrel-fresh.XXXXXX)
# The generated locale of the other Wine tests, when there is one, saves
# making it again.
for locale in "$build/wine-gui/locale" "$here/../../../build/wine/locale"; do
    if [ -d "$locale/zh_CN.UTF-8" ]; then
        ln -s "$(cd "$locale" && pwd)" "$fresh_root/locale"
        break
    fi
done
export TARNIK_GUI_WINE_ROOT=$fresh_root
source "$here/../../sender/app/win32/tarnik_gui_env.sh" "$build" 2>/dev/null
source "$here/ostrel_gui_env.sh" "$build"
fresh_cleanup() {
    gui_cleanup
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$fresh_root"
}
trap fresh_cleanup EXIT

check "fresh prefix: no program folder yet" "1" "$([ -e "$program_folder" ]; echo $?)"
unpacked=$gui_work/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$build/installation/Ostrel.zip")
source_folder=$unpacked/Ostrel
check "zip: installer and programs" "Anglet.dll Ostrel.exe tarnik.exe tarnik.ini" \
    "$(cd "$source_folder" && ls Ostrel.exe tarnik/Anglet.dll tarnik/tarnik.exe tarnik/tarnik.ini |
        xargs -n1 basename | sort | xargs)"
# What a shop supplies beside the installer, and Mirando.exe while it is
# not built (the zip then lists it in MISSING.txt).
for name in nvout.xslt nvcut.gms nvmirando.gms nvaddmark.gms; do
    echo "stand-in $name" >"$source_folder/$name"
done
if [ ! -f "$source_folder/tarnik/Mirando.exe" ]; then
    echo "note: Mirando.exe is not built yet; a stand-in takes its place"
    check "zip: the missing program is listed" "tarnik\\Mirando.exe" \
        "$(tr -d '\r' <"$source_folder/MISSING.txt")"
    echo "stand-in Mirando.exe" >"$source_folder/tarnik/Mirando.exe"
fi

register_stand_in
mkdir -p "$ostrel_corel/CorelDRAW/_default"
script vba=1 "gms=$(winpath_dir "$ostrel_gms")" "base=$(winpath_dir "$ostrel_corel")" \
    "projects=NvWorkTool"
start_ostrel "$source_folder"
drv dclick "Ostrelnv setup" 1 >/dev/null
check "install: success message" "Install success!" "$(drv message 'coreldraw setup' 15000)"
drv dclick 'coreldraw setup' 1 >/dev/null
check "install: the installer ends" "0" "$(ostrel_ended; echo $?)"
check "install: program files" "Anglet.dll Mirando.exe tarnik.exe tarnik.ini" \
    "$(cd "$program_folder" && echo *)"
check "install: macro files" "nvaddmark.gms nvcut.gms nvmirando.gms" "$(cd "$ostrel_gms" && echo *)"

(cd "$program_folder" && exec wine tarnik.exe >"$gui_work/tarnik.out" 2>&1) &
gui_last_pid=$!
gui_pids+=("$gui_last_pid")
check "installed tarnik.exe: main window" "0" "$(drv find 15000 >/dev/null; echo $?)"
check "installed tarnik.exe: ready" "准备就绪" "$(wait_for_text 1006 准备就绪)"
exit_tarnik

gui_finish
