# Sourced by the installer's Wine tests, after tarnik_gui_env.sh: the
# stand-in automation server registered in the prefix under the X4 and X7
# ProgIDs, an installation source with stand-in CorelDRAW-side files, and
# helpers to run Ostrel.exe against them.
#   source ostrel_gui_env.sh BUILD_DIR
ostrel_build=$(cd "$1" && pwd)
ostrel_clsid='{6E3A1F52-9C4B-4D2E-8F71-3B5A0C9D2E14}'
ostrel_server=$gui_work/server
ostrel_gms=$gui_work/gms
ostrel_corel=$gui_work/corel
# Wine finds "c:\\program files" without regard to case: the prefix has it
# as "Program Files".
program_folder="$(find "$WINEPREFIX/drive_c" -maxdepth 1 -iname 'program files' | head -n 1)/Tarnik"
mkdir -p "$ostrel_server" "$ostrel_gms" "$ostrel_corel"
cp "$ostrel_build/automation_stand_in.dll" "$ostrel_server/"
[ ! -f "$ostrel_build/stand_in_host.exe" ] || cp "$ostrel_build/stand_in_host.exe" "$ostrel_server/"

register_stand_in() {
    local id
    wine reg delete "HKCR\\CLSID\\$ostrel_clsid\\LocalServer32" /f >/dev/null 2>&1
    for id in 14 17; do
        wine reg add "HKCR\\coreldraw.Application.$id\\CLSID" /ve /d "$ostrel_clsid" /f >/dev/null 2>&1
    done
    wine reg add "HKCR\\CLSID\\$ostrel_clsid\\InprocServer32" /ve \
        /d "$(winpath "$ostrel_server/automation_stand_in.dll")" /f >/dev/null 2>&1
    wine reg add "HKCR\\CLSID\\$ostrel_clsid\\InprocServer32" /v ThreadingModel /d Apartment \
        /f >/dev/null 2>&1
}

# The stand-in served from a process of its own (stand_in_host.exe), as
# CorelDRAW serves its objects: only a local server is registered.
register_stand_in_host() {
    register_stand_in
    wine reg delete "HKCR\\CLSID\\$ostrel_clsid\\InprocServer32" /f >/dev/null 2>&1
    wine reg add "HKCR\\CLSID\\$ostrel_clsid\\LocalServer32" /ve \
        /d "$(winpath "$ostrel_server/stand_in_host.exe") $ostrel_clsid" /f >/dev/null 2>&1
}

# make_source FOLDER: Ostrel.exe with stand-ins for the files a shop supplies,
# and the programs' subfolder (Mirando.exe is a stand-in until it is built).
make_source() {
    local source=$1 name
    mkdir -p "$source/tarnik"
    cp "$ostrel_build/Ostrel.exe" "$source/"
    for name in command.cwf nvout.xslt nvout.cdws nvoutX8.cdws nvcut.gms nvmirando.gms \
        nvaddmark.gms; do
        echo "stand-in $name" >"$source/$name"
    done
    cp "$ostrel_build/tarnik.exe" "$ostrel_build/Anglet.dll" "$source/tarnik/"
    if [ -f "$ostrel_build/Mirando.exe" ]; then
        cp "$ostrel_build/Mirando.exe" "$source/tarnik/"
    else
        echo "stand-in Mirando.exe" >"$source/tarnik/Mirando.exe"
    fi
    printf '[Language]\r\nLan=Chinese\r\n' >"$source/tarnik/tarnik.ini"
}

# script LINE...: the stand-in server's answers for the next run; the call
# record starts empty.
script() {
    printf '%s\n' "$@" >"$ostrel_server/stand_in_script.txt"
    rm -f "$ostrel_server/stand_in_calls.txt"
}

calls() {
    cat "$ostrel_server/stand_in_calls.txt" 2>/dev/null
}

# start_ostrel SOURCE: runs the installer from its source folder, in the
# background; 0 once its window is there.
start_ostrel() {
    (cd "$1" && exec wine Ostrel.exe >"$gui_work/ostrel.out" 2>&1) &
    gui_last_pid=$!
    gui_pids+=("$gui_last_pid")
    drv dialog "Ostrelnv setup" 15000 >/dev/null
}

# ostrel_ended: 0 once the installer's process has ended (up to 10 s).
ostrel_ended() {
    for _ in $(seq 100); do
        kill -0 "$gui_last_pid" 2>/dev/null || { wait "$gui_last_pid"; return 0; }
        sleep 0.1
    done
    return 1
}

winpath_dir() {
    echo "$(winpath "$1")\\"
}
