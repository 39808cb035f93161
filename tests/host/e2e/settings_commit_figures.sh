#!/usr/bin/env bash
# Prints what one OK of the settings dialog costs the registry store in the
# real Velmar under Xvfb, with ZEFAN's page on the simulated chip and the
# bundled skin, in a private profile: how many times each hive file is
# replaced (renames onto HKEY_*.reg) and how many fsyncs the replacements
# make (the temporary files' and the folder's), counted by strace over the
# click on OK until the dialog has closed; the megabytes those replacements
# wrote; and the span from the OK's first opening of a hive file to its last
# replacement.
# Usage: tests/host/e2e/settings_commit_figures.sh [build folder] [runs]
#   HIVE_MB=4 ...   the user's hive holds about that many MB of other values
#                   first (imported with varnreg), as a long-used profile might
#   KEEP=1 ...      keeps the profile folder (the trace, the dumps, the log)
# Reads the running program through its test-only dump (VELMAR_TEST_CONTROL).
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-3}
APP="$(cd "$BUILD/app" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BUILD" "$RUNS"
fi
PROFILE=$(mktemp -d /tmp/velmar-commit-XXXXXX)
tracer=
cleanup() {
  if [ -n "$tracer" ]; then kill -KILL "$tracer" 2>/dev/null || true; wait "$tracer" 2>/dev/null || true; fi
  if [ -n "${pid:-}" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  [ -n "${KEEP:-}" ] || rm -rf "$PROFILE"
}
trap cleanup EXIT
export VELMAR_REGISTRY_DIR="$PROFILE" XDG_RUNTIME_DIR="$PROFILE/run" VELMAR_TEST_CONTROL="$PROFILE/dump.txt"
export HOME="$PROFILE" XDG_CONFIG_HOME="$PROFILE/config"
mkdir -p "$PROFILE/run" && chmod 700 "$PROFILE/run"
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\VARNIO' Backend --string simulated >/dev/null
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\SystemInfo' MBModel --string SimulatedBoard >/dev/null
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\APM' ZEFAN --string "$APP/ZEFAN.so" >/dev/null
if [ "${HIVE_MB:-0}" -gt 0 ]; then
  # Keys of 100 values of 100 bytes: about 9,000 values a MB.
  awk -v n=$((HIVE_MB * 9000)) 'BEGIN {
    print "REGEDIT4"; pad = sprintf("%100s", ""); gsub(/ /, "b", pad)
    for (i = 0; i < n; ++i) {
      if (i % 100 == 0) printf "\n[HKEY_CURRENT_USER\\SOFTWARE\\VARN\\Bulk\\%d]\n", i / 100
      printf "\"%d\"=\"%s\"\n", i, pad
    }
  }' >"$PROFILE/bulk.reg"
  "$APP/varnreg" import "$PROFILE/bulk.reg"
  bulkValues=$("$APP/varnreg" export 'HKCU\SOFTWARE\VARN\Bulk' - | grep -c '^"')
fi

