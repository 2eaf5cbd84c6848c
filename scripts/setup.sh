#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing Shiftmeter needs, by names that
# every supported release has: the clang runtime, for one, by the name that follows the release's
# default clang. Usage: scripts/setup.sh run|test|look|cross|windows|chroot   (look: what the
# screenshot and start-up scripts need; cross: the cross compilers, emulators and
# foreign-architecture libraries of scripts/cross-test.sh; windows: what
# scripts/windows-package.sh needs; chroot: what scripts/distro-test.sh needs). As root it
# installs whatever is missing (after refreshing the package lists); as another user it prints
# the exact lines to run and fails. Installs nothing when all is present.
set -euo pipefail

build_packages=(
  g++ cmake ninja-build pkg-config dpkg-dev
  libmpfr-dev libgmp-dev
  qt6-base-dev
  fonts-liberation fonts-urw-base35 fonts-wine fonts-dejavu-core fontconfig
)
test_packages=(
  libgtest-dev libbenchmark-dev git
  clang libclang-rt-dev
  lintian appstream desktop-file-utils
  xvfb openbox x11-utils
  dbus at-spi2-core python3-pyatspi
)
look_packages=(
  xvfb x11-utils imagemagick
)
# Windows x64 builds with mingw-w64 and runs under Wine; GMP and MPFR for it are built from
# Debian's source packages. ARM64 runs under qemu-user; ARM64 and i386 link the multiarch
# libraries of their architecture.
cross_architectures=(arm64 i386)
cross_packages=(
  g++-mingw-w64-x86-64-posix wine wine64 m4 dpkg-dev
  g++-aarch64-linux-gnu qemu-user-static libmpfr-dev:arm64 libgmp-dev:arm64 libgtest-dev:arm64
  g++-i686-linux-gnu libmpfr-dev:i386 libgmp-dev:i386 libgtest-dev:i386
)
# The program for Windows x64 with Qt built from Debian's source, its tests under Wine on Xvfb
# (one of them in a German locale), and its installer.
windows_packages=(
  g++-mingw-w64-x86-64-posix wine wine64 m4 dpkg-dev
  googletest wixl xvfb openbox x11-utils xdotool imagemagick dbus locales
)
chroot_packages=(debootstrap git)

case "${1:-}" in
  run) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  look) wanted=("${build_packages[@]}" "${look_packages[@]}") ;;
  cross) wanted=("${cross_packages[@]}") ;;
  windows) wanted=("${build_packages[@]}" "${windows_packages[@]}") ;;
  chroot) wanted=("${chroot_packages[@]}") ;;
  *) echo "usage: $0 run|test|look|cross|windows|chroot" >&2; exit 2 ;;
esac

native_architecture=$(dpkg --print-architecture)

# dpkg-query prints one line per installed architecture of a package; only the wanted one
# (the native one unless the name says otherwise, or "all") counts.
is_installed() {
  local name=${1%%:*} architecture=${1#*:}
  [ "$architecture" = "$1" ] && architecture=$native_architecture
  local statuses
  statuses=$(dpkg-query -W -f='${Architecture} ${db:Status-Status}\n' "$name" 2>/dev/null || true)
  grep -qE "^($architecture|all) installed$" <<<"$statuses"
}

# A command that adds the machine's own Debian archive as a deb-src entry: a copy of the entry
# that serves its main component, options kept (apt refuses one archive under two Signed-By).
# Sources entries are numbered by stanza in deb822 files and by line in one-line lists.
debian_source_entry_command() {
  local entry file number text target
  entry=$(apt-get indextargets --format '$(SOURCESENTRY)' 'Created-By: Packages' 'Origin: Debian' \
    'Component: main' | sed -n 1p)
  file=${entry%:*} number=${entry##*:}
  if [[ $file == *.sources ]]; then
    text=$(awk -v RS= -v n="$number" 'NR == n' "$file" | sed 's/^Types:.*/Types: deb-src/')
    target=/etc/apt/sources.list.d/shiftmeter-deb-src.sources
  else
    text=$(sed -n "${number}s/^deb /deb-src /p" "$file")
    target=/etc/apt/sources.list.d/shiftmeter-deb-src.list
  fi
  local -a lines
  mapfile -t lines <<<"$text"
  echo "printf '%s\\n' $(printf '%q ' "${lines[@]}")> $target"
}

# Steps that must come before the install, as shell lines: the cross mode's foreign
# architectures and the deb-src entry that `apt-get source` needs.
preparation=()
if [ "$1" = cross ]; then
  # Read whole before matching: grep -q stopping early would fail the pipe (pipefail).
  foreign=$(dpkg --print-foreign-architectures)
  for architecture in "${cross_architectures[@]}"; do
    grep -qx "$architecture" <<<"$foreign" || preparation+=("dpkg --add-architecture $architecture")
  done
  sources=$(apt-cache showsrc gmp 2>/dev/null || true)
  grep -q '^Package: gmp$' <<<"$sources" || preparation+=("$(debian_source_entry_command)")
fi
# Steps after the install: the windows mode's German locale, which Wine takes from LANG only
# where the C library has it.
completion=()
if [ "$1" = windows ]; then
  sources=$(apt-cache showsrc qt6-base 2>/dev/null || true)
  grep -q '^Package: qt6-base$' <<<"$sources" || preparation+=("$(debian_source_entry_command)")
  locales=$(locale -a 2>/dev/null || true)
  grep -qx de_DE.utf8 <<<"$locales" || completion+=("localedef -i de_DE -f UTF-8 de_DE.UTF-8")
fi

missing=()
for package in "${wanted[@]}"; do
  is_installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && [ ${#preparation[@]} -eq 0 ] && [ ${#completion[@]} -eq 0 ] && exit 0

install_command="DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Run this as root, then run this command again:" >&2
  for line in "${preparation[@]}"; do
    echo "  $line" >&2
  done
  echo "  apt-get update; $install_command" >&2
  for line in "${completion[@]}"; do
    echo "  $line" >&2
  done
  exit 1
fi
for line in "${preparation[@]}"; do
  echo "Preparing: $line"
  bash -c "$line"
done
echo "Installing missing Debian packages: ${missing[*]}"
# One architecture's index can fail while a mirror syncs; the install then fails clearly by
# itself if something it needs really cannot be had.
apt-get -o DPkg::Lock::Timeout=600 update ||
  echo "Refreshing the package lists failed; installing from the lists at hand." >&2
[ ${#missing[@]} -eq 0 ] || bash -c "$install_command"
for line in "${completion[@]}"; do
  echo "Completing: $line"
  bash -c "$line"
done
