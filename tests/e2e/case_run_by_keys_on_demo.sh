#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user types a statement into the SQL editor and runs it from the keyboard
# with Ctrl+Return: the grid fills as the Run button fills it, and the
# statement stays as typed, with no line added by the key.
source "$(dirname "$0")/lib.sh"

start_zuno_on_demo
click_at $SQL_EDITOR_AT
statement="select ITEM_ID, NAME from SHOP.ITEMS where ITEM_ID <= 4 order by 1"
type_text "$statement"
xdotool key ctrl+Return
read_screen wait-label "Row Count: 4" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
grid=$(read_screen grid)
[[ "$(head -n 1 <<<"$grid")" == $'ITEM_ID\tNAME' ]] || fail "grid titles: $(head -n 1 <<<"$grid")"
[[ "$(wc -l <<<"$grid")" == 5 ]] || fail "grid: $grid"
expect_screen "$statement" text "SQL editor"

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
