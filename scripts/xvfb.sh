# Sourced: starts one Xvfb on a free display for this shell, stopped when the shell exits.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=:$n
      trap stop_xvfb EXIT
      return 0
    fi
  done
  echo "xvfb: no free display" >&2
  return 1
}
stop_xvfb() {
  [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k >/dev/null 2>&1
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  return 0
}
