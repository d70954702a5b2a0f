#!/usr/bin/env bash
# End-to-end run of the real programs on a virtual display: the set-up window writes the
# conditions and starts the engine, the engine writes its result, the results window loads
# it, and the drawn maps are checked pixel by pixel on a screenshot.
#
# usage: run_e2e.sh BIN_DIR SOURCE_DIR ARTEFACT_DIR
# Exit status 0 passed, 1 failed, 77 skipped (a prerequisite of the run is not installed).
set -uo pipefail

mkdir -p "$3"
bin_dir=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
artefact_dir=$(cd "$3" && pwd)
histories=1000000

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    [[ -n "${work:-}" && -f "$work/orvell.log" ]] && sed 's/^/  orvell: /' "$work/orvell.log"
    exit 1
}

for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (packages xvfb, xdotool, imagemagick)"
done
[[ -x "$bin_dir/Orvell-22" ]] || skip "the front end $bin_dir/Orvell-22 is not built"
[[ -x "$bin_dir/orvcalc" ]] || skip "the engine $bin_dir/orvcalc is not built"
spectrum="$source_dir/data/spectra/tasmip-120kV-body.csv"
[[ -f "$spectrum" ]] || skip "the sample spectrum $spectrum is missing"
for data_file in ICRUSoft.dat AirMUtr.dat Mus.dat; do
    [[ -f "$source_dir/data/$data_file" ]] || skip "the physics file data/$data_file is missing"
done

# A fresh working directory: the engine, its data files and one spectrum.
work="$artefact_dir/work"
rm -rf "$work"
mkdir -p "$work/no-terminal"
cp "$bin_dir/orvcalc" "$work/"
for data_file in ICRUSoft.dat AirMUtr.dat Mus.dat; do
    cp "$source_dir/data/$data_file" "$work/"
done
cp "$spectrum" "$work/"
result="$work/tasmip-120kV-body.orv2"
screenshot="$artefact_dir/results-window.png"
rm -f "$screenshot"

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT

# The virtual display; -displayfd picks a free display number and reports it.
Xvfb -displayfd 1 -screen 0 1600x1000x24 -nolisten tcp >"$artefact_dir/display-number" \
    2>"$artefact_dir/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [[ -s "$artefact_dir/display-number" ]] && break
    sleep 0.1
done
[[ -s "$artefact_dir/display-number" ]] || fail "Xvfb did not start: $(cat "$artefact_dir/xvfb.log")"
export DISPLAY=":$(head -n1 "$artefact_dir/display-number")"

# The front end in the working directory. Its PATH holds no terminal emulator, so the engine
# is started without a console; its standard input is then closed, which counts as Enter at
# both of its waits.
(cd "$work" && exec env PATH="$work/no-terminal" QT_QPA_PLATFORM=xcb \
    "$bin_dir/Orvell-22" </dev/null >"$work/orvell.log" 2>&1) &
pids+=($!)

# The visible window whose title matches, with the given client width.
find_window() {
    local title=$1 width=$2 id geometry
    for _ in $(seq 150); do
        for id in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id")
            if grep -q "^WIDTH=$width\$" <<<"$geometry"; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}
# Clicks at a position given in twips in the window's client area.
click_twips() {
    local window=$1 x=$2 y=$3
    xdotool mousemove --window "$window" $(((x + 7) / 15)) $(((y + 7) / 15)) click 1
    sleep 0.5
}

form1=$(find_window "^Orvell 22\$" 734) || fail "the start window did not appear"
click_twips "$form1" 5947 5347 # "新規計算"

form4=$(find_window "^Orvell 22\$" 1056) || fail "the set-up window did not appear"
click_twips "$form4" 1000 2790 # the only spectrum in the file list
click_twips "$form4" 2047 5887 # "OK,  グラフ表示"
click_twips "$form4" 14167 7327 # the history count
xdotool windowfocus --sync "$form4"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$histories"
sleep 0.3
click_twips "$form4" 13147 9007 # "シミュレーション スタート"

# The please-wait message: its OK is the default button.
message=$(find_window "^Orvell-22\$" '[0-9]*') || fail "no message after the start"
xdotool windowfocus --sync "$message"
xdotool key Return
sleep 0.5
[[ -f "$work/joken.dat" ]] || fail "the set-up window wrote no joken.dat"
sed -n 8p "$work/joken.dat" | grep -q "1.000E+06" || fail "joken.dat does not hold $histories histories"

# The engine writes its result under the final name only when it is complete.
for _ in $(seq 600); do
    [[ -f "$result" ]] && break
    sleep 0.2
done
[[ -f "$result" ]] || fail "the engine wrote no $result within two minutes"
[[ $(wc -l <"$result") -eq 8007 ]] || fail "the result file does not have 8007 lines"

