# Ends this test run's Wine server and X display (the prefix stays for a look
# after a failure; the next run makes a new one).
set -u
dir=$KIT_WINE_DIR
if [ -d "$WINEPREFIX" ]; then
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
fi
if [ -s "$dir/xvfb.pid" ]; then
  kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  rm -f "$dir/xvfb.pid" "$dir/display" "$dir/display.num"
fi
exit 0
