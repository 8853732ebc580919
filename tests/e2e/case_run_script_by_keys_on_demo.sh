#!/usr/bin/env bash
# shellcheck disable=SC2086,SC2046  # a place "x y" splits into its two numbers
# A user types three statements and runs them as a script with
# Ctrl+Shift+Return: the grid reports each one; Ctrl+Return then runs only
# the statement the cursor stands in.
source "$(dirname "$0")/lib.sh"

start_zuno_on_demo
click_at $SQL_EDITOR_AT
type_text "create temp table e2e_t (n integer); insert into e2e_t values (7); select n from e2e_t"
xdotool key ctrl+shift+Return
read_screen wait-label "Row Count: 2" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
grid=$(read_screen grid)
[[ "$(head -n 1 <<<"$grid")" == $'No.\tLine\tStatement\tRows\tSeconds\tResult' ]] || fail "report titles: $grid"
[[ "$(grep -c $'\tok$' <<<"$grid")" == 3 ]] || fail "report: $grid"

xdotool key ctrl+Return
read_screen wait-label "Row Count: 1" 20 >/dev/null || fail "$(read_screen label 'Row Count')"
grid=$(read_screen grid)
[[ "$(head -n 1 <<<"$grid")" == n && "$(tail -n +2 <<<"$grid" | tr -d ' ')" == 7 ]] || fail "grid: $grid"

click_at $EXIT_BUTTON_AT
expect_clean_exit
echo "ok"
