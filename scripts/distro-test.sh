#!/usr/bin/env bash
# Runs the README's test command as a newcomer would, on a fresh minimal system of each Debian
# release: a debootstrap chroot (--variant=minbase, from the machine's own Debian archive) that
# gets a clone of the committed tree and runs scripts/test.sh as root.
# Usage: scripts/distro-test.sh [RELEASE...]   (default: bookworm trixie)
# SHIFTMETER_DISTRO_COMMAND names another command to run there instead (bash .ci/run, say).
# Prints one line per release with the result and the time, and fails if any release fails.
# Each release's output goes to build/distro-<release>.log. The base system of each release is
# kept as a tarball in ${XDG_CACHE_HOME:-$HOME/.cache}/shiftmeter/, so that a second run does
# not debootstrap again. Every mount is undone and the chroot removed, even when interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."

releases=("$@")
[ ${#releases[@]} -gt 0 ] || releases=(bookworm trixie)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/shiftmeter
command=${SHIFTMETER_DISTRO_COMMAND:-bash scripts/test.sh}
architecture=$(dpkg --print-architecture)

if [ "$(id -u)" -ne 0 ]; then
  echo "Making and entering a chroot needs root (debootstrap, mount, chroot). Run as root:" >&2
  echo "  bash $0 ${releases[*]}" >&2
  scripts/setup.sh chroot || true
  exit 1
fi
scripts/setup.sh chroot

# The archive that serves the machine's own release; the chroots come from the same mirror.
debian_archive() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages' 'Component: main' |
    awk -v codename="$codename" '$1 == codename { print $2; exit }'
}
archive=$(debian_archive)
if [ -z "$archive" ]; then
  echo "No Debian archive of this machine's release in its apt sources." >&2
  exit 1
fi

# The release's minimal system in a folder, from the cached tarball or debootstrapped into it.
unpack_base() {
  local release=$1 root=$2 tarball=$cache/debian-$1-minbase-$architecture.tar.gz
  if [ ! -f "$tarball" ]; then
    echo "Making a minimal $release system from $archive (kept in $tarball)"
    debootstrap --variant=minbase "$release" "$root" "$archive" >"$root.debootstrap.log" 2>&1 ||
      { tail -n 20 "$root.debootstrap.log"; return 1; }
    mkdir -p "$cache"
    tar -C "$root" --numeric-owner -czf "$tarball.partial" . && mv "$tarball.partial" "$tarball"
    return
  fi
  tar -C "$root" --numeric-owner -xzf "$tarball"
}

mounted=()
mount_at() {
  local target=${*: -1}
  mount "$@" || return 1
  mounted+=("$target")
}
mount_into() {
  local root=$1
  mount_at -t proc proc "$root/proc" &&
    mount_at -t sysfs sysfs "$root/sys" &&
    mount_at --bind /dev "$root/dev" &&
    mount_at --bind /dev/pts "$root/dev/pts" &&
    mount_at -t tmpfs tmpfs "$root/dev/shm" || return 1
  # The shared folder beside the tree, where CI keeps what it hands the scripts (a prebuilt Qt
  # for Windows), lies beside the clone too, read-only.
  if [ -d ../shared ]; then
    mkdir -p "$root/root/shared"
    mount_at --bind -o ro ../shared "$root/root/shared"
  fi
}

# Stops what still runs inside the chroot (an X server, a bus), undoes its mounts innermost
# first, and removes it; the folder goes only when nothing is mounted under it any more, so
# that no file of the machine's own /dev is removed with it.
remove_chroot() {
  local root=$1 process index
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill -KILL "${process#/proc/}" 2>/dev/null
  done
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount --lazy "${mounted[index]}" || true
  done
  mounted=()
  if grep -qF " $root/" /proc/self/mounts; then
    echo "Still mounted under $root; left in place." >&2
    return 1
  fi
  rm -rf "$root" "$root.debootstrap.log"
}

current_root=
trap '[ -z "$current_root" ] || remove_chroot "$current_root"' EXIT
# Bash ends on SIGTERM by itself, running the EXIT trap; on SIGINT it would only end the wait
# and go on with the next release.
trap 'exit 130' INT

# One release: a fresh chroot with a clone of the committed tree, and the test command in it.
test_release() {
  local release=$1 log=$2
  unpack_base "$release" "$current_root" >>"$log" 2>&1 || return 1
  cp /etc/resolv.conf "$current_root/etc/resolv.conf"
  git clone --quiet --no-hardlinks . "$current_root/root/shiftmeter" >>"$log" 2>&1 || return 1
  mount_into "$current_root" || return 1
  # In the background, so that a signal to this script ends the wait at once.
  chroot "$current_root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/shiftmeter && $command" >>"$log" 2>&1 &
  wait $!
}

mkdir -p build
summary=()
failed=0
for release in "${releases[@]}"; do
  log=build/distro-$release.log
  : >"$log"
  echo "=== $release: minimal chroot, $command (output in $log)"
  start=$SECONDS
  current_root=$(mktemp -d "${TMPDIR:-/tmp}/shiftmeter-$release.XXXXXX")
  # The system's own users (apt's, the bus's) must be able to enter its root.
  chmod 755 "$current_root"
  if test_release "$release" "$log"; then
    verdict=passed
  else
    verdict=FAILED
    failed=1
    tail -n 40 "$log"
  fi
  remove_chroot "$current_root" || failed=1
  current_root=
  elapsed=$((SECONDS - start))
  summary+=("$(printf '%-10s %-6s %dm%02ds' "$release" "$verdict" $((elapsed / 60)) $((elapsed % 60)))")
done

echo "=== releases"
printf '%s\n' "${summary[@]}"
exit $failed
