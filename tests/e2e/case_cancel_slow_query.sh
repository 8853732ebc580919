#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user starts a slow query against the PostgreSQL test data source and
# presses Escape: the driver's cancel message appears at once and the
# program goes on.
source "$(dirname "$0")/lib.sh"

start_zuno_on_test_postgres
expect_screen_soon() { wait_for 20 bash -c "$1" || fail "$2"; }

click_at $SQL_EDITOR_AT
type_text "select pg_sleep(60)"
click_at $RUN_BUTTON_AT
busy=$(timeout 10 xdotool search --sync --onlyvisible --name '^running\.\.\.$' | head -n 1) || fail "no busy window"
sleep 1
xdotool windowactivate --sync "$busy" 2>/dev/null || xdotool windowfocus --sync "$busy"
xdotool key Escape
started=$SECONDS
expect_screen_soon '/usr/bin/python3 '"$E2E_DIR"'/screen_reader.py dialog | grep "canceling statement due to user request" >/dev/null' \
  "no cancel message"
((SECONDS - started < 5)) || fail "the cancel took $((SECONDS - started)) s"
press_button OK

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
