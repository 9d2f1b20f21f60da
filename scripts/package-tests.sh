#!/usr/bin/env bash
# Package tests of one Windows build folder (either architecture):
#  - the zip holds exactly the shipped files, and its exe runs from an unpacked folder;
#  - the installer installs silently per user into a Wine prefix of its own, the
#    installed exe runs and keeps options.ini beside itself, and the silent uninstall
#    removes the program and its shortcut but keeps the favourites and changed options.
#
#   bash scripts/package-tests.sh BUILD_DIR      prints "N passed, N failed"
#   source scripts/package-tests.sh BUILD_DIR    (test.sh) adds to its passed, failed, failures
#
# Environment: WINE (default wine) and WINESERVER (default wineserver) run the
# architecture's programs; CORVANE_PKG_WINEPREFIX (default BUILD_DIR/pkg-wineprefix)
# is the test prefix, created with the caller's WINEARCH when missing. Logs go to
# BUILD_DIR/package-tests/.

# The checks, run in a child process (on a virtual display when there is none).
# Writes "passed", "failed" and one line per failure to the summary file $2.
if [ "${1:-}" = "--run" ]; then
  set -uo pipefail
  B="$2"; SUMMARY="$3"
  WINE="${WINE:-wine}"; WINESERVER="${WINESERVER:-wineserver}"
  OUT="$B/package-tests"; LOG="$OUT/log.txt"
  p=0; f=0; fl=()
  ok() { p=$((p + 1)); echo "package: $1: ok"; }
  bad() { f=$((f + 1)); fl+=("package: $1 (see $LOG)"); echo "package: $1: FAILED"; }
  finish() { printf '%s\n' "$p" "$f" "${fl[@]}" >"$SUMMARY"; exit 0; }
  winpath() { local x="$1"; echo "Z:${x//\//\\}"; }

  zip=$(ls "$B"/packages/Corvane-*-win*.zip 2>/dev/null | grep -v setup | head -1)
  setup=$(ls "$B"/packages/Corvane-*-win*-setup.exe 2>/dev/null | head -1)
  check="$B/test-tools/shipcheck.exe"
  if [ -z "$zip" ] || [ -z "$setup" ] || [ ! -f "$check" ]; then bad "packages were not built"; finish; fi
  name=$(basename "$zip" .zip)
  # The Corvane menu: one DLL per package, and the 32-bit one too in the 64-bit package.
  menus="CorvaneMenu.dll"
  case "$name" in *-win64) menus="CorvaneMenu.dll CorvaneMenu32.dll" ;; esac
  clsid='{30686F35-109B-4760-826D-29855D804D71}'
  classes='HKCU\Software\Classes'
  handlers=('Directory\shellex' 'Directory\Background\shellex' 'Drive\shellex' '*\shellex')
  # Prints what is wrong with the menu's registration; $1 = "present DLL [DLL32]" or "absent".
  menu_registration() {
    local want="$1" dll="${2:-}" dll32="${3:-}" out h
    # Wine's reg prints its "not found" on standard output: only a success counts.
    out=$("$WINE" reg query "$classes\CLSID\\$clsid\InprocServer32" 2>/dev/null) && out=$(echo "$out" | tr -d '\r') || out=""
    if [ "$want" = present ]; then
      echo "$out" | grep -qiF "$dll" || echo "class not registered for $dll: $out"
      echo "$out" | grep -q "ThreadingModel.*Apartment" || echo "no apartment threading model"
      for h in "${handlers[@]}"; do
        "$WINE" reg query "$classes\\$h\ContextMenuHandlers\Corvane" 2>/dev/null | grep -qF "$clsid" ||
          echo "no handler under $h"
      done
      if [ -n "$dll32" ]; then
        "$WINE" reg query "$classes\Wow6432Node\CLSID\\$clsid\InprocServer32" 2>/dev/null | grep -qiF "$dll32" ||
          echo "32-bit class not registered for $dll32"
      fi
    else
      [ -z "$out" ] || echo "class left behind: $out"
      for h in "${handlers[@]}"; do
        "$WINE" reg query "$classes\\$h\ContextMenuHandlers\Corvane" >/dev/null 2>&1 && echo "handler left under $h"
      done
      "$WINE" reg query "$classes\Wow6432Node\CLSID\\$clsid" >/dev/null 2>&1 && echo "32-bit class left behind"
    fi
  }

  # (c) the zip: exactly these files, in one folder named like the zip.
  expected="Corvane.exe $menus LICENSE.txt LICENSES-THIRD-PARTY.txt README.txt help.html msn.ssk"
  rm -rf "$OUT/unpacked"
  if python3 - "$zip" "$name" "$expected" "$OUT/unpacked" >>"$LOG" 2>&1 <<'EOF'
