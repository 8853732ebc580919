#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# Connected to the demo (a Db2/LUW catalog), a user clicks Creators,
# double-clicks a creator, then double-clicks a table: with Query Autorun
# checked the SELECT of all its columns runs and fills the grid.
source "$(dirname "$0")/lib.sh"

start_zuno_on_demo

click_at $CREATORS_BUTTON_AT
read_screen wait-label "Row Count: 4" 20 >/dev/null || fail "creators: $(read_screen label 'Row Count')"
grid=$(read_screen grid)
[[ "$grid" == $'tabschema\nSALES\nSHOP\nSYSCAT\nSYSIBM' ]] || fail "creators grid: $grid"

double_click_cell 1 0   # SHOP
read_screen wait-label "Row Count: 5" 20 >/dev/null || fail "tables of SHOP: $(read_screen label 'Row Count')"
row=$(read_screen grid | awk -F'\t' 'NR > 1 && $2 == "ORDERS" { print NR - 2 }')
[[ -n "$row" ]] || fail "no ORDERS among the tables of SHOP"

double_click_cell "$row" 1
# shellcheck disable=SC2016  # the code bash -c runs, with the reader as its $0
wait_for 20 bash -c '[[ "$(/usr/bin/python3 '"$E2E_DIR"'/screen_reader.py text "SQL editor")" == "select ORDER_ID,"* ]]' ||
  fail "editor: $(read_screen text 'SQL editor')"
editor=$(read_screen text "SQL editor")
[[ "$(sed -n 2p <<<"$editor")" == " from SHOP.ORDERS" ]] || fail "editor: $editor"
# 72 orders: the run stops at 50 and says so above the grid.
read_screen wait-label "Row Count: 50" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
read_screen wait-label "Limit of 50 rows reached!" 20 >/dev/null || fail "no limit note"
[[ "$(read_screen grid | head -n 1 | cut -f1)" == "ORDER_ID" ]] || fail "query titles: $(read_screen grid | head -n 1)"

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
