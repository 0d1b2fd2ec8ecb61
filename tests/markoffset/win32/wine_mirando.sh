#!/usr/bin/env bash
# The real Mirando.exe under Wine, driven from outside as a user would: the
# dialog's controls, a refused minus sign, a port with nothing behind it,
# the commands at a plotter on COM20 (a pseudo-terminal) compared with what
# tarnik-cli sends for the same values, a plotter that takes no data, and
# SaveToFile compared with tarnik-cli --output. Leaves a screenshot of the
# dialog in BUILD_DIR/mirando_dialog.png.
#   wine_mirando.sh BUILD_DIR
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../sender/app/win32/tarnik_gui_env.sh" "$1" 2>/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

cp "$gui_build/Mirando.exe" "$gui_program/"
# The plotter behind COM20; while $gui_work/hold exists it holds the line
# (writes to the port stay pending). COM1..COM19 lead nowhere (never to
# this machine's own serial ports).
for n in $(seq 19); do ln -sfn /nonexistent/tarnik-com "$WINEPREFIX/dosdevices/com$n"; done
trap 'for n in $(seq 19); do rm -f "$WINEPREFIX/dosdevices/com$n"; done; gui_cleanup' EXIT
start_plotter 20

mdrv() {
    wine "$gui_build/mirando_gui_driver.exe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
start_mirando() {
    start_program Mirando.exe
    mdrv main 15000
}
# answer_box EXPECTED_TEXT LABEL: the message box's text, then its OK.
answer_box() {
    check "$2" "$1" "$(mdrv box 10000)"
    mdrv answer 1 >/dev/null
}
# Bytes that reached the plotter since offset $1.
received_since() { tail -c +$(($1 + 1)) "$received"; }

# --- The dialog as it opens ---
start_mirando
check "dialog opens" "0" "$?"
check "upper offset" "0.00" "$(mdrv text 1000)"
check "right offset" "0.00" "$(mdrv text 1004)"
check "instructions" "1.Press ONLINE |key of plotter|2.Input offset|3.Set Port|4.Click Modify" \
    "$(mdrv text 1007 | tr '\n' '|' | sed 's/|$//')"
check "instructions are read-only and multi-line" "0x804" \
    "$(printf '0x%x' $(($(mdrv style 1007) & 0x804)))"
check "ports" "20 COM1 COM20" "$(mdrv list 1006)"
check "port COM1 selected" "COM1" "$(mdrv text 1006)"
check "SaveToFile off" "0" "$(mdrv check 1009)"
check "Modify is the default button" "1" "$(($(mdrv style 1) & 0xF))"
check "buttons" "&Modify &Cancel SaveToFile V2.0" \
    "$(mdrv text 1) $(mdrv text 2) $(mdrv text 1009) $(mdrv text 1025)"
check "topmost" "1" "$(mdrv topmost)"

# The system menu's About item and box.
mdrv sys 16 >/dev/null
check "about box" "0" "$(drv dialog '关于 Mirando' 5000; echo $?)"
drv dclick '关于 Mirando' 1 >/dev/null
dialog_gone '关于 Mirando'

# --- A minus sign is refused and the edit reset ---
mdrv type 1002 "-" >/dev/null
answer_box "Input number or dot" "minus sign refused"
check "refused offset reset" "0.00" "$(mdrv text 1002)"

# --- A port with nothing behind it (COM1 here) ---
mdrv click 1 >/dev/null
answer_box "Port can't be used,Check please!" "port can't be used"
check "dialog stays after the port failure" "0" "$(mdrv main 0; echo $?)"

# --- Sending to COM20 typed into the Port box: line check, lead-in and commands, then the dialog closes ---
mdrv type 1000 "1.2" >/dev/null
mdrv type 1004 ".5" >/dev/null
# The port typed, not picked: the box takes typing (mended: port 0).
mdrv type 1006 "com20" >/dev/null
before=$(size_of "$received")
mdrv click 1 >/dev/null
answer_box "Set MARK offset success!" "sent"
check "dialog closes after the send" "0" "$(mdrv gone 5000; echo $?)"
wait "$gui_last_pid" 2>/dev/null
lead_in=$(printf '%62s\t\t%45s' '' '')
expected="  ${lead_in}\$A,-1.20;"$'\r\n'"\$B,-0.50;"$'\r\n'"\$\$"$'\r\n'
wait_for_size "$received" $((before + ${#expected}))
check "plotter got blanks, lead-in and commands" "$(printf '%s' "$expected" | od -c)" \
    "$(received_since "$before" | od -c)"
received_since "$before" >"$gui_work/mirando_sent.bin"
# tarnik-cli (the Windows build, same port) sends the same bytes.
before=$(size_of "$received")
(cd "$gui_work" && wine "$gui_build/cli/tarnik-cli.exe" mark-offset --upper 1.2 --right .5 \
    --port COM20 >/dev/null 2>&1)
wait_for_size "$received" $((before + ${#expected}))
check "tarnik-cli sends what Mirando sends" "0" \
    "$(received_since "$before" | cmp - "$gui_work/mirando_sent.bin" >/dev/null; echo $?)"

# --- A plotter that takes no data: writes stay pending ---
start_mirando
mdrv type 1000 "3" >/dev/null
mdrv select 1006 19 >/dev/null
touch "$gui_work/hold"
sleep 0.3
mdrv click 1 >/dev/null
answer_box "ONLINE,please!" "plotter not on line"
check "dialog stays with the values entered" "3.00 0.00 COM20" \
    "$(mdrv text 1000) $(mdrv text 1002) $(mdrv text 1006)"
rm -f "$gui_work/hold"

# --- SaveToFile: the Save As dialog, job.txt saved as job.txt.plt ---
mdrv type 1003 "1.5" >/dev/null
mdrv click 1009 >/dev/null
sleep 0.3
check "SaveToFile ticked" "1" "$(mdrv check 1009)"
# The Enter key: the upper edit keeps the focus, so its "0" is not formatted.
mdrv type 1000 "0" >/dev/null
mdrv enter 1000 >/dev/null
check "save dialog" "0" "$(choose_file "$gui_work/job.txt" 另存为 "Save As"; echo $?)"
answer_box "Save OK!" "saved"
check "dialog closes after the save" "0" "$(mdrv gone 5000; echo $?)"
wait "$gui_last_pid" 2>/dev/null
check "saved file holds the commands, no lead-in" "$(printf '$A,-0;\r\n$B,1.50;\r\n$$\r\n' | od -c)" \
    "$(od -c <"$gui_work/job.txt.plt" 2>/dev/null)"
(cd "$gui_work" && wine "$gui_build/cli/tarnik-cli.exe" mark-offset --upper 2 --left 0.5 \
    --output "$(winpath "$gui_work/cli.plt")" >/dev/null 2>&1)
start_mirando
mdrv type 1000 "2" >/dev/null
mdrv type 1003 "0.5" >/dev/null
mdrv click 1009 >/dev/null
mdrv click 1 >/dev/null
choose_file "$gui_work/same.plt" 另存为 "Save As"
answer_box "Save OK!" "saved again"
check "tarnik-cli --output equals the saved file" "0" \
    "$(cmp "$gui_work/same.plt" "$gui_work/cli.plt" >/dev/null; echo $?)"
wait "$gui_last_pid" 2>/dev/null

# --- A screenshot of the dialog over its background ---
start_mirando
mdrv type 1000 "1.2" >/dev/null
mdrv type 1004 "0.5" >/dev/null
mdrv type 1003 "" >/dev/null
sleep 0.5
rect=$(mdrv rect)
command -v import >/dev/null &&
    import -display "$DISPLAY" -window root -crop "$rect" +repage "$gui_build/mirando_dialog.png"
mdrv click 2 >/dev/null
check "Cancel closes the dialog" "0" "$(mdrv gone 5000; echo $?)"
wait "$gui_last_pid" 2>/dev/null
gui_finish
