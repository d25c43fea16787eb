# Shared by the test scripts: start a private X server on a free display.
# xvfb_start sets XVFB_PID and DISPLAY; xvfb_stop ends that server by its pid.

xvfb_start() {
    n=${XVFB_FIRST:-120}
    last=$((n + 80))
    ready=$(mktemp)
    while [ "$n" -lt "$last" ]; do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            : >"$ready"
            # -displayfd reports the display once the server accepts clients;
            # a server that lost the race for the number exits instead. The
            # keys that xdotool presses go in as real input, which the server
            # repeats when a busy machine delays the release past the repeat
            # delay: a one-minute delay keeps every press single.
            Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1024x768x24}" +extension GLX +render \
                -noreset -nolisten tcp -ardelay 65535 -displayfd 3 3>"$ready" >/dev/null 2>&1 &
            XVFB_PID=$!
            tries=0
            # A loaded machine may take its time to bring the server up.
            while [ "$tries" -lt 300 ]; do
                if [ -s "$ready" ]; then
                    rm -f "$ready"
                    DISPLAY=":$n"
                    export DISPLAY
                    return 0
                fi
                kill -0 "$XVFB_PID" 2>/dev/null || break
                sleep 0.1
                tries=$((tries + 1))
            done
            kill "$XVFB_PID" 2>/dev/null
            wait "$XVFB_PID" 2>/dev/null
        fi
        n=$((n + 1))
    done
    rm -f "$ready"
    echo "no free X display from ${XVFB_FIRST:-120} on" >&2
    return 1
}

xvfb_stop() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
}
