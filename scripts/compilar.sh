#!/usr/bin/env bash
# Configures and builds Lyr in build/ (incremental after the first time).
# With --sanitizers: in build-san/, with AddressSanitizer and
# UndefinedBehaviorSanitizer (no benchmarks).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
pasta="$raiz/build"
opcoes=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitizers" ]; then
  pasta="$raiz/build-san"
  opcoes=(-DCMAKE_BUILD_TYPE=Debug -DLYR_SANITIZERS=ON -DLYR_BENCHMARKS=OFF)
fi
cmake -S "$raiz" -B "$pasta" -G Ninja "${opcoes[@]}" >/dev/null
cmake --build "$pasta" --parallel 2
