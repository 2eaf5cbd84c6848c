#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian's own tools do: lintian with every tag shown
# (informational and pedantic ones included), the AppStream metadata and the desktop entry, each
# failing on any complaint; checks that the package, its changelog and its AppStream release
# name the same version; then unpacks the package into a scratch root and checks the installed
# layout and a start of the program from there, with no display.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a checker and fails unless it succeeds and says nothing beyond the lines matching the
# pattern that it prints on every run.
expect_no_complaint() {
  local everyday=$1 said status=0
  shift
  said=$("$@" 2>&1) || status=$?
  said=$(grep -vE "$everyday" <<<"$said" || true)
  if [ "$status" -ne 0 ] || [ -n "$said" ]; then
    printf '%s\n' "$said" >&2
    fail "$* (status $status)"
  fi
  echo "clean: $*"
}

package=$(scripts/package.sh)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
metainfo=$root/usr/share/metainfo/com.rostavel.shiftmeter.metainfo.xml

expect_no_complaint '^running with root privileges is not recommended!$' \
  lintian -I --pedantic --fail-on error,warning,info,pedantic "$package"
expect_no_complaint '^✔ Validation was successful\.$' appstreamcli validate --no-net --pedantic "$metainfo"
expect_no_complaint '^✔ Validation was successful\.$' appstreamcli validate-tree --no-net --pedantic "$root"
expect_no_complaint '^$' desktop-file-validate "$root/usr/share/applications/com.rostavel.shiftmeter.desktop"

version=$(dpkg-deb -f "$package" Version)
zcat "$root/usr/share/doc/shiftmeter/changelog.gz" >"$root/changelog"
[ "$(dpkg-parsechangelog -l "$root/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's latest entry is not version $version"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "no AppStream release $version"

bash tests/install/check_installed.sh "$root/usr" .
