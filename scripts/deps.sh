# Sourced by scripts/run and scripts/test: installs the Debian packages Quorvel needs when any is
# missing (Debian 12; needs root or sudo).
QV_PACKAGES=(cmake ninja-build g++ pkg-config libboost-regex-dev libboost-dev libcli11-dev
  libgtest-dev libgmock-dev qt6-base-dev libgl-dev xvfb xauth)

qv_install_deps() {
  local missing=()
  for p in "${QV_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
