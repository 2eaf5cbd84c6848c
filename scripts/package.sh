#!/usr/bin/env bash
# Builds the Debian package build/package/shiftmeter_<version>_amd64.deb the way Debian builds
# its own: with the compiler and linker flags of dpkg-buildflags, every hardening feature on
# (PIE, stack protector, fortify, relro and immediate binding), and no build type of CMake's own
# on top. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake takes no preprocessor flags of its own, so CPPFLAGS go in front of CXXFLAGS, as
# debhelper does.
cxx_flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
linker_flags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DSHIFTMETER_BUILD_TESTS=OFF \
  -DSHIFTMETER_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS=$cxx_flags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$linker_flags" >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/*.deb
(cd "$build" && cpack >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
ls "$build"/*.deb
