#!/usr/bin/env bash
# cmake --install, staged under DESTDIR as a package would be: the port
# service, its library and units, the group's sysusers.d entry and the
# tools the README names land where they belong; the staged programs run
# from their folder; systemd accepts the units; nothing outside the stage
# is touched.
set -euo pipefail
build=$1
stage=$(mktemp -d /tmp/velmar-stage-XXXXXX)
trap 'rm -rf "$stage"' EXIT
fail() { echo "install_check: $*" >&2; exit 1; }
cached() { sed -n "s/^$1:PATH=//p" "$build/CMakeCache.txt"; }

DESTDIR=$stage cmake --install "$build" >"$stage.log" 2>&1 || { cat "$stage.log"; fail "cmake --install failed"; }
rm -f "$stage.log"
prefix=$(cached CMAKE_INSTALL_PREFIX)
units=$(cached VELMAR_SYSTEMD_UNIT_DIR)
sysusers=$(cached VELMAR_SYSUSERS_DIR)

for file in "$prefix/velmar-portd" "$prefix/libvarnio_backend.so" "$prefix/libvarnio.so" \
            "$prefix/libvelmar_registry.so" "$prefix/hwmonctl" \
            "$prefix/varnreg" "$units/velmar-portd.service" "$units/velmar-portd.socket" "$sysusers/velmar.conf"; do
  [ -e "$stage$file" ] || fail "$file was not installed"
done
grep -qx "ExecStart=$prefix/velmar-portd --backend direct" "$stage$units/velmar-portd.service" ||
  fail "the service does not start $prefix/velmar-portd"
grep -qx 'ListenStream=/run/velmar/portd.sock' "$stage$units/velmar-portd.socket" ||
  fail "the socket is not where libvarnio looks for it"
grep -qx 'g velmar -' "$stage$sysusers/velmar.conf" || fail "the sysusers.d entry does not declare the group"

# The staged programs find their libraries beside them.
"$stage$prefix/velmar-portd" --help >/dev/null || fail "the staged velmar-portd does not run"
"$stage$prefix/hwmonctl" --help >/dev/null || fail "the staged hwmonctl does not run"

# systemd reads the units without a complaint (the service pointed at the
# staged program, which verify wants to find).
if command -v systemd-analyze >/dev/null; then
  mkdir "$stage/verify"
  sed "s#^ExecStart=$prefix/#ExecStart=$stage$prefix/#" "$stage$units/velmar-portd.service" \
    >"$stage/verify/velmar-portd.service"
  cp "$stage$units/velmar-portd.socket" "$stage/verify/"
  said=$(systemd-analyze verify --man=no "$stage/verify/velmar-portd.socket" "$stage/verify/velmar-portd.service" 2>&1) ||
    fail "systemd-analyze verify failed: $said"
  [ -z "$said" ] || fail "systemd-analyze verify complains: $said"
fi
if command -v systemd-sysusers >/dev/null; then
  said=$(systemd-sysusers --root="$stage" --dry-run "$stage$sysusers/velmar.conf" 2>&1 || true)
  [[ $said == *"group 'velmar'"* ]] || fail "systemd-sysusers does not make the group from the entry: $said"
fi
echo "install_check: staged and checked under $stage"
