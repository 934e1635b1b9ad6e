#!/usr/bin/env bash
# Start-up time, memory and idle processor time of the color mixer's window, with SDL's
# software framebuffer (what the window backend uses) and with SDL's default OpenGL one, on a
# private Xvfb. Start-up runs from starting the process to the window being viewable.
#   bench/window_footprint.sh [MIXER] [RUNS]
set -euo pipefail
mixer=${1:-build/release/tevutil/tevslider/slidrgb}
runs=${2:-5}

exec 3< <(exec Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset 4>&1 2>/dev/null)
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
read -r -t 20 number <&3
export DISPLAY=":$number"

printf '%-10s %10s %8s %14s\n' framebuffer startup_ms rss_kB idle_cpu_ms_2s
for acceleration in 0 1; do
  name=$([ "$acceleration" = 0 ] && echo software || echo opengl)
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    SDL_FRAMEBUFFER_ACCELERATION=$acceleration "$mixer" --platform window &
    pid=$!
    for _ in $(seq 2000); do
      xwininfo -name slidrgb 2>/dev/null | grep -q IsViewable && break
      sleep 0.005
    done
    end=$(date +%s%N)
    sleep 1
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 2
    idle=$(( ($(awk '{print $14 + $15}' "/proc/$pid/stat") - ticks) * 1000 / $(getconf CLK_TCK) ))
    printf '%-10s %10d %8d %14d\n' "$name" $(( (end - start) / 1000000 )) "$rss" "$idle"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
done
