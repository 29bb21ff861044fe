# Sourced by the scripts that run Windows programs: a private Wine prefix in the
# build tree, the Japanese locale (ANSI code page 932) and a quiet Wine.
LORIMAX_ROOT="${LORIMAX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${LORIMAX_WINEPREFIX:-$LORIMAX_ROOT/build/wineprefix}"
export WINEARCH=win64
export HOME="${HOME:-/root}"  # Wine wants a home even where the runner gives none
export WINEDEBUG="${LORIMAX_WINEDEBUG:--all}"  # a test may ask for one channel
# A crashing program must end at once: no automatic debugger (winedbg would
# hold the runner's output pipe open for minutes).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winedbg.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# Windows get Wine's null display driver (set in the prefix), so no X server.
unset DISPLAY
