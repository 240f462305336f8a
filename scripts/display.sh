# Sourced by the test scripts: starts a virtual X display (Xvfb) when there is
# none, so that tests and tools can open real windows, and stops it on exit.
ensure_display() {
    if [ -z "${DISPLAY:-}" ]; then
        local display=:$((90 + RANDOM % 200))
        Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=$display
        sleep 1
    fi
}

stop_display() {
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
}
