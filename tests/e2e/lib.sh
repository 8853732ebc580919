# shellcheck shell=bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# shellcheck disable=SC2034  # the places are for the cases that source this file
# The end-to-end harness: the built program on a display of its own with a
# window manager, driven from outside as a user would, with xdotool, or
# through the accessibility bus alone where no input can be simulated
# (Wayland). A case sources this file with the program's path as its first
# argument; ZUNO_DESKTOP picks the desktop (tests/desktop/session), x11 by
# default.
set -euo pipefail

ZUNO=$(readlink -f "$1")
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)

# Every case gets a display and a session bus of its own, so a window
# manager, the accessibility bus and leftover windows of one case never meet
# another.
if [[ -z "${ZUNO_E2E_ON_DISPLAY:-}" ]]; then
  exec env ZUNO_E2E_ON_DISPLAY=1 "$ROOT/tests/desktop/session" "${ZUNO_DESKTOP:-x11}" bash "$0" "$@"
fi

export GTK_THEME=Adwaita GSETTINGS_BACKEND=memory
export LANG=${LANG:-C.UTF-8}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tests/lsan.supp}
# The program's windows are read back through the accessibility tree.
unset NO_AT_BRIDGE
ATSPI_PID=
if [[ -z "${ZUNO_DESKTOP:-}" ]]; then  # a display brought by the caller
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  ATSPI_PID=$!
fi

CASE_DIR=$(mktemp -d)
export HOME=$CASE_DIR/home
WORK_DIR=$CASE_DIR/work
PROGRAM_ERR=$CASE_DIR/program.err
mkdir -p "$HOME" "$WORK_DIR"
ZUNO_PID=
WM_PID=

cleanup() {
  # shellcheck disable=SC2015  # || true also covers a kill of a process already gone
  [[ -n "$ZUNO_PID" ]] && kill "$ZUNO_PID" 2>/dev/null || true
  # shellcheck disable=SC2015  # || true also covers a kill of a process already gone
  [[ -n "$WM_PID" ]] && kill "$WM_PID" 2>/dev/null || true
  # shellcheck disable=SC2015  # || true also covers a kill of a process already gone
  [[ -n "$ATSPI_PID" ]] && kill "$ATSPI_PID" 2>/dev/null || true
  rm -rf "$CASE_DIR"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -s "${PROGRAM_ERR:-}" ]] && { echo "the program's stderr:" >&2; tail -n 40 "$PROGRAM_ERR" >&2; }
  if [[ -n "$ZUNO_PID" ]]; then
    local shown
    shown=$(timeout 10 /usr/bin/python3 "$E2E_DIR/screen_reader.py" dialog 2>/dev/null) &&
      echo "a message box shows: $shown" >&2
  fi
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
  [[ "${ZUNO_DESKTOP:-}" == wayland ]] && return 0   # the compositor places the windows
  wmctrl -m >/dev/null 2>&1 && return 0              # the desktop brought one
  # On a loaded machine the display may still be coming up: try again.
  for _ in 1 2 3 4 5; do
    openbox --sm-disable >"$CASE_DIR/openbox.log" 2>&1 &
    WM_PID=$!
    if wait_for 10 wmctrl -m >/dev/null 2>&1; then
      return 0
    fi
    kill "$WM_PID" 2>/dev/null || true
    sleep 1
  done
  fail "the window manager did not start: $(cat "$CASE_DIR/openbox.log")"
}

# Starts the program in the work directory and waits for its Main Window.
# Sets ZUNO_PID and MAIN_WINDOW (X11 only). What the program writes to
# stderr is kept for expect_quiet_program.
start_zuno() {
  (cd "$WORK_DIR" && exec "$ZUNO" 2>>"$PROGRAM_ERR") &
  ZUNO_PID=$!
  if [[ "${ZUNO_DESKTOP:-}" == wayland ]]; then
    MAIN_WINDOW=
    wait_for 30 read_screen frame ZUNO >/dev/null 2>&1 || fail "the Main Window did not appear"
    return 0
  fi
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
  expect_quiet_program
}

# Fails on any warning or critical the program (GTK, GLib, GDK, Pango, ATK)
# logged. A compositor without an input seat, as headless weston is, makes
# GDK ask a seat that is not there for its keyboard and pointer; any GTK
# program logs these there, so they are told apart by their text.
GDK_NO_SEAT='Gdk-CRITICAL \*\*: [0-9:.]*: (gdk_seat_get_(keyboard|pointer): assertion .GDK_IS_SEAT \(seat\).|gdk_device_get_(window_at_)?position(_double)?: assertion .GDK_IS_DEVICE \(device\).) failed$'
expect_quiet_program() {
  [[ -f "$PROGRAM_ERR" ]] || return 0
  local logged
  logged=$(grep -E '(WARNING|CRITICAL) \*\*' "$PROGRAM_ERR" || true)
  [[ "${ZUNO_DESKTOP:-}" == wayland ]] && logged=$(grep -vE "$GDK_NO_SEAT" <<<"$logged" || true)
  [[ -z "$logged" ]] || fail "the program logged: $logged"
}

