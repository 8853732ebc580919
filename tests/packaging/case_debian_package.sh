#!/usr/bin/env bash
# CPack makes a Debian package of the build that installs into /usr exactly
# the files of an installation, owned by root, and depends on what ZUNO
# needs at run time.
source "$(dirname "$0")/lib.sh"

need_tool cpack
need_tool dpkg-deb
need_tool dpkg-shlibdeps
rm -rf "$STAGE"
mkdir -p "$STAGE"
cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$STAGE/out" >"$STAGE/cpack.log" 2>&1 ||
  { cat "$STAGE/cpack.log" >&2; fail "cpack failed"; }
debs=("$STAGE"/out/*.deb)
[[ ${#debs[@]} == 1 && -f "${debs[0]}" ]] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
[[ "$(basename "$deb")" == "zuno_${version}-1_$(dpkg --print-architecture).deb" ]] ||
  fail "the package is named $(basename "$deb")"

# Each field holds each of the packages named (as whole names, with or
# without a version).
relations=(
  "Package|zuno"
  "Depends|libgtk-3-0 libgtksourceview-4-0 librsvg2-common libodbc2 libc6 libstdc++6 python3 python3-sqlparse"
  "Recommends|gedit unixodbc libsqliteodbc"
)
for entry in "${relations[@]}"; do
  field=${entry%%|*}
  value=$(dpkg-deb --field "$deb" "$field")
  # shellcheck disable=SC2020  # both separators become line ends
  named=$(tr ',|' '\n\n' <<<"$value" | sed 's/(.*//; s/[[:space:]]//g')
  for name in ${entry#*|}; do
    grep -qxF -- "$name" <<<"$named" || fail "$field does not name $name: $value"
  done
done
[[ "$(dpkg-deb --field "$deb" Version)" == "$version-1" ]] ||
  fail "the package's version is $(dpkg-deb --field "$deb" Version), not $version-1"

# Removal must leave nothing behind, so the package carries no maintainer
# scripts that could make files of their own.
dpkg-deb --control "$deb" "$STAGE/control"
scripts=""
for file in "$STAGE"/control/*; do
  case "$(basename "$file")" in control | md5sums) ;; *) scripts+=" $(basename "$file")" ;; esac
done
[[ -z "$scripts" ]] || fail "the package carries maintainer scripts: $scripts"

not_root=$(dpkg-deb --contents "$deb" | awk '$2 != "root/root"')
[[ -z "$not_root" ]] || fail "entries not owned by root:"$'\n'"$not_root"

dpkg-deb --extract "$deb" "$STAGE/root"
[[ "$(ls -A "$STAGE/root")" == usr ]] || fail "the package installs outside /usr: $(ls -A "$STAGE/root")"
check_layout "$STAGE/root/usr"
echo "ok"
