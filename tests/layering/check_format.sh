#!/usr/bin/env bash
# Fails when a C++ source file of the project differs from what .clang-format makes of it.
# Usage: check_format.sh <clang-format> <source root>
set -euo pipefail
clang_format=$1
cd "$2"
mapfile -t files < <(find platform include src game app tools bench tests -name 'build*' -prune -o \
                          \( -name '*.h' -o -name '*.cpp' \) -print | sort)
if "$clang_format" --dry-run --Werror "${files[@]}" 2>&1; then
    echo "format: ${#files[@]} files match .clang-format"
else
    echo "format: files above differ from .clang-format (run: clang-format -i <file>)"
    exit 1
fi
