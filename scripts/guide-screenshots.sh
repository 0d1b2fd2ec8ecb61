#!/usr/bin/env bash
# Pictures of every dialog of the Windows programs for docs/guide.md: the
# real tarnik.exe, Mirando.exe and Ostrel.exe of a Windows build under Wine,
# each window captured with its frame, plus the SVG preview of the bundled
# sample from the native build.
#   scripts/guide-screenshots.sh [WINDOWS_BUILD [OUT_DIR]]
# WINDOWS_BUILD defaults to build/windows, OUT_DIR to docs/images. The
# native build (build/native) gives the preview. TARNIK_GUI_DISPLAY chooses
# the X display: give it one that no GUI test uses at the same time, or
# their windows land in the pictures. Run it again at any time: it rewrites
# the same files (byte for byte while the dialogs stay as they are).
#
# The prefix is one of its own (WINDOWS_BUILD/wine-shots), set up so that
# the pictures show what a user sees:
# - Wine draws the window frames itself (X11 Driver "Decorated" = N), so the
#   captions, frames and caption buttons are there without a window manager;
# - the caption buttons' symbol font (Marlett) and a Chinese font are in
#   the prefix's Fonts folder, so no glyph shows as a letter or a box.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build/windows}" && pwd)
out=$(mkdir -p "${2:-$top/docs/images}" && cd "${2:-$top/docs/images}" && pwd)
native=$top/build/native
export TARNIK_GUI_WINE_ROOT=${TARNIK_SHOTS_WINE_ROOT:-$build/wine-shots}
source "$top/tests/sender/app/win32/tarnik_gui_env.sh" "$build" 2>/dev/null
status=0
missing_tools=()
for tool in xdotool import convert; do
    command -v $tool >/dev/null || missing_tools+=($tool)
done
[ ${#missing_tools[@]} -eq 0 ] || { echo "missing: ${missing_tools[*]} (scripts/install-deps.sh)"; exit 1; }

# ---- The prefix: frames drawn by Wine, the fonts in its Fonts folder ----
fonts=$WINEPREFIX/drive_c/windows/Fonts
marlett=$(ls /usr/share/wine/fonts/marlett.ttf 2>/dev/null | head -n 1)
chinese=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei' 2>/dev/null)
[ -n "$marlett" ] || { echo "no marlett.ttf: install fonts-wine (scripts/install-deps.sh)"; exit 1; }
case $chinese in *wqy*) ;; *) echo "no Chinese font: install fonts-wqy-microhei"; exit 1 ;; esac
mkdir -p "$fonts"
cp -u "$marlett" "$chinese" "$fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# Tooltips follow the pointer: keep it in a corner, off every window.
read -r screen_w screen_h < <(xdotool getdisplaygeometry 2>/dev/null || echo "1024 768")
xdotool mousemove $((screen_w - 1)) $((screen_h - 1)) 2>/dev/null

# Without a taskbar Wine shows the notification icons in a window of their
# own at the top left, where the programs' windows open, and the icon's
# balloons pop up beside it (in black, without a compositor). Both go to the
# bottom right corner before a picture: the tray by its name, a balloon as
# the nameless window it is.
tray_aside() {
    local window root
    root=$(xdotool search --maxdepth 0 --name '' 2>/dev/null | head -n 1)
    for window in $(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null) \
        $(xdotool search --onlyvisible --maxdepth 1 --name '^$' 2>/dev/null); do
        [ "$window" = "$root" ] && continue
        xdotool windowmove "$window" $((screen_w - 200)) $((screen_h - 120)) 2>/dev/null
    done
}

# shoot TITLE NAME: captures the top-level window with that caption, frame
# included, as OUT_DIR/NAME.png.
shoot() {
    local window=""
    tray_aside
    for _ in $(seq 50); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no window \"$1\" for $2"; status=1; return 1; }
    sleep 0.7  # the last repaint
    import -display "$DISPLAY" -window "$window" "png:$out/$2.png.tmp" &&
        convert "png:$out/$2.png.tmp" -strip "png:$out/$2.png" && echo "$out/$2.png"
    rm -f "$out/$2.png.tmp"
}