import sys, zipfile
path, top, expected, dest = sys.argv[1], sys.argv[2], sorted(sys.argv[3].split()), sys.argv[4]
with zipfile.ZipFile(path) as z:
    files = sorted(n for n in z.namelist() if not n.endswith('/'))
    want = sorted(top + '/' + n for n in expected)
    if files != want:
        print('zip holds', files, 'expected', want)
        sys.exit(1)
    z.extractall(dest)
EOF
  then ok "zip holds exactly the shipped files"; else bad "zip holds exactly the shipped files"; fi

  # A test prefix of our own; a new one boots once.
  export WINEPREFIX="${CORVANE_PKG_WINEPREFIX:-$B/pkg-wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "package: creating Wine prefix $WINEPREFIX"
    "$WINE" wineboot -i >>"$LOG" 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$LOG" 2>&1
    "$WINESERVER" -w
  fi
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null
  fi

  if [ -f "$OUT/unpacked/$name/Corvane.exe" ] &&
     "$WINE" "$check" "$(winpath "$OUT/unpacked/$name/Corvane.exe")" >>"$LOG" 2>&1; then
    ok "zip's exe starts from an unpacked folder"
  else
    bad "zip's exe starts from an unpacked folder"
  fi

  # regsvr32 on the unpacked DLL registers it for the current user; /u removes it all.
  zipdll="$(winpath "$OUT/unpacked/$name/CorvaneMenu.dll")"
  "$WINE" reg delete "$classes\\CLSID\\$clsid" /f >/dev/null 2>&1
  "$WINE" regsvr32 /s "$zipdll" >>"$LOG" 2>&1
  wrong=$(menu_registration present "$name\CorvaneMenu.dll")
  "$WINE" regsvr32 /s /u "$zipdll" >>"$LOG" 2>&1
  wrong+=$(menu_registration absent)
  echo "$wrong" >>"$LOG"
  [ -z "$wrong" ] && ok "regsvr32 registers the zip's menu per user and /u removes it" \
                  || bad "regsvr32 registers the zip's menu per user and /u removes it"

  # (b) the installer, from a clean start; favourites stored before must survive.
  user="${USER:-$(id -un)}"
  users="$WINEPREFIX/drive_c/users/$user"
  inst="$users/AppData/Local/Programs/Corvane"
  link="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Corvane.lnk"
  ukey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
  rm -rf "$inst" "$link"
  "$WINE" reg delete 'HKCU\Software\Corvane' /f >/dev/null 2>&1
  "$WINE" reg delete "$ukey" /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Corvane' /v N0 /d 'Kept favourite' /f >>"$LOG" 2>&1
  "$WINE" reg add 'HKCU\Software\Corvane' /v P0 /d 'C:\windows' /f >>"$LOG" 2>&1

  "$WINE" "$setup" /S >>"$LOG" 2>&1
  installed=1
  for x in Corvane.exe $menus msn.ssk help.html README.txt LICENSE.txt LICENSES-THIRD-PARTY.txt Uninstall.exe; do
    [ -f "$inst/$x" ] || { echo "not installed: $x" >>"$LOG"; installed=0; }
  done
  [ -f "$link" ] || { echo "no Start-menu shortcut" >>"$LOG"; installed=0; }
  ureg=$("$WINE" reg query "$ukey" 2>>"$LOG" | tr -d '\r')
  echo "$ureg" >>"$LOG"
  version=${name#Corvane-}; version=${version%-win*}
  for v in "DisplayName.*Corvane" "DisplayVersion.*$version" "Publisher.*Tollbright" \
           "DisplayIcon.*Corvane.exe" "UninstallString.*Uninstall.exe"; do
    echo "$ureg" | grep -q "$v" || { echo "uninstall key lacks $v" >>"$LOG"; installed=0; }
  done
  [ "$installed" = 1 ] && ok "silent install per user with shortcut and uninstall entry" \
                       || bad "silent install per user with shortcut and uninstall entry"
  dll32=""; case "$menus" in *CorvaneMenu32.dll*) dll32='Programs\Corvane\CorvaneMenu32.dll' ;; esac
  wrong=$(menu_registration present 'Programs\Corvane\CorvaneMenu.dll' "$dll32")
  echo "$wrong" >>"$LOG"
  [ -z "$wrong" ] && ok "install registers the Corvane menu per user" \
                  || bad "install registers the Corvane menu per user"

  if [ -f "$inst/Corvane.exe" ] &&
     "$WINE" "$check" "C:\\users\\$user\\AppData\\Local\\Programs\\Corvane\\Corvane.exe" >>"$LOG" 2>&1 &&
     [ -f "$inst/options.ini" ]; then
    ok "installed exe starts and writes options.ini in the install folder"
  else
    bad "installed exe starts and writes options.ini in the install folder"
  fi

  # A program holds the menu loaded, as Explorer does, through an upgrade: the new DLL
  # takes its place, the held copy is renamed and goes at the next sign-in.
  sim="$B/test-tools/sessionsim.exe"; stop="$OUT/stop-holding"
  windll="C:\\users\\$user\\AppData\\Local\\Programs\\Corvane\\CorvaneMenu.dll"
  # Starts a holder of the installed DLL in the background; 0 once it holds it.
  hold_menu() {
    rm -f "$stop" "$OUT/hold.txt"
    "$WINE" "$sim" hold "$windll" "$(winpath "$stop")" >"$OUT/hold.txt" 2>&1 &
    local i
    for i in $(seq 200); do grep -q held "$OUT/hold.txt" 2>/dev/null && return 0; sleep 0.1; done
    return 1
  }
  leftovers() { ls "$inst" 2>/dev/null | grep -vxF -e Corvane.exe -e options.ini -e Uninstall.exe $(printf -- '-e %s ' $expected); }
  upgraded=1
  hold_menu || { echo "the DLL could not be held" >>"$LOG"; upgraded=0; }
  "$WINE" "$setup" /S >>"$LOG" 2>&1
  cmp -s "$inst/CorvaneMenu.dll" "$OUT/unpacked/$name/CorvaneMenu.dll" || { echo "menu DLL not replaced" >>"$LOG"; upgraded=0; }
  retired=$(leftovers)
  [ -n "$retired" ] || { echo "no renamed copy of the held DLL" >>"$LOG"; upgraded=0; }
  touch "$stop"; wait
  "$WINE" "$sim" logon >>"$LOG" 2>&1
  timeout 60 "$WINESERVER" -w
  [ -z "$(leftovers)" ] || { echo "left after sign-in: $(leftovers)" >>"$LOG"; upgraded=0; }
  [ "$upgraded" = 1 ] && ok "upgrade replaces a held menu DLL; the old copy goes at the next sign-in" \
                      || bad "upgrade replaces a held menu DLL; the old copy goes at the next sign-in"

  # The uninstaller copies itself away and returns at once; wait until every
  # program of the prefix has ended.
  if [ -f "$inst/Uninstall.exe" ]; then "$WINE" "$inst/Uninstall.exe" /S >>"$LOG" 2>&1; fi
  timeout 120 "$WINESERVER" -w
  removed=1
  for x in Corvane.exe $menus msn.ssk help.html README.txt LICENSE.txt LICENSES-THIRD-PARTY.txt Uninstall.exe; do
    [ ! -e "$inst/$x" ] || { echo "left behind: $x" >>"$LOG"; removed=0; }
  done
  wrong=$(menu_registration absent)
  [ -z "$wrong" ] || { echo "$wrong" >>"$LOG"; removed=0; }
  [ ! -e "$link" ] || { echo "shortcut left behind" >>"$LOG"; removed=0; }
  "$WINE" reg query "$ukey" >/dev/null 2>&1 && { echo "uninstall key left behind" >>"$LOG"; removed=0; }
  [ "$removed" = 1 ] && ok "silent uninstall removes the program, its shortcut and the menu's registration" \
                     || bad "silent uninstall removes the program, its shortcut and the menu's registration"

  store=$("$WINE" reg query 'HKCU\Software\Corvane' 2>>"$LOG" | tr -d '\r')
  echo "$store" >>"$LOG"
  if echo "$store" | grep -q "N0.*Kept favourite" && echo "$store" | grep -q "Setting" &&
     grep -q "ShowTips=0" "$inst/options.ini" 2>/dev/null; then
    ok "uninstall keeps the favourites and the changed options.ini"
  else
    bad "uninstall keeps the favourites and the changed options.ini"
  fi

  # An options.ini that says only what the defaults say is not the user's
  # choice: the uninstaller takes it and the then empty folder.
  # The menu is held loaded through the uninstall: the folder goes at the next sign-in.
  "$WINE" "$setup" /S >>"$LOG" 2>&1
  printf '[Options]\r\nExploreFolder=1\r\nAskDelete=1\r\nShowTips=1\r\n' >"$inst/options.ini"
  held=0; hold_menu && held=1
  if [ -f "$inst/Uninstall.exe" ]; then "$WINE" "$inst/Uninstall.exe" /S >>"$LOG" 2>&1; fi
  for i in $(seq 600); do [ -e "$inst/Uninstall.exe" ] || break; sleep 0.1; done
  sleep 1; touch "$stop"; wait
  timeout 120 "$WINESERVER" -w
  # Until the sign-in, the renamed copy keeps the folder.
  [ -n "$(leftovers)" ] || held=0
  echo "after uninstall with the menu held: $(ls "$inst" 2>&1)" >>"$LOG"
  "$WINE" "$sim" logon >>"$LOG" 2>&1
  timeout 60 "$WINESERVER" -w
  [ "$held" = 1 ] && [ ! -e "$inst" ] && ok "uninstall removes an unchanged options.ini and the folder, a held menu at sign-in" \
                   || bad "uninstall removes an unchanged options.ini and the folder, a held menu at sign-in"
  "$WINESERVER" -k >/dev/null 2>&1
  finish