# Fails unless the file holds exactly the expected bytes (given as printf format).
expect_file_bytes() {
  local file=$1 format=$2
  [[ -f "$file" ]] || fail "$file was not written"
  # shellcheck disable=SC2059  # the expected bytes are given as a printf format
  if ! cmp -s "$file" <(printf "$format"); then
    echo "expected:" >&2
    # shellcheck disable=SC2059  # the expected bytes are given as a printf format
    printf "$format" | od -c >&2
    echo "got:" >&2
    od -c "$file" >&2
    fail "$file holds other bytes"
  fi
}

# Reads the program's windows as a screen reader does (see screen_reader.py).
read_screen() {
  /usr/bin/python3 "$E2E_DIR/screen_reader.py" "$@"
}

# Fails unless the screen shows the expected text.
expect_screen() {
  local expected=$1
  shift
  local got
  got=$(read_screen "$@") || fail "cannot read $*"
  [[ "$got" == "$expected" ]] || fail "$* reads '$got', expected '$expected'"
}

# Clicks at a screen position.
click_screen() {
  xdotool mousemove --sync "$1" "$2" click "${3:-1}"
}

# The demo data source joins the (empty) user configuration of the case. When
# the test data sources are up, their registration of the SQLite driver
# keeps it loaded, so what it leaks is known by name.
use_demo_data_source() {
  # shellcheck source=/dev/null  # the data source demo-datasource makes for this run
  source <("$ROOT/scripts/demo-datasource" "$(dirname "$ZUNO")" "$WORK_DIR")
  if [[ -n "${ODBCSYSINI:-}" ]] && grep -q '^\[ZUNO SQLite3\]' "$ODBCSYSINI/odbcinst.ini" 2>/dev/null; then
    sed -i 's|^Driver=.*libsqlite3odbc.so$|Driver=ZUNO SQLite3|' "$WORK_DIR/odbc.ini"
  fi
}

# Picks the demo data source in the drop-down list, logs in and connects.
connect_to_demo() {
  click_at 793 22
  wait_for 10 read_screen item ZUNO_DEMO >/dev/null || fail "the list holds no ZUNO_DEMO"
  click_screen $(read_screen item ZUNO_DEMO)
  click_at $USER_FIELD_AT
  type_text "demo"
  click_at $PASSWORD_FIELD_AT
  type_text "demo"
  click_at $CONNECT_BUTTON_AT
  # shellcheck disable=SC2016  # the code bash -c runs, a value spliced into it
  wait_for 20 bash -c '[[ "$(xdotool getwindowname '"$MAIN_WINDOW"')" == "ZUNO - Db2/LUW" ]]' ||
    fail "not connected: the title is '$(xdotool getwindowname "$MAIN_WINDOW")'"
}

# Types the plain PostgreSQL test data source and its login, and connects.
connect_to_test_postgres() {
  click_at $DATA_SOURCE_BOX_AT
  type_text "ZUNO_PG_PLAIN"
  click_at $USER_FIELD_AT
  type_text "$ZUNO_PG_USER"
  click_at $PASSWORD_FIELD_AT
  type_text "$ZUNO_PG_PASSWORD"
  click_at $CONNECT_BUTTON_AT
  # shellcheck disable=SC2016  # the code bash -c runs, a value spliced into it
  wait_for 20 bash -c '[[ "$(/usr/bin/python3 '"$E2E_DIR"'/screen_reader.py label DBALIAS)" == "DBALIAS: ZUNO_PG_PLAIN" ]]' ||
    fail "not connected"
}

# The program under a window manager, connected to the plain PostgreSQL test
# data source; the case is skipped when the test data sources are not up.
start_zuno_on_test_postgres() {
  if [[ -z "${ZUNO_FIXTURE_DIR:-}" ]]; then
    echo "skipped: the test data sources are not up"
    exit 0
  fi
  start_window_manager
  start_zuno
  connect_to_test_postgres
}

# The program under a window manager, connected to the demo data source.
start_zuno_on_demo() {
  use_demo_data_source
  start_window_manager
  start_zuno
  connect_to_demo
}

# Double-clicks a cell of the Result Grid.
double_click_cell() {
  local xy
  xy=$(read_screen cell "$1" "$2") || fail "no cell $1, $2"
  # shellcheck disable=SC2086
  xdotool mousemove --sync $xy click --repeat 2 --delay 80 1
}

# Presses a button of the dialog that has the focus, by its caption.
press_button() {
  local xy
  xy=$(read_screen button "$1") || fail "no button $1"
  # shellcheck disable=SC2086
  click_screen $xy
}

# True when a window of the program with that title shows (any of the
# program's windows when the second argument is given).
window_named() {
  xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# Where the Main Window's controls are at its creation size.
DATA_SOURCE_BOX_AT="700 22"
USER_FIELD_AT="700 52"
PASSWORD_FIELD_AT="700 82"
CONNECT_BUTTON_AT="730 117"
RUN_BUTTON_AT="730 247"
EXIT_BUTTON_AT="730 482"
SQL_EDITOR_AT="300 150"
CREATORS_BUTTON_AT="730 342"
SAVE_REPORT_BUTTON_AT="730 412"
