#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

program=build/ui/tablitor
if [ ! -x "$program" ]; then
  echo "The program's window is not built yet: so far only its exact core and tests exist." >&2
  exit 1
fi
exec "$program" "$@"
