#!/usr/bin/env bash
# Finds or builds Qt for Windows x64 (mingw-w64), static and Release, from Debian's own qt6-base
# source package: only Core, Gui, Widgets and Test, with the windows and offscreen platforms and
# the windowsvista style. The host's moc, rcc and uic serve the cross build, so the source must
# be the host Qt's version. Prints the prefix on its last line.
#
# The prefix is $SHIFTMETER_WINDOWS_QT, or else keyed by the Qt version and the configure
# options under ${XDG_CACHE_HOME:-$HOME/.cache}/shiftmeter/. A finished prefix is used as it is,
# and so is a named one that holds a Qt; a named folder that holds anything else is left alone.
# Without one, SHIFTMETER_WINDOWS_QT_TARBALL may name a prebuilt prefix as .tar.xz (one folder
# inside): it is unpacked into the prefix when its sha256 is one known to be built with exactly
# these options. Otherwise Qt is built, which takes about half an hour on two cores.
# Needs the packages of `scripts/setup.sh windows`.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//')
host=/usr
host_cmake=/usr/lib/x86_64-linux-gnu/cmake
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  # Debian's source leaves out the Wintab header that the windows platform's tablet support
  # includes.
  -DFEATURE_tabletevent=OFF
  -DINPUT_libpng=qt -DINPUT_libjpeg=qt -DINPUT_freetype=qt -DINPUT_harfbuzz=qt
  -DINPUT_pcre=qt -DINPUT_doubleconversion=qt
)
options_key=$(printf '%s\n' "$qt_version" "${options[@]}" | sha256sum | cut -c1-12)
# Prebuilt prefixes whose recipe is the one above, by the options key they were built with.
declare -A known_tarballs=(
  [c3de8a4b3fa842b4bf16e8ecd0918e9ab4b2c4f022ccfa7795827de689100c8e]=$options_key
)

prefix=${SHIFTMETER_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/shiftmeter/qt-$qt_version-$options_key}
stamp=$prefix/.complete-$options_key
if [ -f "$stamp" ]; then
  echo "$prefix"
  exit 0
fi
# A folder that the user named and that holds something is theirs: taken as it is when it holds
# a Qt, and never emptied to build one there.
if [ -n "${SHIFTMETER_WINDOWS_QT:-}" ] && [ -n "$(ls -A "$prefix" 2>/dev/null)" ]; then
  if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
  fi
  echo "=== Qt for Windows: $prefix holds no Qt and is not empty; name a new or empty folder" >&2
  exit 1
fi

unpack_tarball() {
  local tarball=$1 sum
  sum=$(sha256sum "$tarball" | cut -d' ' -f1)
  if [ "${known_tarballs[$sum]:-}" != "$options_key" ]; then
    echo "=== Qt for Windows: $tarball (sha256 $sum) is not known to match these options" >&2
    return 1
  fi
  echo "=== Qt for Windows: unpacking the prebuilt $tarball into $prefix" >&2
  rm -rf "$prefix"
  mkdir -p "$prefix"
  tar -xJf "$tarball" -C "$prefix" --strip-components=1
}

build_from_source() {
  local work=$prefix.work
  rm -rf "$prefix" "$work"
  mkdir -p "$work"
  echo "=== Qt for Windows: building Qt $qt_version from Debian's source into $prefix;" \
    "this takes about half an hour on two cores (log: $work/build.log)" >&2
  (cd "$work" && apt-get source "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)") \
    >"$work/source.log" 2>&1 || { cat "$work/source.log" >&2; return 1; }
  local start=$SECONDS source_dir
  source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
  cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/windows-x64-mingw-compilers.cmake" \
    -DQT_HOST_PATH=$host -DQT_HOST_PATH_CMAKE_DIR=$host_cmake -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${options[@]}" >"$work/build.log" 2>&1 &&
    cmake --build "$work/build" -j2 >>"$work/build.log" 2>&1 &&
    cmake --install "$work/build" >>"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; return 1; }
  echo "=== Qt for Windows: built in $((SECONDS - start)) s" >&2
  rm -rf "$work"
}

if [ -n "${SHIFTMETER_WINDOWS_QT_TARBALL:-}" ] && unpack_tarball "$SHIFTMETER_WINDOWS_QT_TARBALL"; then
  :
else
  build_from_source
fi
touch "$stamp"
echo "$prefix"
