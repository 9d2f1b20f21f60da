#!/usr/bin/env bash
# Pictures of the program's four windows, for checking that a change leaves the screens as
# they were:
#   scripts/screenshots.sh [--dpi N] EXE_DIR OUT_DIR  takes the pictures of EXE_DIR/Corvane.exe
#   scripts/screenshots.sh --compare DIR_A DIR_B      differing pixels per picture; exits 1 when any differ
#
# --dpi N sets the screen's DPI (the LogPixels value Wine reports; 96 when not given, 120,
# 144 and 192 for 125, 150 and 200 percent) and makes the virtual screen as much larger.
#
# Each window is taken twice: with the built-in look (no "msn.ssk" to be found) and with the
# "msn.ssk" of EXE_DIR (or of build/win64/bin when EXE_DIR has none). Pictures, in OUT_DIR:
#   main-LOOK.png     the main window, tips off
#   editor-LOOK.png   the item editor opened by Add
#   options-LOOK.png  the options dialog
#   tips-LOOK.png     the tips dialog on its first page; tips-LOOK-pageN.png the pages after it
# LOOK is "builtin" or "msn".
#
# What makes two runs alike: the program runs from a copy of the exe in a folder of its own
# (so options.ini and the skin are ours, not EXE_DIR's), in a Wine prefix of its own whose
# favourites key is seeded afresh and whose caret does not blink, on a screen of a fixed size,
# with the pointer parked outside every window. The program is driven with clicks and keys as
# a user would, and a window is taken once two grabs of it in a row are the same.
set -euo pipefail
if [ "${1:-}" = --dpi ]; then
    [[ "${2:-}" =~ ^[0-9]+$ ]] && [ "$2" -ge 96 ] && [ "$2" -le 480 ] || { echo "screenshots: --dpi takes 96 to 480" >&2; exit 2; }
    export CORVANE_SHOTS_DPI=$2
    shift 2
fi
DPI="${CORVANE_SHOTS_DPI:-96}"
SCREEN_W=$((1024 * DPI / 96)) SCREEN_H=$((768 * DPI / 96))
SCREEN="${SCREEN_W}x${SCREEN_H}x24"
# The pointer's place when it must not hover: a corner no window reaches.
PARK_X=$((SCREEN_W - 4)) PARK_Y=$((SCREEN_H - 4))
LOOKS=(builtin msn)

usage() {
    echo "usage: $0 [--dpi N] EXE_DIR OUT_DIR | $0 --compare DIR_A DIR_B" >&2
    exit 2
}

