#!/usr/bin/env bash
# Builds Kelvra and, on a desktop, opens the IDE on the examples with
# hello.kelvra as start-up script. Without a display it runs the main job
# instead: the hello example, with its globals listed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/debugger/kelvra-ide --startup examples/hello.kelvra
fi
./build/cli/kelvra run --globals examples/hello.kelvra
cat <<'HINT'

No display found, so the IDE was not opened. On a desktop, open it with
    ./build/debugger/kelvra-ide --startup examples/hello.kelvra
or on a virtual display with
    xvfb-run -a -s "-screen 0 1600x1000x24" ./build/debugger/kelvra-ide --startup examples/hello.kelvra
or render its window into a picture with
    ./build/debugger/kelvra-ide --startup examples/hello.kelvra --screenshot ide.png
HINT
