#!/usr/bin/env bash
# Creates the private Wine prefix once and reuses it; its settings are applied
# again whenever they change (the stamp holds their version). Windows are shown
# through Wine's null display driver, so tests need no X server; a crash starts
# no debugger (an empty AeDebug command), so it fails at once.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

settings=2  # raise when the settings below change
stamp="$WINEPREFIX/.lorimax-ready"
[[ -f $stamp && $(cat "$stamp") == "$settings" ]] && exit 0

if [[ ! -f $stamp ]]; then
  echo "wine-prefix: creating $WINEPREFIX (first run only)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
echo "wine-prefix: applying settings $settings"
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
wineserver -w
echo "$settings" >"$stamp"
