# Sourced by the scripts that start a program for a person to use (run-video.sh,
# run-setup.sh): the Wine prefix of these runs (build/wineprefix-run, apart from
# the test sessions), the user's display or else a private Xvfb display, a booted
# prefix, and everything stopped again when the script ends.
#   start_run_session <script name> <what runs, for the message>
#   wait_for_prefix_programs <script name>: after the program ends, waits while
#     programs it started (the recorder from the installer's finish page) run
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
ferrin_without_aslr "$0" "$@"

start_run_session() {
  local name=$1 what=$2
  local repo
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export WINEPREFIX="$repo/build/wineprefix-run"
  mkdir -p "$(dirname "$WINEPREFIX")"

  xvfb_pid=""
  if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 140); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      xvfb_pid=$!
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
      kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
    done
    [ -n "$xvfb_pid" ] || { echo "$name: no display and no free Xvfb display" >&2; exit 1; }
    echo "$name: no display here; $what runs on Xvfb display $DISPLAY (Ctrl+C ends it)"
  fi
  trap stop_run_session EXIT
  trap 'exit 130' INT TERM

  # Wine's first run starts service processes that inherit our pipes: boot the
  # prefix with all of them pointed elsewhere.
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
  setsid "$WINE" wineboot -i </dev/null >/dev/null 2>&1
}

stop_run_session() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}

# The Windows programs running in this session's prefix, one name a line: the
# processes of Wine's loader with this prefix, each named after its program
# (the 15 characters of /proc/PID/comm); the prefix's own services do not count.
prefix_programs() {
  local environ pid loader name
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    loader=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case "${loader##*/}" in wine | wine64 | wine-preloader | wine64-preloader) ;; *) continue ;; esac
    tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    name=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
    case "${name,,}" in
      services.exe | winedevice.exe | plugplay.exe | explorer.exe | rpcss.exe | svchost.exe | conhost.exe | \
        wineboot.exe | winemenubuilder | tabtip.exe | start.exe) continue ;;
    esac
    echo "$name"
  done
}

wait_for_prefix_programs() {
  local name=$1 running
  running=$(prefix_programs | sort -u | tr '\n' ' ')
  [ -n "$running" ] || return 0
  echo "$name: waiting until ${running% } ends (Ctrl+C ends everything)"
  while [ -n "$(prefix_programs)" ]; do sleep 1; done
}
