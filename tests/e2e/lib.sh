# The end-to-end harness: the built program on a display of its own with a
# window manager, driven from outside as a user would, with xdotool.
# A case sources this file with the program's path as its first argument.
set -euo pipefail

ZUNO=$(readlink -f "$1")
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)

# Every case gets a display of its own, so a window manager and leftover
# windows of one case never meet another.
if [[ -z "${ZUNO_E2E_ON_DISPLAY:-}" ]]; then
  exec env ZUNO_E2E_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

export GTK_THEME=Adwaita GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
export LANG=${LANG:-C.UTF-8}

CASE_DIR=$(mktemp -d)
export HOME=$CASE_DIR/home
WORK_DIR=$CASE_DIR/work
mkdir -p "$HOME" "$WORK_DIR"
ZUNO_PID=
WM_PID=

cleanup() {
  [[ -n "$ZUNO_PID" ]] && kill "$ZUNO_PID" 2>/dev/null || true
  [[ -n "$WM_PID" ]] && kill "$WM_PID" 2>/dev/null || true
  rm -rf "$CASE_DIR"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits until a command succeeds, at most $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
}

start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  wait_for 20 wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"
}

# Starts the program in the work directory and waits for its Main Window.
# Sets ZUNO_PID and MAIN_WINDOW.
start_zuno() {
  (cd "$WORK_DIR" && exec "$ZUNO") &
  ZUNO_PID=$!
  MAIN_WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --pid "$ZUNO_PID" --name '^ZUNO' | head -n 1) ||
    fail "the Main Window did not appear"
  xdotool windowactivate --sync "$MAIN_WINDOW" 2>/dev/null || true
  # The window is mapped; give the toolkit the moment it needs to draw.
  wait_for 10 window_viewable "$MAIN_WINDOW" || fail "the Main Window is not viewable"
}

window_viewable() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Clicks at x, y of the Main Window's client area.
click_at() {
  xdotool mousemove --window "$MAIN_WINDOW" --sync "$1" "$2" click 1
}

type_text() {
  xdotool type --delay 25 -- "$1"
}

# Asks the window manager to close the window, as its close box does.
close_window() {
  wmctrl -i -c "$1"
}

# Waits for the program to end and fails unless its exit code is 0.
expect_clean_exit() {
  local code=0
  timeout 30 tail --pid="$ZUNO_PID" -f /dev/null || fail "the program did not end"
  wait "$ZUNO_PID" || code=$?
  ZUNO_PID=
  [[ "$code" == 0 ]] || fail "the program ended with exit code $code"
}

# Fails unless the file holds exactly the expected bytes (given as printf format).
expect_file_bytes() {
  local file=$1 format=$2
  [[ -f "$file" ]] || fail "$file was not written"
  if ! cmp -s "$file" <(printf "$format"); then
    echo "expected:" >&2
    printf "$format" | od -c >&2
    echo "got:" >&2
    od -c "$file" >&2
    fail "$file holds other bytes"
  fi
}

# Where the Main Window's controls are at its creation size.
DATA_SOURCE_BOX_AT="700 22"
USER_FIELD_AT="700 52"
PASSWORD_FIELD_AT="700 82"
CONNECT_BUTTON_AT="730 117"
RUN_BUTTON_AT="730 247"
EXIT_BUTTON_AT="730 482"
SQL_EDITOR_AT="300 150"
