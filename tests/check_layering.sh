#!/usr/bin/env bash
# Fails when a logic source (anything outside a qt/ folder, tests and tools
# aside) includes a Qt header, so the logic/adapter split cannot rot unseen.
set -u
root=${1:-.}
cd "$root" || exit 2
bad=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' \
        --include='*.h' --include='*.hpp' --include='*.c' --include='*.cpp' \
        plugin_api common hwmon board fanplugin monplugin modeplugin autoplugin host 2>/dev/null | grep -v '/qt/')
if [ -n "$bad" ]; then
  echo "Qt headers included by platform-free logic:"
  echo "$bad"
  exit 1
fi
echo "layering: no Qt header in logic sources"
