#!/usr/bin/env bash
# scripts/setup.sh on a machine with a second architecture: dpkg-query lists every installed
# architecture of a package, a refresh of the package lists fails on one index. Fake dpkg,
# dpkg-query, apt-get and id stand in for the real ones; each case checks what was installed.
set -euo pipefail
setup=$1/scripts/setup.sh
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT

cat >"$fakes/dpkg" <<'FAKE'
#!/bin/sh
case "$1" in --print-architecture) echo amd64 ;; --print-foreign-architectures) echo i386 ;; esac
FAKE
# Every package is installed for both architectures, except those in $ONLY_FOREIGN.
cat >"$fakes/dpkg-query" <<'FAKE'
#!/bin/sh
for package; do :; done
case " $ONLY_FOREIGN " in *" $package "*) ;; *) echo "amd64 installed" ;; esac
echo "i386 installed"
FAKE
cat >"$fakes/apt-get" <<'FAKE'
#!/bin/sh
echo "apt-get $*" >>"$APT_LOG"
case " $* " in *" update "*) exit 100 ;; esac
FAKE
cat >"$fakes/id" <<'FAKE'
#!/bin/sh
echo "$FAKE_UID"
FAKE
chmod +x "$fakes"/*

failures=0
# user id, packages only the foreign architecture has, expected exit status, expected installs
check() {
  local uid=$1 foreign=$2 status=$3 installs=$4 actual=0
  : >"$fakes/apt.log"
  PATH=$fakes:$PATH FAKE_UID=$uid ONLY_FOREIGN=$foreign APT_LOG=$fakes/apt.log \
    bash "$setup" run >"$fakes/out" 2>&1 || actual=$?
  local installed
  installed=$(sed -n 's/.*install -y --no-install-recommends //p' "$fakes/apt.log")
  if [ "$actual" != "$status" ] || [ "$installed" != "$installs" ]; then
    echo "FAIL uid=$uid foreign='$foreign': exit $actual (want $status), installed '$installed' (want '$installs')"
    cat "$fakes/out"
    failures=$((failures + 1))
  fi
}

check 1000 "" 0 ""
check 0 "" 0 ""
check 1000 "libmpfr-dev" 1 ""
check 0 "libmpfr-dev" 0 "libmpfr-dev"
grep -q "apt-get update; .*install.* libmpfr-dev" <(PATH=$fakes:$PATH FAKE_UID=1000 \
  ONLY_FOREIGN=libmpfr-dev APT_LOG=/dev/null bash "$setup" run 2>&1) ||
  { echo "FAIL: no install line for the user"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "setup.sh: all cases passed"
exit "$failures"
