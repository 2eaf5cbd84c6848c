#!/usr/bin/env bash
# Builds what the Windows x64 build links and Debian does not package for mingw-w64: GMP and MPFR
# as static libraries from Debian's own source packages, and GoogleTest from /usr/src/googletest.
# Installs them into build/mingw-deps (or $SHIFTMETER_MINGW_PREFIX); a later run finds the
# finished prefix and returns at once. Needs the packages of `scripts/setup.sh cross`.
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=${SHIFTMETER_MINGW_PREFIX:-$PWD/build/mingw-deps}
work=$PWD/build/mingw-deps-work
stamp=$prefix/.complete
host=x86_64-w64-mingw32
[ -f "$stamp" ] && exit 0

rm -rf "$prefix" "$work"
mkdir -p "$work"
cd "$work"
echo "=== mingw-w64: fetching the GMP and MPFR sources"
apt-get source gmp mpfr4 >source.log 2>&1 || { cat source.log >&2; exit 1; }

# Debian's GMP source leaves out the manual, but its configure still writes doc/Makefile; a
# stub that answers every target stands in.
gmp_dir=$(echo gmp-*/)
mkdir -p "$gmp_dir/doc"
printf '.DEFAULT:\n\t@:\nall:\n' >"$gmp_dir/doc/Makefile.in"

build_autotools() {
  local name=$1 dir=$2
  shift 2
  echo "=== mingw-w64: building $name"
  mkdir -p "build-$name"
  (cd "build-$name" &&
    "../$dir/configure" --host=$host --prefix="$prefix" --enable-static --disable-shared \
      CC=$host-gcc-posix "$@" >configure.log 2>&1 &&
    make -j2 >make.log 2>&1 && make install >install.log 2>&1) ||
    { tail -n 30 "build-$name"/*.log >&2; exit 1; }
}
build_autotools gmp "$gmp_dir"
build_autotools mpfr "$(echo mpfr4-*/)" --with-gmp="$prefix"

echo "=== mingw-w64: building GoogleTest"
SHIFTMETER_MINGW_PREFIX=$prefix cmake -S /usr/src/googletest -B build-googletest -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$OLDPWD/cmake/toolchains/windows-x64-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF >/dev/null
cmake --build build-googletest -j2 >/dev/null
cmake --install build-googletest >/dev/null

touch "$stamp"
rm -rf "$work"