fi

# Builds the packages and the driver, runs the checks, and counts the results.
corvane_package_tests() {
  local b="$1" here summary
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  summary="$b/package-tests/summary"
  mkdir -p "$b/package-tests"; rm -f "$summary" "$b/package-tests/log.txt"
  echo "== package tests ($b)"
  if ! cmake --build "$b" -j "${JOBS:-$(nproc)}" --target packages shipcheck sessionsim >"$b/package-tests/build.log" 2>&1; then
    tail -20 "$b/package-tests/build.log"
    failed=$((failed + 1)); failures+=("packaging (see $b/package-tests/build.log)")
    return
  fi
  if [ -n "${DISPLAY:-}" ]; then
    bash "$here/package-tests.sh" --run "$b" "$summary"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/package-tests.sh" --run "$b" "$summary"
  fi
  if [ -f "$summary" ]; then
    local p f x; local -a fl
    { read -r p; read -r f; mapfile -t fl; } <"$summary"
    passed=$((passed + p)); failed=$((failed + f))
    for x in "${fl[@]}"; do [ -n "$x" ] && failures+=("$x"); done
  else
    failed=$((failed + 1)); failures+=("package tests did not report")
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -uo pipefail
  [ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
  passed=0; failed=0; failures=()
  corvane_package_tests "$(cd "$1" && pwd)"
  for x in "${failures[@]}"; do [ -n "$x" ] && echo "FAILED: $x"; done
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
else
  corvane_package_tests "$1"
fi
