#!/usr/bin/env bash
# Builds tovarin-reduce at an earlier commit (default: the last one before the
# core was split from the window) beside the working tree's build, and
# compares both on generated inputs with bench/differential.py. Not run by CI.
#   usage: bench/differential.sh [COMMIT] [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
commit=${1:-3000f9bd37ca868fc14ba5a0cc1fdb0ec4c35626}
count=${2:-1000}
old=$(mktemp -d)
trap 'git worktree remove --force "$old/src" >/dev/null 2>&1 || true; rm -rf "$old"' EXIT
git worktree add --detach "$old/src" "$commit" >/dev/null
cmake -S "$old/src" -B "$old/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DTOVARIN_BENCHMARKS=OFF >/dev/null
cmake --build "$old/build" --target tovarin-reduce >/dev/null
make configure >/dev/null
cmake --build build --target tovarin-reduce >/dev/null
python3 bench/differential.py "$old/build/cli/tovarin-reduce" build/cli/tovarin-reduce \
    --count "$count"
