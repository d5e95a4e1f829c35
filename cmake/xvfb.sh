# Sourced: starts one Xvfb for this shell unless a display is already there, and
# exports DISPLAY. stop_xvfb ends it.
start_xvfb() {
  [ -n "${DISPLAY:-}" ] && return 0
  local out; out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  TARVEX_XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$out")"
  rm -f "$out"
}
stop_xvfb() {
  [ -n "${TARVEX_XVFB_PID:-}" ] && kill "$TARVEX_XVFB_PID" 2>/dev/null && wait "$TARVEX_XVFB_PID" 2>/dev/null
  TARVEX_XVFB_PID=
}
