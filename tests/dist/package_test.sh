#!/usr/bin/env bash
# The Debian package: built by CPack from this build, unpacked with
# dpkg-deb -x into a temporary root; the packaged tarnik-cli cuts the
# packaged sample with the packaged settings through the packaged plotter
# simulator, and must send what the build's tarnik-cli writes for the same
# files. libcups must stay a recommendation, and lintian must find no error.
#   package_test.sh BUILD_DIR TARNIK_CLI
set -uo pipefail
build=$1 cli=$2
source "$(dirname "$0")/dist_test_env.sh"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(tail -n 20 "$work/cpack.log")"
deb=$(ls "$work"/out/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no .deb"
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"

depends=$(dpkg-deb -f "$deb" Depends)
case $depends in *libcups*) fail "libcups is a hard dependency: $depends" ;; esac
case $depends in *libstdc++6*) ;; *) fail "the C++ runtime is missing from Depends: $depends" ;; esac
[ "$(dpkg-deb -f "$deb" Recommends)" = libcups2 ] || fail "libcups2 is not recommended"
for file in usr/bin/tarnik-cli usr/bin/tarnik-plotter-sim usr/share/man/man1/tarnik-cli.1.gz \
    usr/share/man/man1/tarnik-plotter-sim.1.gz usr/share/man/man5/tarnik.ini.5.gz \
    usr/share/bash-completion/completions/tarnik-cli usr/share/tarnik/tarnik.ini \
    usr/share/tarnik/sign.plt usr/share/inkscape/extensions/tarnik_send.inx \
    usr/share/inkscape/extensions/tarnik_send.py usr/share/doc/tarnik/guide.md usr/share/doc/tarnik/images/sign_preview.svg; do
    [ -e "$work/root/$file" ] || fail "$file is not in the package"
done

# One version for the product: the package's, the programs' --version, the
# manual pages' and the changelog's.
version=$(dpkg-deb -f "$deb" Version)
for program in tarnik-cli tarnik-plotter-sim; do
    said=$("$work/root/usr/bin/$program" --version) || fail "$program --version failed"
    [ "$said" = "$program (Tarnik) $version" ] || fail "$program --version says: $said (package $version)"
done
"$work/root/usr/bin/tarnik-plotter-sim" --help | grep -q "^usage: tarnik-plotter-sim " ||
    fail "the simulator's --help does not name it as installed or does not end with status 0"
for page in man1/tarnik-cli.1.gz man1/tarnik-plotter-sim.1.gz man5/tarnik.ini.5.gz; do
    zcat "$work/root/usr/share/man/$page" | head -n 1 | grep -q "\"Tarnik $version\"" ||
        fail "$page is not of Tarnik $version: $(zcat "$work/root/usr/share/man/$page" | head -n 1)"
done
zcat "$work/root/usr/share/doc/tarnik/changelog.gz" | head -n 1 | grep -q "^tarnik ($version) " ||
    fail "the changelog's last entry is not $version"
grep -q "tarnik_${version}_amd64.deb" "$work/root/usr/share/doc/tarnik/README.md" ||
    fail "the README names another package file than tarnik_${version}_amd64.deb"

share=$work/root/usr/share/tarnik
"$cli" cut --settings "$share/tarnik.ini" --output "$work/expected.job" "$share/sign.plt" >/dev/null ||
    fail "the build's tarnik-cli on the packaged sample"
start_simulator "$work/root/usr/bin/tarnik-plotter-sim" --rate 40000 --idle-exit 1
"$work/root/usr/bin/tarnik-cli" cut --settings "$share/tarnik.ini" --port "$work/plotter" \
    "$share/sign.plt" >"$work/summary" 2>/dev/null || fail "the packaged tarnik-cli refused the sample"
simulator_done
cmp -s "$work/expected.job" "$work/received.job" || fail "the packaged programs sent another job"
grep -q "sign.plt: .* mm at 800 units per inch, .* cut paths" "$work/summary" || fail "no summary: $(cat "$work/summary")"

# Bash completion: what it offers after each subcommand must be options that
# tarnik-cli knows (bash-completion's helpers stubbed: only the word lists
# are checked here).
complete_words() { # complete_words WORD... : the completions of the last word
    bash -c '_init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}
                                  words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
             _filedir() { :; }
             source "$1"; shift
             COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tarnik_cli; echo "${COMPREPLY[*]}"' \
        _ "$work/root/usr/share/bash-completion/completions/tarnik-cli" tarnik-cli "$@"
}
[ "$(complete_words "")" = "cut info preview mark-offset --help" ] ||
    fail "subcommands completed as: $(complete_words "")"
for command in cut preview mark-offset; do
    options=$(complete_words "$command" -)
    [ -n "$options" ] || fail "no options completed after $command"
    for option in $options; do
        case $("$work/root/usr/bin/tarnik-cli" "$command" "$option" 2>&1) in
            *"unknown option"*) fail "completion offers $command $option, which tarnik-cli does not know" ;;
        esac
    done
done

if ! command -v lintian >/dev/null; then
    fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi
lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -E '^E:' "$work/lintian.log" || cat "$work/lintian.log")"
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes; lintian: no errors," \
    "$(grep -c '^W:' "$work/lintian.log") warnings"
grep '^W:' "$work/lintian.log"
exit 0