# A fresh dump, once the file has stopped growing.
dump() {
  rm -f "$PROFILE/dump.txt"
  kill -USR1 "$pid" 2>/dev/null || return 1
  local size=-1
  for _ in $(seq 1 40); do
    sleep 0.1
    [ -f "$PROFILE/dump.txt" ] || continue
    [ "$(stat -c %s "$PROFILE/dump.txt")" = "$size" ] && return 0
    size=$(stat -c %s "$PROFILE/dump.txt")
  done
  return 1
}
# Asks for dumps until section [$1] ("" for the lines before the first
# section) has key $2, at most $3 times (80); its value.
dump_key() {
  local value=
  for _ in $(seq 1 "${3:-80}"); do
    dump || continue
    value=$(awk -v s="[$1]" -v k="$2=" 'BEGIN {in_s = (s == "[]")}
                                         /^\[/ {in_s = ($0 == s); next}
                                         in_s && index($0, k) == 1 {print substr($0, length(k) + 1); exit}' \
            "$PROFILE/dump.txt")
    [ -n "$value" ] && { echo "$value"; return 0; }
  done
  return 1
}
# Asks for dumps until section [$1] is gone (at most 20 s).
dump_without() {
  for _ in $(seq 1 80); do
    dump && ! grep -qxF "[$1]" "$PROFILE/dump.txt" && return 0
  done
  return 1
}
click() { xdotool mousemove "$(echo "$1" | cut -d, -f1)" "$(echo "$1" | cut -d, -f2)" click 1; }
# Ends Velmar and, once it is gone, strace (which would wait for the web
# engine's helpers too).
stop() {
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 1 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
  kill -TERM "$tracer" 2>/dev/null || true
  for _ in $(seq 1 20); do kill -0 "$tracer" 2>/dev/null || break; sleep 0.25; done
  kill -KILL "$tracer" 2>/dev/null || true
  wait "$tracer" 2>/dev/null || true
  tracer=
}

for run in $(seq 1 "$RUNS"); do
  rm -rf "$PROFILE/run/"* "$PROFILE/dump.txt" "$PROFILE/trace"
  strace -f -y -qq -ttt -e trace=openat,rename,renameat,renameat2,fsync,fdatasync -o "$PROFILE/trace" \
    "$APP/Velmar" >"$PROFILE/velmar.log" 2>&1 &
  tracer=$!
  sleep 1
  pid=$(pgrep -P "$tracer" -x Velmar | head -1)
  dump_key "" pagesReady >/dev/null
  pos=$(dump_key "" windowPos)
  x=${pos%%,*}; y=${pos#*,}
  # Run as root, Velmar says once that it need not be: out of the way first.
  if note=$(dump_key dialog.RootNote button.OK 8) && [ -n "$note" ]; then
    click "$note"; dump_without dialog.RootNote
  fi
  # The bundled skin's SETUP button (298,9 24x24).
  xdotool mousemove $((x + 310)) $((y + 21)) click 1
  ok=$(dump_key dialog.SettingDialog button.OK)
  before=$(wc -l <"$PROFILE/trace")
  click "$ok"
  dump_without dialog.SettingDialog
  tail -n +"$((before + 1))" "$PROFILE/trace" >"$PROFILE/ok.trace"
  user=$(grep -cE 'rename.*HKEY_CURRENT_USER\.reg"\) = 0' "$PROFILE/ok.trace" || true)
  machine=$(grep -cE 'rename.*HKEY_LOCAL_MACHINE\.reg"\) = 0' "$PROFILE/ok.trace" || true)
  syncs=$(grep -cE "fsync\([0-9]+<($PROFILE|[^>]*\.reg\.tmp)>\)" "$PROFILE/ok.trace" || true)
  size=$(stat -c %s "$PROFILE/HKEY_CURRENT_USER.reg")
  span=$(grep -E 'openat\(.*HKEY_(CURRENT_USER|LOCAL_MACHINE)\.reg"|rename.*\.reg"\) = 0' "$PROFILE/ok.trace" |
         awk 'NR == 1 {first = $2} /rename/ {last = $2} END {printf "%.0f", (last > first ? (last - first) * 1000 : 0)}')
  stop
  printf 'run %d: one OK with ZEFAN'"'"'s page: %s replacements of HKEY_CURRENT_USER.reg (%s KB, %s KB written), %s of HKEY_LOCAL_MACHINE.reg, %s fsyncs, %s ms from the first hive opening to the last replacement\n' \
    "$run" "$user" $((size / 1024)) $((user * size / 1024)) "$machine" "$syncs" "$span"
  if [ -n "${bulkValues:-}" ]; then
    now=$("$APP/varnreg" export 'HKCU\SOFTWARE\VARN\Bulk' - | grep -c '^"')
    [ "$now" = "$bulkValues" ] || echo "run $run: the other values were $bulkValues, now $now"
  fi
done
