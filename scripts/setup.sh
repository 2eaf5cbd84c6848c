#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running or testing Shiftmeter needs.
# Usage: scripts/setup.sh run|test|look   (look: what the screenshot and start-up scripts need)
# As root it installs whatever is missing (after refreshing the package lists); as another user
# it prints the exact apt-get line to run and fails. Installs nothing when all is present.
set -euo pipefail

build_packages=(
  g++ cmake ninja-build pkg-config dpkg-dev
  libmpfr-dev libgmp-dev
  qt6-base-dev
  fonts-liberation fonts-urw-base35 fonts-wine fonts-dejavu-core fontconfig
)
test_packages=(
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb openbox x11-utils
  dbus at-spi2-core python3-pyatspi
)
look_packages=(
  xvfb x11-utils imagemagick
)

case "${1:-}" in
  run) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  look) wanted=("${build_packages[@]}" "${look_packages[@]}") ;;
  *) echo "usage: $0 run|test|look" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Run this as root, then run this command again:" >&2
  echo "  $install_line" >&2
  exit 1
fi
echo "Installing missing Debian packages: ${missing[*]}"
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
