#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A new user picks the demo data source in the box, logs in, connects, types a
# SELECT and runs it: the title names the platform, the grid shows the rows.
source "$(dirname "$0")/lib.sh"

start_zuno_on_demo
expect_screen "ZUNO_DEMO" text "Data Source box"
expect_screen "DBALIAS: ZUNO_DEMO" label "DBALIAS"

click_at $SQL_EDITOR_AT
type_text "select CUSTOMER_ID, NAME, CITY from SHOP.CUSTOMERS where CUSTOMER_ID <= 3 order by 1"
click_at $RUN_BUTTON_AT
read_screen wait-label "Row Count: 3" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
grid=$(read_screen grid)
[[ "$(head -n 1 <<<"$grid")" == $'CUSTOMER_ID\tNAME\tCITY' ]] || fail "grid titles: $(head -n 1 <<<"$grid")"
[[ "$(wc -l <<<"$grid")" == 4 ]] || fail "grid: $grid"
[[ "$(sed -n 2p <<<"$grid" | cut -f1)" == 1 ]] || fail "first row: $(sed -n 2p <<<"$grid")"
expect_screen "select CUSTOMER_ID, NAME, CITY from SHOP.CUSTOMERS where CUSTOMER_ID <= 3 order by 1" text "SQL editor"

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
