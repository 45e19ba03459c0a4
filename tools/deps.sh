#!/bin/sh
# Installs the Debian packages the project needs.
#   tools/deps.sh run    what building and running the program needs
#   tools/deps.sh test   that, and what the tests and benchmarks need
set -eu

RUN_PACKAGES="cmake g++ make qt6-base-dev qt6-translations-l10n libsqlite3-dev libfreetype-dev libxcb1-dev pkgconf fonts-wine fonts-dejavu-core dpkg-dev"
TEST_PACKAGES="$RUN_PACKAGES python3 sqlite3 xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick librsvg2-bin hyperfine libx11-dev dbus at-spi2-core python3-pyatspi debootstrap debian-archive-keyring desktop-file-utils appstream file shellcheck groff-base acl"

case "${1:-run}" in
  run) packages=$RUN_PACKAGES ;;
  test) packages=$TEST_PACKAGES ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! dpkg-query -W -f='${Status}\n' $packages 2>/dev/null | grep -qv '^install ok installed$' &&
   [ "$(dpkg-query -W -f='${Status}\n' $packages 2>/dev/null | wc -l)" -eq "$(echo $packages | wc -w)" ]; then
  exit 0  # everything is there already
fi

# Installing needs root. A user without sudo (Debian leaves it out when the
# installer was given a root password) is told the command to give root.
if [ "$(id -u)" -eq 0 ]; then
  as_root=""
else
  self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
  instead="run it as root instead: su -c '$self ${1:-run}'"
  if ! command -v sudo >/dev/null 2>&1; then
    echo "$0: installing packages needs root, and sudo is not installed; $instead" >&2
    exit 1
  fi
  sudo -v || { echo "$0: sudo did not let you in; $instead" >&2; exit 1; }
  # sudo clears the environment; env hands the frontend setting over.
  as_root="sudo env DEBIAN_FRONTEND=noninteractive"
fi
$as_root apt-get update -q
# shellcheck disable=SC2086
$as_root apt-get install -y -q --no-install-recommends $packages
