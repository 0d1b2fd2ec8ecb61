#!/usr/bin/env bash
# The main window of the real tarnik.exe under Wine: its controls in their
# initial state, the macro's query message, a window that neither the close
# box, WM_CLOSE nor Enter ends, the taskbar's announcement, minimise to the notification area and back, the
# tray menu, the About box and the Exit button.
#   wine_tarnik_window.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tarnik_gui_env.sh" "$1" 2>/dev/null

WM_CLOSE=16
WM_SYSCOMMAND=274
SC_CLOSE=61536
SC_MINIMIZE=61472
WM_TRAY=1034
TRAY_ID=173
WM_LBUTTONDBLCLK=515
WM_RBUTTONUP=517
VK_RETURN=13

# visible_after EXPECTED: the main window's visibility once it settles (the
# X server maps and unmaps windows a little later), up to 5 s.
visible_after() {
    local state
    for _ in $(seq 25); do
        state=$(drv visible)
        [ "$state" == "$1" ] && break
        sleep 0.2
    done
    echo "$state"
}

screenshot() {
    command -v import >/dev/null && import -display "$DISPLAY" -window root "$gui_build/$1.png"
}

write_ini "Lan=Chinese" "[COM]" "CurrentCom=3" "[Model]" "Mode=1"
start_tarnik
check "main window" "0" "$(drv find 15000; echo $?)"

# Controls: "visible enabled checked".
check "cut from file 1002" "1 1 0" "$(drv state 1002)"
check "option 1001" "1 1 0" "$(drv state 1001)"
check "cancel 1000" "1 0 0" "$(drv state 1000)"
check "spare 1003" "0 0 0" "$(drv state 1003)"
check "exit 1" "1 1 0" "$(drv state 1)"
check "auto radio 1017" "0 0 1" "$(drv state 1017)"
check "file radio 1018" "0 1 0" "$(drv state 1018)"
check "lamp 1009" "0 1 0" "$(drv state 1009)"
check "model text" "MODEL: NVA" "$(drv text 1008)"
check "port text" "COM:COM3" "$(drv text 1007)"
check "status text" "准备就绪" "$(drv text 1006)"
check "version label" "V2.6" "$(drv text -1)"
screenshot tarnik_main_idle

check "WM_USER+102 answers 1" "1" "$(drv send 1126 0 0)"
drv post $WM_CLOSE 0 0 >/dev/null
drv post $WM_SYSCOMMAND $SC_CLOSE 0 >/dev/null
sleep 0.5
check "WM_CLOSE and the close box leave it open" "1" "$(drv visible)"

# A stray Enter must not end the job sender: not with the focus where the
# window puts it, not with the Exit button focused by the keyboard.
drv key $VK_RETURN >/dev/null
sleep 0.5
check "Enter leaves it running" "1" "$(drv visible)"
drv focus 1 >/dev/null
drv key $VK_RETURN >/dev/null
sleep 0.5
check "Enter on the focused Exit button leaves it running" "1" "$(drv visible)"
drv focus 1002 >/dev/null

# The taskbar announcing itself (after an Explorer restart) adds the icon
# again; the window goes on and its icon still opens the menu.
drv announce >/dev/null
sleep 0.3
check "TaskbarCreated leaves it running" "1" "$(drv visible)"

drv post $WM_SYSCOMMAND $SC_MINIMIZE 0 >/dev/null
check "minimise hides the window" "0" "$(visible_after 0)"
drv post $WM_TRAY $TRAY_ID $WM_LBUTTONDBLCLK >/dev/null
check "double click on the icon restores it" "1" "$(visible_after 1)"

drv post $WM_TRAY $TRAY_ID $WM_RBUTTONUP >/dev/null
check "right click opens the tray menu" "0" "$(drv menu 5000; echo $?)"
sleep 0.3

drv post $WM_SYSCOMMAND 16 0 >/dev/null
check "About box" "0" "$(drv dialog '关于 Tarnik' 10000; echo $?)"
check "About program line" "2.X" "$(drv dtext '关于 Tarnik' 1050)"
screenshot tarnik_about
drv dclick '关于 Tarnik' 1 >/dev/null
sleep 0.3

drv click 1 >/dev/null
check "Exit ends it" "0" "$(drv gone 10000; echo $?)"
wait "$gui_last_pid"
check "exit code" "0" "$?"

gui_finish
