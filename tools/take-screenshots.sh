#!/usr/bin/env bash
# Takes the pictures of the four pages in docs/ from the real program, under
# a virtual X server, at normal and at double scale:
#   docs/screenshot-{pay,grid,settings,usage}.png and …@2x.png
#
# Usage: bash tools/take-screenshots.sh [BUILD_DIR]
#   BUILD_DIR (default: build) is configured if needed; only the program and
#   the example-log tool are built in it.
#
# The program runs from a copy in a fresh temporary folder, which is then its
# data directory, with an example log written by tools/make_example_log. The
# clock is set to the example's last day (libfaketime), so the same code
# gives the same pictures. Nothing of the user's own data is touched.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$repo/$build
password=example

bash "$repo/tools/install-packages.sh" xvfb xdotool imagemagick faketime

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -G Ninja
fi
cmake --build "$build" --target paylog make_example_log

faketime_library=$(dpkg-query -L libfaketime | grep '/libfaketime\.so\.1$' | head -n 1)

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "take-screenshots: $*" >&2
  [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}

# Room for the window at double scale (1786x1440 at 100,100).
Xvfb -displayfd 1 -screen 0 2000x1600x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "the X server did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")
root_window=$(xdotool search --maxdepth 0 --name '')

mkdir -p "$work/example" "$work/home" "$work/runtime" "$work/pictures"
chmod 700 "$work/runtime"
# The log's last day, at which the program is to think it runs.
now=$("$build/tools/make_example_log" "$work/example" "$password")

# The first window whose name matches, once it is shown; fails after 60 s.
window_named() {
  timeout 60 xdotool search --sync --onlyvisible --limit 1 --name "$1" ||
    fail "no window named '$1' appeared"
}

# An inactive window shows neither a text cursor nor a focus frame, which
# would make the pictures depend on the moment they are taken.
deactivate() { xdotool windowfocus --sync "$root_window"; }

raw_pixels() { import -window "$1" rgb:- | md5sum; }

# Waits until the window has not changed for `quiet` seconds, then saves it.
save_when_still() {
  local window=$1 file=$2 quiet=$3 timeout=$4
  local deadline=$((SECONDS + timeout)) before after
  before=$(raw_pixels "$window")
  while :; do
    sleep "$quiet"
    after=$(raw_pixels "$window")
    [ "$after" = "$before" ] && break
    before=$after
    ((SECONDS < deadline)) || fail "$file: the window did not stand still"
  done
  import -window "$window" -define png:exclude-chunks=date,time "$file"
}

# Positions of the pay page's buttons, from the window's fixed layout
# (app/pay_page.cpp), in logical pixels of the window.
import_button=(108 668)   # 导入最后一次输入的数据
compute_button=(760 588)  # 结果输出

click() {
  local window=$1 scale=$2 x=$3 y=$4
  xdotool mousemove --window "$window" $((x * scale)) $((y * scale)) click 1
  # Off the window again, so that no button is drawn under the pointer.
  xdotool mousemove 0 0
}

# The next page to the left, wrapping from the first to the last.
previous_page() {
  xdotool windowfocus --sync "$1"
  xdotool key ctrl+shift+Tab
  deactivate
}

shoot() {
  local scale=$1 suffix=$2
  local folder=$work/run-$scale
  mkdir -p "$folder"
  cp "$build/app/paylog" "$work/example/"* "$folder/"

  env -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR \
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
    HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    LD_PRELOAD="$faketime_library" FAKETIME="@$now" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$folder/paylog" >"$work/program.log" 2>&1 &
  program_pid=$!

  local dialog window
  dialog=$(window_named '^请输入密码$')
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 20 "$password"
  xdotool key Return
  window=$(window_named '^工资计算与加班记录')

  click "$window" "$scale" "${import_button[@]}"
  click "$window" "$scale" "${compute_button[@]}"
  deactivate
  save_when_still "$window" "$work/pictures/screenshot-pay$suffix.png" 0.5 20

  # The usage notes take about a minute to write, pausing at most 3 s.
  previous_page "$window"
  save_when_still "$window" "$work/pictures/screenshot-usage$suffix.png" 4 150
  previous_page "$window"
  save_when_still "$window" "$work/pictures/screenshot-settings$suffix.png" 0.5 20
  previous_page "$window"
  save_when_still "$window" "$work/pictures/screenshot-grid$suffix.png" 0.5 20

  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

shoot 1 ""
shoot 2 "@2x"
mkdir -p "$repo/docs"
mv "$work/pictures/"*.png "$repo/docs/"
echo "take-screenshots: pictures written to $repo/docs"
