#!/bin/sh
# Builds the benchmarks (Release, in build-bench/) and prints every figure
# next to its baseline from the same run, with the ratio and the target.
# Benchmarks print figures; none of them fails on a slow machine.
#
#   bench/run_all.sh
#
# Needs (tools/deps.sh test installs them): xvfb, openbox, x11-utils,
# hyperfine, python3. The 10x and 100x anthologies are generated once into
# $TMPDIR/lantor-bench (never into the source tree) and reused while the
# generator is unchanged.
set -eu
cd "$(dirname "$0")/.."
source_dir=$(pwd)
build="$source_dir/build-bench"
data="${TMPDIR:-/tmp}/lantor-bench"
mkdir -p "$data"

echo "== Building (Release) into $build"
cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLANTOR_BUILD_TESTS=OFF \
  -DLANTOR_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j2 --target Lantor bench_extraction bench_search bench_viewer bench_viewer_opening bench_scale \
  bench_startup minimal_window minimal_text_window minimal_menu_window xlib_window >/dev/null
bin="$build/bench"

for scale in 10 100; do
  file="$data/x$scale.db"
  if [ ! -s "$file" ] || [ tools/gen_anthology.py -nt "$file" ] || [ tools/anthology/lexicon.py -nt "$file" ]; then
    echo "== Generating the ${scale}x anthology into $file"
    python3 tools/gen_anthology.py "$file.part" --scale "$scale" && mv "$file.part" "$file"
  fi
done
cp assets/LR_ov.db "$data/x1.db"

# A private runtime folder keeps Qt quiet about XDG_RUNTIME_DIR.
runtime=$(mktemp -d)
chmod 700 "$runtime"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT INT TERM

# --- whole processes under Xvfb with openbox ---------------------------------
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$runtime/display" 2>/dev/null &
xvfb_pid=$!
while [ ! -s "$runtime/display" ]; do sleep 0.05; done
DISPLAY=":$(cat "$runtime/display")"
export DISPLAY
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do sleep 0.05; done

(
  export XDG_RUNTIME_DIR="$runtime" LC_ALL=C.UTF-8
  "$bin/bench_startup" --runs 21 --settle 500 \
    "$bin/minimal_window" "Minimal" \
    "$build/Lantor" "Lantor" \
    "$bin/minimal_text_window" "Minimal text" \
    "$bin/minimal_menu_window" "Minimal menu" \
    "$bin/xlib_window" "Xlib window"
  echo
  echo "== Start-up cross-check with hyperfine (probe launches, waits for the mapped window, kills)"
  hyperfine -N --style basic --warmup 2 --runs 15 \
    "$bin/bench_startup --once $bin/minimal_window Minimal" \
    "$bin/bench_startup --once $build/Lantor Lantor"
  echo
  # In the real X server: the first opening pays for the viewer's window.
  (cd "$runtime" && QT_QPA_PLATFORM=xcb "$bin/bench_viewer_opening")
)

# --- in-process figures, offscreen --------------------------------------------
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" LC_ALL=C.UTF-8
"$bin/bench_extraction"
"$bin/bench_search"
"$bin/bench_search" "$data/x10.db"
"$bin/bench_search" "$data/x100.db"
"$bin/bench_viewer"
for scale in 1 10 100; do
  "$bin/bench_scale" "$data/x$scale.db" 3
done
