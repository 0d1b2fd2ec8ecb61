#!/usr/bin/env bash
# Runs the CupsQueue tests against a real CUPS server: a private cupsd with
# its configuration, spool and logs in a folder of its own, listening only on
# a local socket there, and a queue whose device is a capture file.
#   cups_queue_test.sh TARNIK_TESTS
set -euo pipefail
exe=$1

# Debian puts cupsd and lpadmin in /usr/sbin, outside a normal user's PATH.
export PATH=$PATH:/usr/sbin:/sbin
for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || { echo "cups_queue_test: $tool missing (package cups)" >&2; exit 1; }
done

# The server's filters run as user lp (when the server runs as root) and
# read the spool, so the folder must be reachable by every user: not below
# the build folder, whose parents may be closed to others (a clone in a 0700
# home folder), but a fresh 0755 folder under the system temporary folder
# (a short path, too: the socket's must fit 108 bytes).
work=
cupsd_pid=
cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT
work=$(mktemp -d /tmp/tarnik-cups.XXXXXX)
chmod 755 "$work"
mkdir -p "$work"/{conf/ppd,spool,cache,state,tmp,log}

# cupsd will not run its filters as root: they run as lp.
cat >"$work/conf/cups-files.conf" <<CONF
User lp
Group lp
SystemGroup root
ServerRoot $work/conf
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
FileDevice Yes
CONF
cat >"$work/conf/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
# A queue without filters whose device is a file gets nothing written by
# cupsd, so the plotter's queue passes raw documents through one copying
# filter; the bytes stay unchanged.
cat >"$work/plotter.ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PLOTTER.PPD"
*Manufacturer: "Tarnik"
*Product: "(Plotter)"
*ModelName: "Tarnik capture plotter"
*ShortNickName: "Tarnik capture plotter"
*NickName: "Tarnik capture plotter"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*cupsFilter: "application/vnd.cups-raw 0 gziptoany"
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4: ""
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
PPD

cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" </dev/null &
cupsd_pid=$!
export CUPS_SERVER=$work/cups.sock
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    kill -0 "$cupsd_pid" 2>/dev/null || { cat "$work/log/error_log" >&2 || true; exit 1; }
    sleep 0.1
done

queue=TarnikPlotter
capture=$work/capture.bin
: >"$capture"
lpadmin -p "$queue" -E -v "file://$capture" -P "$work/plotter.ppd" 2>/dev/null

export TARNIK_CUPS_QUEUE=$queue TARNIK_CUPS_CAPTURE=$capture
status=0
timeout 60 "$exe" --gtest_filter='CupsQueue*' --gtest_brief=1 || status=$?
if [ $status -ne 0 ]; then
    tail -30 "$work/log/error_log" >&2 || true
fi
exit $status
