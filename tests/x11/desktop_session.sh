#!/usr/bin/env bash
# Runs a python script that drives the program as a keyboard user and reads it as a screen reader
# does, on a private X server, session bus and accessibility bus; stops everything it started
# when the script ends.
# usage: desktop_session.sh SCRIPT PROGRAM [OUTPUT_DIR]   (a failure's screenshot goes to OUTPUT_DIR)
set -euo pipefail

# -noreset: the X server would otherwise reset when its last client leaves, as the bus launcher
# does once it has published the bus, and refuse the program if it connects just then.
if [ "${1:-}" != --in-session ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- "$0" --in-session "$@"
fi
shift

script=$1
program=$2
out_dir=${3:-$PWD}
python=${TABLITOR_PYTHON:-/usr/bin/python3}

started=()
runtime_dir=$(mktemp -d)

stop_all() {
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait
  rm -rf "$runtime_dir"
}
trap stop_all EXIT
trap 'exit 143' TERM INT

# The program and the script must meet on the bus this launcher owns; one started by bus
# activation in between would be a second, empty one.
wait_for_accessibility_bus() {
  for _ in $(seq 100); do
    reply=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
              org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null || true)
    [[ $reply == *"boolean true"* ]] && return 0
    sleep 0.1
  done
  echo "The accessibility bus did not come up." >&2
  return 1
}

# The accessibility bus puts its socket here, and the program its settings: they go with this run.
export XDG_RUNTIME_DIR=$runtime_dir
export XDG_CONFIG_HOME=$runtime_dir/config
/usr/libexec/at-spi-bus-launcher --launch-immediately &
started+=($!)
wait_for_accessibility_bus

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
# The scripts share a module; its compiled form would land in the source tree.
export PYTHONDONTWRITEBYTECODE=1
# In the background, so that a TERM from outside reaches the trap at once.
"$python" "$script" "$program" "$out_dir" &
started+=($!)
wait $!
