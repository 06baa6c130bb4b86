# Sourced by the benchmark scripts: a private Xvfb screen and a temporary settings folder that
# points the show at the project's data folder, both removed when the script exits.
# Sets DISPLAY, XDG_CONFIG_HOME, SDL's "disk" audio driver writing to /dev/null (the synthesiser
# renders at real-time pace without a sound card) and `work` (the temporary folder); `top` is the
# project's top folder.

# start_show_screen WIDTHxHEIGHT
start_show_screen() {
  work=$(mktemp -d)
  local display_number=90
  while [ -e "/tmp/.X${display_number}-lock" ]; do display_number=$((display_number + 1)); done
  Xvfb ":$display_number" -screen 0 "$1x24" -nolisten tcp -ac >/dev/null 2>&1 &
  screen_server=$!
  trap 'kill "$screen_server" 2>/dev/null; rm -rf "$work"' EXIT
  sleep 1
  export DISPLAY=":$display_number" XDG_CONFIG_HOME="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
  mkdir -p "$work/brisenfall"
  printf '[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\ninstall_path=%s/data/\n' "$top" \
    > "$work/brisenfall/settings-store.ini"
}

# install_missing_packages PACKAGE...: as root, installs those not installed yet.
install_missing_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root: apt-get install ${missing[*]}" >&2
    return 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
