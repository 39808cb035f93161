#!/usr/bin/env bash
# Prints two figures of the real Velmar under Xvfb, with ZEFAN on the
# simulated chip and the host test skin, in a private profile:
#   start-up to window shown   (from main's first line to the first show)
#   one update tick            (host time from timer 1 firing to the end of
#                               its handler, after the last page write), with
#                               the plug-in view hidden and shown
# Usage: tests/host/e2e/velmar_figures.sh [build folder] [runs]
# Reads the running program through its test-only dump (VELMAR_TEST_CONTROL).
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-5}
APP="$(cd "$BUILD/app" && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BUILD" "$RUNS"
fi
PROFILE=$(mktemp -d /tmp/velmar-figures-XXXXXX)
trap 'rm -rf "$PROFILE"' EXIT
export VELMAR_REGISTRY_DIR="$PROFILE" XDG_RUNTIME_DIR="$PROFILE/run" VELMAR_TEST_CONTROL="$PROFILE/dump.txt"
mkdir -p "$PROFILE/run" && chmod 700 "$PROFILE/run"
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\VARNIO' Backend --string simulated >/dev/null
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\SystemInfo' MBModel --string SimulatedBoard >/dev/null
"$APP/varnreg" set 'HKLM\SOFTWARE\VARN\APM' ZEFAN --string "$APP/ZEFAN.so" >/dev/null
"$APP/varnreg" set 'HKCU\SOFTWARE\VARN\TamloIII' Interval --string 1 >/dev/null

value() { sed -n "s/^$1=//p" "$PROFILE/dump.txt" | head -1; }

for run in $(seq 1 "$RUNS"); do
  rm -rf "$PROFILE/run/"* "$PROFILE/dump.txt"
  "$APP/Velmar" >"$PROFILE/velmar.log" 2>&1 &
  pid=$!
  shown=-1 tick=-1 shownTick=-1
  for _ in $(seq 1 60); do
    sleep 0.5
    kill -USR1 "$pid" 2>/dev/null || break
    sleep 0.2
    [ -f "$PROFILE/dump.txt" ] || continue
    shown=$(value shownAfterMs); tick=$(value tick1Ms)
    if [ "${shown%%.*}" != "-1" ] && [ "${tick%%.*}" != "-1" ] && [ -n "$tick" ]; then
      # One more tick, so the figure is a steady one, not the first.
      sleep 1.2; kill -USR1 "$pid"; sleep 0.2; tick=$(value tick1Ms)
      # The skin's FANS button shows the view; then the plain tick.
      xdotool mousemove 50 43 click 1
      sleep 2.5; kill -USR1 "$pid"; sleep 0.2; shownTick=$(value tick1Ms)
      break
    fi
  done
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  printf 'run %d: start-up to window shown %s ms; one update tick %s ms (view hidden), %s ms (view shown)\n' \
    "$run" "$shown" "$tick" "$shownTick"
done
