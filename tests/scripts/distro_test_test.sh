#!/usr/bin/env bash
# scripts/distro-test.sh without making a real chroot: fake id, apt-get, debootstrap, mount,
# umount and chroot stand in for the real ones and write down what they were asked. The script
# runs from a scratch repository of its own, beside a setup.sh that only says it ran. Each case
# checks which releases were made, what was cached, what was left mounted and left behind.
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fakes=$scratch/fakes repo=$scratch/repo
mkdir -p "$fakes" "$repo/scripts"

cp "$source_dir/scripts/distro-test.sh" "$repo/scripts/"
printf '#!/bin/sh\necho "setup.sh $*"\n' >"$repo/scripts/setup.sh"
chmod +x "$repo/scripts/setup.sh"
git -C "$repo" init --quiet
git -C "$repo" add scripts
git -C "$repo" -c user.name=test -c user.email=test@example.org commit --quiet -m scripts

cat >"$fakes/id" <<'FAKE'
#!/bin/sh
echo "$FAKE_UID"
FAKE
cat >"$fakes/apt-get" <<'FAKE'
#!/bin/sh
echo "$(. /etc/os-release && echo "$VERSION_CODENAME") http://archive.example/debian/"
FAKE
cat >"$fakes/debootstrap" <<'FAKE'
#!/bin/sh
echo "debootstrap $*" >>"$CALLS"
mkdir -p "$3/proc" "$3/sys" "$3/dev/pts" "$3/dev/shm" "$3/etc" "$3/root"
FAKE
cat >"$fakes/mount" <<'FAKE'
#!/bin/sh
for target; do :; done
echo "mount $target" >>"$CALLS"
FAKE
cat >"$fakes/umount" <<'FAKE'
#!/bin/sh
for target; do :; done
echo "umount $target" >>"$CALLS"
FAKE
# The release is in the name of the chroot's folder; $FAILING fails, $HANGING waits, and writes
# down its own and the script's process (its parent) for the test to stop.
cat >"$fakes/chroot" <<'FAKE'
#!/bin/sh
release=$(basename "$1" | sed 's/^shiftmeter-//; s/\..*//')
for command; do :; done
echo "chroot $release $command" >>"$CALLS"
[ -f "$1/root/shiftmeter/scripts/distro-test.sh" ] || exit 3
if [ "$release" = "$HANGING" ]; then
  echo "$PPID $$" >"$CALLS.hanging"
  exec sleep 30
fi
[ "$release" != "$FAILING" ]
FAKE
chmod +x "$fakes"/*

failures=0
fail() {
  echo "FAIL $case_name: $*"
  sed 's/^/    /' "$scratch/out"
  failures=$((failures + 1))
}

# Runs the script with the given releases; the rest of the environment comes from the caller.
invoke() {
  mkdir -p "$scratch/tmp"
  env PATH="$fakes:$PATH" CALLS="$scratch/calls" TMPDIR="$scratch/tmp" \
    XDG_CACHE_HOME="$scratch/cache" FAKE_UID="${FAKE_UID:-0}" FAILING="${FAILING:-}" \
    HANGING="${HANGING:-}" SHIFTMETER_DISTRO_COMMAND="${SHIFTMETER_DISTRO_COMMAND:-}" \
    bash "$repo/scripts/distro-test.sh" "$@" >"$scratch/out" 2>&1
}
run_script() {
  : >"$scratch/calls"
  status=0
  invoke "$@" || status=$?
}

# Every mount undone, innermost first, and no chroot folder left.
expect_clean() {
  local unbalanced
  unbalanced=$(awk '$1 == "mount" { stack[++depth] = $2 }
    $1 == "umount" { if (depth == 0 || stack[depth] != $2) { print "unmounted " $2; exit }
                     depth-- }
    END { if (depth > 0) print "still mounted " stack[depth] }' "$scratch/calls")
  [ -z "$unbalanced" ] || fail "$unbalanced"
  [ -z "$(ls -A "$scratch/tmp")" ] || fail "left behind: $(ls -A "$scratch/tmp")"
}

expect() {
  local want_status=$1 want_debootstraps=$2 want_lines=$3
  [ "$status" = "$want_status" ] || fail "exit $status, want $want_status"
  local debootstraps
  debootstraps=$(sed -n 's/^debootstrap --variant=minbase \([a-z]*\) .*/\1/p' "$scratch/calls" | xargs)
  [ "$debootstraps" = "$want_debootstraps" ] || fail "debootstrapped '$debootstraps', want '$want_debootstraps'"
  local lines
  lines=$(sed -n '/^=== releases/,$ { /^===/d; s/ \{1,\}/ /g; s/ [0-9]*m[0-9]*s$//p }' "$scratch/out" |
    paste -sd ';')
  [ "$lines" = "$want_lines" ] || fail "summary '$lines', want '$want_lines'"
}

case_name="a user who is not root"
FAKE_UID=1000 run_script trixie
expect 1 "" ""
grep -q "Run as root" "$scratch/out" || fail "no word of what it needs"
grep -q "setup.sh chroot" "$scratch/out" || fail "no word of the packages it needs"

case_name="no release named: bookworm, then trixie, each debootstrapped from the machine's archive"
run_script
expect 0 "bookworm trixie" "bookworm passed;trixie passed"
expect_clean
grep -q "trixie .*http://archive.example/debian/$" "$scratch/calls" || fail "not from the machine's archive"
[ "$(grep -c '^mount ' "$scratch/calls")" = 10 ] || fail "not every chroot mounted"
grep -q "^chroot trixie cd /root/shiftmeter && bash scripts/test.sh$" "$scratch/calls" ||
  fail "not the test command in the clone"

case_name="a release whose test command fails, from the cached base"
FAILING=trixie run_script trixie bookworm
expect 1 "" "trixie FAILED;bookworm passed"
expect_clean

case_name="the shared folder beside the tree"
mkdir "$scratch/shared"
run_script trixie
expect 0 "" "trixie passed"
expect_clean
grep -q "^mount .*/root/shared$" "$scratch/calls" || fail "not beside the clone"
rmdir "$scratch/shared"

case_name="another command named"
SHIFTMETER_DISTRO_COMMAND="bash .ci/run" run_script bookworm
expect 0 "" "bookworm passed"
grep -q "^chroot bookworm cd /root/shiftmeter && bash .ci/run$" "$scratch/calls" ||
  fail "not the command named"

case_name="interrupted while the test command runs"
: >"$scratch/calls"
HANGING=trixie invoke trixie 2>/dev/null &
runner=$!
for _ in $(seq 100); do
  [ -s "$scratch/calls.hanging" ] && break
  sleep 0.1
done
read -r script hanging <"$scratch/calls.hanging"
kill -TERM "$script"
status=0
wait "$runner" || status=$?
expect 143 "" ""
expect_clean
kill "$hanging" 2>/dev/null || true

[ "$failures" -eq 0 ] && echo "distro-test.sh: all cases passed"
exit "$failures"