form1=$(find_window "^Orvell 22\$" 734) || fail "the start window did not come back"
click_twips "$form1" 8107 5347 # "結果検索"
form2=$(find_window "Dose distribution" 1467) || fail "the results window did not appear"
click_twips "$form2" 1000 750 # the only result in the file list
click_twips "$form2" 1567 8467 # "OK"

# Mean red, green and blue (0..255) of a rectangle of the screenshot.
mean_rgb() {
    convert "$screenshot" -crop "$3x$4+$1+$2" +repage -format \
        "%[fx:round(255*mean.r)] %[fx:round(255*mean.g)] %[fx:round(255*mean.b)]" info:
}
# Window coordinates of the total-dose map's origin (Picture3 at 1048, 8, a 2-pixel border,
# user x -203 and y -178 at its inner top left).
map_left=$((1048 + 2 + 203))
map_top=$((8 + 2 + 178))

# The pointer over the total-dose map at x = 40, z = 30 (user y -30): once the maps are
# drawn the read-outs follow it and its blue lines show. Wait for them, however long the
# load takes on a busy machine.
loaded=0
for attempt in $(seq 40); do
    xdotool mousemove --window "$form2" $((map_left + 40 + attempt % 2)) $((map_top - 30))
    sleep 0.1
    xdotool mousemove --window "$form2" $((map_left + 40)) $((map_top - 30))
    sleep 0.4
    import -window "$form2" "$screenshot" || fail "no screenshot of the results window"
    read -r r g b <<<"$(mean_rgb $((map_left + 40)) $((map_top + 120)) 1 20)"
    if [[ "$r $g $b" == "0 0 255" ]]; then
        loaded=1
        break
    fi
done
echo "screenshot: $screenshot"
((loaded)) || fail "the pointer lines never showed over the loaded maps; see $screenshot"

# Pixel checks on the screenshot, in window coordinates.
failures=0
check() {
    if eval "$2"; then
        echo "ok: $1"
    else
        echo "not ok: $1"
        failures=$((failures + 1))
    fi
}
# Cells of the grid outside the racetrack's rounded end (x -195..-186, z -95..-86) get no dose.
read -r r g b <<<"$(mean_rgb $((map_left - 195)) $((map_top - 95)) 10 10)"
check "white outside the phantom ($r $g $b)" "[[ $r -eq 255 && $g -eq 255 && $b -eq 255 ]]"
read -r r g b <<<"$(mean_rgb $((map_left + 60)) $((map_top + 135)) 60 20)"
check "white below the phantom ($r $g $b)" "[[ $r -eq 255 && $g -eq 255 && $b -eq 255 ]]"

# Just inside the straight edges (z 89..98 on both sides) and near the centre (z 6..15),
# clear of the axes and of the pointer lines.
read -r top_r top_g top_b <<<"$(mean_rgb $((map_left - 80)) $((map_top - 98)) 60 10)"
read -r bottom_r bottom_g bottom_b <<<"$(mean_rgb $((map_left - 80)) $((map_top + 89)) 60 10)"
read -r centre_r centre_g centre_b <<<"$(mean_rgb $((map_left - 80)) $((map_top - 15)) 60 10)"
surface_g=$((top_g < bottom_g ? top_g : bottom_g))
check "red near the surface (top $top_r $top_g $top_b, bottom $bottom_r $bottom_g $bottom_b)" \
    "[[ $top_r -eq 255 && $bottom_r -eq 255 && $surface_g -lt 235 ]]"
check "the surface redder than the centre ($surface_g < $centre_g)" \
    "[[ $surface_g -lt $((centre_g - 5)) ]]"

# The sagittal map (Picture6 at 216, 376): red inside the beam at the centre plane, white
# beyond the phantom's thickness.
sag_left=$((216 + 2 + 206))
sag_top=$((376 + 2 + 178))
read -r r g b <<<"$(mean_rgb $((sag_left + 2)) $((sag_top - 95)) 20 10)"
check "sagittal map red in the beam ($r $g $b)" "[[ $r -eq 255 && $g -lt 235 ]]"
read -r r g b <<<"$(mean_rgb $((sag_left + 50)) $((sag_top - 160)) 100 20)"
check "sagittal map white beyond the phantom ($r $g $b)" "[[ $r -eq 255 && $g -eq 255 && $b -eq 255 ]]"

# The pointer's blue lines on the total-dose map, at x = 40 and z = -30.
read -r r g b <<<"$(mean_rgb $((map_left + 40)) $((map_top + 120)) 1 20)"
check "vertical pointer line at x = 40 ($r $g $b)" "[[ $r -eq 0 && $g -eq 0 && $b -eq 255 ]]"
read -r r g b <<<"$(mean_rgb $((map_left + 150)) $((map_top - 30)) 20 1)"
check "horizontal pointer line at z = 30 ($r $g $b)" "[[ $r -eq 0 && $g -eq 0 && $b -eq 255 ]]"

((failures == 0)) || fail "$failures pixel checks failed; see $screenshot"
echo "PASSED"
