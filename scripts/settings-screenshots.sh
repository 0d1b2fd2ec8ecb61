#!/usr/bin/env bash
# Pictures of the Windows programs' dialogs, the settings dialog in both
# languages among them (tarnik_settings_chinese.png, tarnik_settings_english.png):
# scripts/guide-screenshots.sh with the pictures in a build folder instead
# of docs/images.
#   scripts/settings-screenshots.sh [BUILD_DIR [OUT_DIR]]
# BUILD_DIR defaults to build/windows, OUT_DIR to BUILD_DIR/screenshots.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build/windows}
exec "$top/scripts/guide-screenshots.sh" "$build" "${2:-$build/screenshots}"
