# Sourced by the test scripts: a headless Wine with its own prefix and the
# zh_CN.UTF-8 locale, so the ANSI code page is 936 as on the users' machines.
# TARNIK_WINE_ROOT (default: build/wine under the checkout) holds the prefix,
# the generated locale and the Xvfb lock.
_tarnik_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TARNIK_WINE_ROOT=${TARNIK_WINE_ROOT:-$_tarnik_top/build/wine}
export WINEPREFIX=$TARNIK_WINE_ROOT/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH=$TARNIK_WINE_ROOT/locale
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export DISPLAY=${TARNIK_DISPLAY:-:97}

tarnik_wine_prepare() {
    mkdir -p "$TARNIK_WINE_ROOT" "$LOCPATH"
    (
        flock 9
        if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
            LC_ALL=C LANG=C localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null ||
                [ -d "$LOCPATH/zh_CN.UTF-8" ] || { echo "wine-env: localedef failed" >&2; exit 1; }
        fi
        if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
            (Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 9>&- &)
            for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
        fi
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wine wineboot -i >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$TARNIK_WINE_ROOT/.lock"
}