# ---- Tarnik: main window, settings, file settings, about; both languages ----
com=3
ln -sfn /nonexistent/tarnik-com "$WINEPREFIX/dosdevices/com$com"
temp_dir=""
tarnik_shots() { # tarnik_shots LAN SUFFIX MAIN SETTINGS FILE_SETTINGS ABOUT
    # The file settings dialog shows a job placed on 600 mm media: two
    # mirrored copies with a weeding border.
    write_ini "Lan=$1" "[COM]" "CurrentCom=$com" "[AutoGET]" "ColExportFilename=tarnik_export.plt" \
        "[CutPlan]" "MediaWidth=600.0" "Mirror=1" "Copies=2" "CopyGap=5.0" "WeedBorder=5.0"
    start_tarnik
    drv find 15000 >/dev/null || { echo "no main window ($1)"; status=1; exit_tarnik; return; }
    shoot "$3" "tarnik_main_$2"
    drv click 1001 >/dev/null
    drv dialog "$4" 10000 >/dev/null && shoot "$4" "tarnik_settings_$2"
    drv dclick "$4" 1020 >/dev/null
    dialog_gone "$4"
    [ -n "$temp_dir" ] || temp_dir=$(winepath -u "$(drv temp)" 2>/dev/null)
    cp "$top/samples/sign.plt" "$temp_dir/tarnik_export.plt"
    drv post 1124 0 0 >/dev/null  # the export macro's "job ready"
    drv dialog "$5" 10000 >/dev/null && shoot "$5" "tarnik_file_settings_$2"
    drv dclick "$5" 2 >/dev/null
    dialog_gone "$5"
    drv post 274 16 0 >/dev/null  # the system menu's About
    drv dialog "$6" 10000 >/dev/null && shoot "$6" "tarnik_about_$2"
    drv dclick "$6" 1 >/dev/null
    dialog_gone "$6"
    exit_tarnik
}
tarnik_shots Chinese chinese Tarnik 设置 文件设置 "关于 Tarnik"
tarnik_shots English english Tarnik Settings "File settings" "About Tarnik"
rm -f "$WINEPREFIX/dosdevices/com$com"

# ---- Mirando: its dialog and its about box ----
mdrv() {
    wine "$build/mirando_gui_driver.exe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
if [ -f "$build/Mirando.exe" ]; then
    cp "$build/Mirando.exe" "$gui_program/"
    (cd "$gui_program" && exec wine Mirando.exe >/dev/null 2>&1) &
    gui_last_pid=$!
    gui_pids+=("$gui_last_pid")
    if mdrv main 15000 >/dev/null; then
        shoot Mirando mirando
        mdrv sys 16 >/dev/null
        drv dialog '关于 Mirando' 5000 >/dev/null && shoot '关于 Mirando' mirando_about
        drv dclick '关于 Mirando' 1 >/dev/null
        dialog_gone '关于 Mirando'
        mdrv click 2 >/dev/null
    else
        echo "no Mirando window"; status=1
    fi
    wait "$gui_last_pid" 2>/dev/null
fi

# ---- Ostrel: the installer's dialog and its about box ----
source "$top/tests/installer/win32/ostrel_gui_env.sh" "$build"
make_source "$gui_work/source"
if start_ostrel "$gui_work/source"; then
    shoot "Ostrelnv setup" ostrel
    # The About item is the last of the system menu: Alt+Space, Up, Enter.
    window=$(xdotool search --onlyvisible --name '^Ostrelnv setup$' | tail -n 1)
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+space Up Return 2>/dev/null ||
        xdotool windowfocus --sync "$window" key --clearmodifiers alt+space Up Return
    drv dialog "About ostrel" 5000 >/dev/null && shoot "About ostrel" ostrel_about
    drv dclick "About ostrel" 1 >/dev/null
    dialog_gone "About ostrel"
    drv dclick "Ostrelnv setup" 2 >/dev/null
    ostrel_ended || kill "$gui_last_pid" 2>/dev/null
else
    echo "no Ostrel window"; status=1
fi

# ---- The SVG preview of the bundled sample (native build) ----
if [ -x "$native/cli/tarnik-cli" ]; then
    "$native/cli/tarnik-cli" cut --settings "$top/samples/tarnik.ini" --output "$gui_work/sign.job" \
        "$top/samples/sign.plt" >/dev/null &&
        "$native/cli/tarnik-cli" preview "$gui_work/sign.job" -o "$out/sign_preview.svg" >/dev/null &&
        echo "$out/sign_preview.svg"
else
    echo "no native build: $native/cli/tarnik-cli (scripts/build.sh native)"; status=1
fi
exit $status