compare_dirs() {
    local a=$1 b=$2 differ=0 f name n
    [ -d "$a" ] && [ -d "$b" ] || { echo "screenshots: $a or $b is not a folder" >&2; exit 2; }
    for f in "$a"/*.png; do
        name=$(basename "$f")
        if [ ! -f "$b/$name" ]; then
            echo "$name: missing in $b"; differ=1; continue
        fi
        # AE prints the count on stderr and exits 1 when the pictures differ, 2 when it cannot
        # compare them (different sizes).
        if n=$(compare -metric AE "$f" "$b/$name" null: 2>&1); then :; fi
        case "$n" in
            0) echo "$name: 0" ;;
            ''|*[!0-9]*) echo "$name: cannot compare ($n)"; differ=1 ;;
            *) echo "$name: $n differing pixels"; differ=1 ;;
        esac
    done
    for f in "$b"/*.png; do
        [ -f "$a/$(basename "$f")" ] || { echo "$(basename "$f"): missing in $a"; differ=1; }
    done
    return "$differ"
}

if [ "${1:-}" = --compare ]; then
    [ $# -eq 3 ] || usage
    compare_dirs "$2" "$3"
    exit $?
fi

# ---- inside the virtual display ----

# The id of the visible window whose title matches $1, once it is there (30 s at most).
wait_window() {
    local id i
    for i in $(seq 1 60); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.5
    done
    echo "screenshots: no window '$1' within 30 s" >&2
    return 1
}

# Saves window $1 to $2 once two grabs half a second apart are the same (20 s at most).
grab_steady() {
    local id=$1 out=$2 prev="$2.prev.png" cur="$2.cur.png" i n
    sleep 0.5
    import -window "$id" "$prev"
    for i in $(seq 1 40); do
        sleep 0.5
        import -window "$id" "$cur"
        if n=$(compare -metric AE "$prev" "$cur" null: 2>&1) && [ "$n" = 0 ]; then
            mv "$cur" "$out"; rm -f "$prev"
            return 0
        fi
        mv "$cur" "$prev"
    done
    echo "screenshots: $(basename "$out") did not settle within 20 s" >&2
    mv "$prev" "$out"
    return 1
}

park_pointer() { xdotool mousemove "$PARK_X" "$PARK_Y"; }

# A 96-DPI distance at the screen's DPI, rounded as the program rounds.
at_dpi() { echo $(( ($1 * DPI + 48) / 96 )); }

# A click at x, y (96-DPI places, as the windows scale with the screen) inside window $1,
# then the pointer goes back out of the way.
click_in() {
    xdotool mousemove --window "$1" "$(at_dpi "$2")" "$(at_dpi "$3")" click 1
    park_pointer
}

# The lines of text on the tips page (runs of 4 or more pixel rows, so that a descender cut off
# by the threshold does not count): page 0 is the only page with four.
tips_text_rows() {
    # The notebook (59, 37, 271 x 123) inside Panel1 (at 6, 6) of a client area that starts at
    # 3, 22 of the window, less a margin for the bevel.
    convert "$1" -crop "$(at_dpi 265)x$(at_dpi 118)+$(at_dpi 70)+$(at_dpi 67)" +repage -threshold 60% -negate -scale '1x!' -threshold 0 \
        -depth 8 gray:- | od -An -v -tu1 | tr -s ' ' '\n' | grep -v '^$' |
        awk '$1 > 0 { run++; next } { if (run >= 4) rows++; run = 0 } END { if (run >= 4) rows++; print rows + 0 }'
}

run_program() {
    local dir=$1
    ( cd "$dir" && exec "$WINE" ./Corvane.exe >"$dir/wine.log" 2>&1 ) &
    PROGRAM_PID=$!
}

stop_program() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    wait "$PROGRAM_PID" 2>/dev/null || true
}

# Writes options.ini beside the exe: all flags set but ShowTips as $2.
write_options() {
    printf '[Options]\r\nExploreFolder=1\r\nAskDelete=1\r\nShowTips=%s\r\n' "$2" >"$1/options.ini"
}

inside_display() {
    local stage=$1 out=$2 look dir id dlg page i rows
    park_pointer
    for look in "${LOOKS[@]}"; do
        dir="$stage/$look"
        seed_store

        # Main window, item editor and options dialog, in one run with tips off.
        write_options "$dir" 0
        run_program "$dir"
        id=$(wait_window '^ Corvane')
        grab_steady "$id" "$out/main-$look.png"
        click_in "$id" 22 47 # Add
        dlg=$(wait_window '^Add Item$')
        grab_steady "$dlg" "$out/editor-$look.png"
        click_in "$dlg" 261 199 # Cancel
        sleep 0.5
        click_in "$id" 450 47 # Options
        dlg=$(wait_window '^Options$')
        grab_steady "$dlg" "$out/options-$look.png"
        click_in "$dlg" 292 190 # Cancel
        stop_program

        # The tips dialog opens on a random page; Next Tip (Alt+N) leads round all five.
        write_options "$dir" 1
        run_program "$dir"
        dlg=$(wait_window '^Corvane Tip of the Day$')
        # One round first, so that every picture is taken after a key press alike.
        for i in 1 2 3 4 5; do xdotool key --delay 50 alt+n; done
        page=""
        for i in 1 2 3 4 5; do
            grab_steady "$dlg" "$out/tips-probe.png"
            rows=$(tips_text_rows "$out/tips-probe.png")
            if [ "$rows" = 4 ]; then page=0; break; fi
            xdotool key alt+n
        done
        if [ -z "$page" ]; then
            echo "screenshots: the tips dialog's first page was not found" >&2
            stop_program
            return 1
        fi
        mv "$out/tips-probe.png" "$out/tips-$look.png"
        for page in 1 2 3 4; do
            xdotool key alt+n
            grab_steady "$dlg" "$out/tips-$look-page$page.png"
        done
        stop_program
    done
}

# Seeds the favourites key as a fresh first start would, with fixed rows.
seed_store() {
    "$WINE" reg delete 'HKCU\Software\Corvane' /f >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Corvane' /v N0 /d 'Windows Directory' /f >/dev/null
    "$WINE" reg add 'HKCU\Software\Corvane' /v P0 /d 'C:\windows' /f >/dev/null
    "$WINE" reg add 'HKCU\Software\Corvane' /v N1 /d 'C:\' /f >/dev/null
    "$WINE" reg add 'HKCU\Software\Corvane' /v P1 /d 'C:\' /f >/dev/null
    "$WINE" reg add 'HKCU\Software\Corvane' /v N2 /d '*Separator*' /f >/dev/null
    "$WINE" reg add 'HKCU\Software\Corvane' /v P2 /d '-' /f >/dev/null
    "$WINESERVER" -w
}

if [ "${1:-}" = --inside-display ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
    export WINEPREFIX="$2"
    inside_display "$3" "$4"
    exit $?
fi

# ---- outside: prepare and start the virtual display ----

[ $# -eq 2 ] || usage
EXE_DIR=$(cd "$1" && pwd)
OUT_DIR=$2
[ -f "$EXE_DIR/Corvane.exe" ] || { echo "screenshots: no Corvane.exe in $EXE_DIR" >&2; exit 2; }
CORVANE_ARCH=win64
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
SKIN="$EXE_DIR/msn.ssk"
[ -f "$SKIN" ] || SKIN="$BUILD/win64/bin/msn.ssk"
[ -f "$SKIN" ] || { echo "screenshots: no msn.ssk in $EXE_DIR or $BUILD/win64/bin" >&2; exit 2; }

# A prefix of its own: the caret setting and the favourites key stay out of run.sh's.
export WINEPREFIX="$BUILD/wineprefix-shots-$ARCH"
wine_prefix_ready
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f >/dev/null
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null
"$WINESERVER" -w
# The built-in look needs no skin anywhere the program looks for one.
rm -f "$WINEPREFIX/drive_c/windows/msn.ssk" "$WINEPREFIX/drive_c/windows/system32/msn.ssk"

STAGE="$BUILD/shots-stage"
rm -rf "$STAGE"
for look in "${LOOKS[@]}"; do
    mkdir -p "$STAGE/$look"
    cp "$EXE_DIR/Corvane.exe" "$STAGE/$look/"
done
cp "$SKIN" "$STAGE/msn/msn.ssk"

mkdir -p "$OUT_DIR"
OUT_DIR=$(cd "$OUT_DIR" && pwd)
rm -f "$OUT_DIR"/*.png
xvfb-run -a -s "-screen 0 $SCREEN" bash "${BASH_SOURCE[0]}" --inside-display "$ARCH" "$WINEPREFIX" "$STAGE" "$OUT_DIR"
ls "$OUT_DIR"
