#!/usr/bin/env bash
# Creates the private Wine prefix once and reuses it. Windows are shown through
# Wine's null display driver, so tests need no X server.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

stamp="$WINEPREFIX/.lorimax-ready"
[[ -f $stamp ]] && exit 0

echo "wine-prefix: creating $WINEPREFIX (first run only)"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
