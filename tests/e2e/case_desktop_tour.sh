#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user's first session on any desktop, driven through the accessibility bus
# alone, as a screen reader user works (and as works on a compositor without
# an input seat): the Main Window shows every control whole at its place,
# the user connects to the demo, runs a query that stops at the row limit,
# reads the note above the grid (no message box stops the work), reads the grid, opens and closes the Query Library
# Window and exits. Nothing is logged on the way. Runs on each desktop of
# tests/desktop/session (ZUNO_DESKTOP).
source "$(dirname "$0")/lib.sh"

use_demo_data_source
start_window_manager
start_zuno

# The client area has the creation size, every control lies inside it, and
# the right-hand column and the bottom block stand where the table puts them.
layout=$(read_screen layout ZUNO) || fail "cannot read the Main Window"
place() { awk -F'\t' -v n="$1" '$1 == n { print $2, $3, $4, $5; exit }' <<<"$layout"; }
[[ "$(place client)" == "0 0 820 555" ]] || fail "client area $(place client), expected 0 0 820 555"
outside=$(awk -F'\t' 'NR > 1 && ($2 < 0 || $3 < 0 || $2 + $4 > 820 || $3 + $5 > 555)' <<<"$layout")
[[ -z "$outside" ]] || fail "controls outside the window: $outside"
# Within a few pixels: the containers give a label the height of its line. A
# caption may need more than its place at the desktop's font (GNOME's is
# larger than the toolkit's own default): the control is then as much larger,
# and one kept to the right or the bottom stands as much further left or up.
few=5
while IFS='|' read -r name expected; do
  read -r x y w h <<<"$(place "$name")"
  read -r ex ey ew eh <<<"$expected"
  wider=$((w > ew ? w - ew : 0)) higher=$((h > eh ? h - eh : 0))
  ((x >= ex - few - wider && x <= ex + few && y >= ey - few - higher && y <= ey + few &&
    w >= ew - few && h >= eh - few)) ||
    fail "$name stands at '$(place "$name")', expected '$expected'"
done <<'TABLE'
Connect|660 105 145 25
Run|660 235 145 25
Exit|660 470 145 25
Data Source box|660 10 145 25
Row Count: 0|245 500 175 25
Rows to fetch:|455 505 95 25
V 1.0.1.5|715 530 90 20
Timer Sec.:|455 470 95 25
Timer Seconds field|575 470 70 25
SQL Elapse Time|660 505 145 20
Result Grid|15 205 630 255
TABLE

read_screen set-text "Data Source box" "ZUNO_DEMO" || fail "cannot type the data source"
read_screen set-text "User field" "demo" || fail "cannot type the user"
read_screen set-text "Password field" "demo" || fail "cannot type the password"
read_screen press Connect || fail "cannot press Connect"
wait_for 20 read_screen frame "ZUNO - Db2/LUW" 2>/dev/null || fail "not connected: $(read_screen title)"

# 72 orders: the run stops at 50 and says so in the bar over the grid.
read_screen set-text "SQL editor" "select ORDER_ID, STATUS from SHOP.ORDERS order by 1" || fail "cannot type the query"
read_screen press Run || fail "cannot press Run"
read_screen wait-label "Row Count: 50" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
[[ "$(read_screen wait-label "Limit of" 20)" == "Limit of 50 rows reached!" ]] || fail "no limit note"
! read_screen dialog >/dev/null 2>&1 || fail "a message box stopped the work: $(read_screen dialog)"
grid=$(read_screen grid)
[[ "$(head -n 1 <<<"$grid")" == $'ORDER_ID\tSTATUS' ]] || fail "grid titles: $(head -n 1 <<<"$grid")"
[[ "$(wc -l <<<"$grid")" == 51 ]] || fail "grid rows: $(wc -l <<<"$grid")"

read_screen press "Save/Load Query" || fail "cannot press Save/Load Query"
wait_for 20 read_screen frame ZUNO 2>/dev/null || fail "the Query Library Window did not open"
library=$(read_screen layout ZUNO) || fail "cannot read the Query Library Window"
[[ "$(head -n 1 <<<"$library")" == $'client\t0\t0\t600\t380' ]] || fail "library client area: $(head -n 1 <<<"$library")"
grep -q $'^Local\t375\t340\t100\t25$' <<<"$library" || fail "library controls: $library"
read_screen press Exit ZUNO || fail "cannot press the library's Exit"
# shellcheck disable=SC2016  # the code bash -c runs, with the reader as its $0
wait_for 20 bash -c '! /usr/bin/python3 "$0" frame ZUNO 2>/dev/null' "$E2E_DIR/screen_reader.py" ||
  fail "the Query Library Window stayed open"

read_screen press Exit "ZUNO - Db2/LUW" || fail "cannot press Exit"
expect_clean_exit
echo "ok"
