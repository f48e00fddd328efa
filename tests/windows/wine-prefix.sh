# Sourced by the Wine drivers: a private Wine prefix in a fresh work folder,
# removed at exit with every background program the driver started (listed
# in pids), and COM ports mapped into it.
#   start_wine_work NAME    sets work, pids and the Wine variables
#   first_line FILE         waits for a background program's first line
#   map_com_ports           maps each COM<N> of the array ports to its path

start_wine_work() {
  work=$(mktemp -d "/tmp/zelvane-$1.XXXXXX")
  pids=()
  trap wine_work_cleanup EXIT
  export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

wine_work_cleanup() {
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
  [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}

first_line() {
  for _ in $(seq 200); do
    [ -s "$1" ] && break
    sleep 0.05
  done
  head -n1 "$1"
}

map_com_ports() {
  wineboot -i >/dev/null 2>&1
  local com
  for com in "${!ports[@]}"; do
    wine reg add 'HKLM\Software\Wine\Ports' /v "COM$com" /d "${ports[$com]}" /f >/dev/null 2>&1
  done
  # The port mapping is taken up when the Wine server starts again. It then
  # stays up, so that no Wine program started by a test inherits its output.
  wineserver -k
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
}
