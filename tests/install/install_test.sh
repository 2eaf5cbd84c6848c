#!/usr/bin/env bash
# Installs the build into a fresh prefix with `cmake --install` and checks what it installed.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$1
source_dir=$2

prefix=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
bash "$source_dir/tests/install/check_installed.sh" "$prefix" "$source_dir"
