#!/usr/bin/env bash
# "man zuno" finds the installed page and renders it without a warning; the
# page tells where ZUNO's files live, what environment it reads and how a Db2
# data source is added, and every path of the installation it names exists.
source "$(dirname "$0")/lib.sh"

need_tool man
need_tool lexgrog
install_into_prefix
page=$PREFIX/share/man/man1/zuno.1.gz

rendered=$STAGE/zuno.txt
warnings=$STAGE/warnings.txt
render() {
  MANWIDTH=80 man --warnings -E UTF-8 "$@" >"$rendered" 2>"$warnings" || fail "man $* failed: $(cat "$warnings")"
  [[ ! -s "$warnings" ]] || fail "man $* warns:"$'\n'"$(cat "$warnings")"
  [[ -s "$rendered" ]] || fail "man $* shows nothing"
}
render -M "$PREFIX/share/man" zuno
render -l "$page"
[[ "$(lexgrog "$page")" == *'"zuno - '* ]] || fail "the NAME line cannot be read by whatis: $(lexgrog "$page")"

# What a user looks the page up for (a tilde stands as the page writes it).
# shellcheck disable=SC2088
must_say=(
  "SYNOPSIS" "FILES" "ENVIRONMENT"
  "~/zuno.ini" "~/zuno.sql" "./zuno.sql" "./ZUNO.JPG"
  "HOME" "PATH"
  "/etc/odbcinst.ini" "~/.odbc.ini" "/etc/odbc.ini" "db2cli.ini" "ODBCINI" "Driver"
)
for text in "${must_say[@]}"; do
  grep -qF -- "$text" "$rendered" || fail "the page does not say $text"
done

# The page names the installation's paths under the prefix the build was
# configured for; each must be a file this installation holds.
configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$BUILD_DIR/CMakeCache.txt")
named=$(grep -oE "$configured/[^ ,;:)]*[^ ,;:).]" "$rendered" | sort -u)
[[ -n "$named" ]] || fail "the page names no installed file under $configured"
while read -r path; do
  [[ -e "$PREFIX/${path#"$configured"/}" ]] || fail "the page names $path, which the installation does not hold"
done <<<"$named"
echo "ok"
