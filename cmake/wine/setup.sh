# Makes this test run's Wine prefix and the X display its windows draw on.
# Environment (from KitWindows.cmake): WINEPREFIX, KIT_WINE_DIR and the
# quiet-Wine settings.
set -eu
dir=$KIT_WINE_DIR
here=$(dirname "$0")

# Whatever an earlier, interrupted run left running.
sh "$here/cleanup.sh"
rm -rf "$WINEPREFIX"
mkdir -p "$dir"
start=$(date +%s)

# A display of its own (Xvfb picks a free number). Every output goes to a
# file: a background process holding CTest's pipe would keep the test open.
rm -f "$dir/display" "$dir/display.num"
Xvfb -displayfd 3 -screen 0 1024x768x24 +extension GLX +render -noreset -nolisten tcp \
  3>"$dir/display.num" </dev/null >"$dir/xvfb.log" 2>&1 &
echo $! >"$dir/xvfb.pid"
i=0
while [ ! -s "$dir/display.num" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(tr -d '\n' <"$dir/display.num")
export DISPLAY
echo "$DISPLAY" >"$dir/display"

# One server for the whole run, kept until the cleanup test, so that each
# test does not pay for starting one.
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
log=$dir/setup.log
if ! wineboot -i </dev/null >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
# Without a window manager, closing a managed window waits for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
  </dev/null >>"$log" 2>&1
# Debian's Wine finds its own fonts (Tahoma among them) only here.
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/wine/fonts/* "$fonts/"
echo "Wine prefix $WINEPREFIX ready on display $DISPLAY in $(($(date +%s) - start)) s"
