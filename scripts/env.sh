# Environment the engine needs on this machine; sourced by the other scripts.
if [ "$(id -u)" -eq 0 ]; then
  # The engine's sandbox refuses to run as root; an ordinary user keeps it.
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking --disable-component-update}"

# Starts Xvfb on a free display number and exports DISPLAY; stops it when the shell exits.
start_xvfb() {
  local number=99
  while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
  done
  Xvfb ":${number}" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
  export DISPLAY=":${number}"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${number}" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}
