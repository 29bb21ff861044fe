#!/usr/bin/env bash
# Lays down the .editorconfig that the editorconfig sample's twin asks about,
# on the Wine prefix's drive C: so that the full path it names is the same on
# every machine.
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
folder=$WINEPREFIX/drive_c/lorimax-sample
mkdir -p "$folder"
printf 'root = true\n\n[*.mac]\nindent_style = space\nindent_size = 4\n' > "$folder/.editorconfig"
