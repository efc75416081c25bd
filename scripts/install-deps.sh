#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need. Does nothing when
# everything is already there, so it is safe to run before every build.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-serialport-dev qt6-connectivity-dev qt6-base-dev-tools
    libgtest-dev libgmock-dev
    libudev-dev
    xvfb xauth xdotool
    clang-14 libclang-rt-14-dev
    dbus-daemon python3-dbusmock
    qt6-translations-l10n
    appstream desktop-file-utils librsvg2-bin file systemd
    help2man man-db groff-base lintian
    libmosquitto-dev mosquitto
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
