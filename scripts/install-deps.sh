#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the benchmarks need.
set -euo pipefail
packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-l10n-tools qt6-translations-l10n # lupdate and lrelease; the toolkit's own German and French
    libgtest-dev libgmock-dev
    libssl-dev openssl
    dovecot-core dovecot-pop3d
    libidn12 libcourier-unicode4 libgdbm6 libltdl7 libpam-modules util-linux openssl perl
    xvfb xauth imagemagick adwaita-icon-theme fonts-dejavu-core desktop-file-utils
    icewm dunst
    python3
    dpkg-dev file # cpack -G DEB finds the library packages the program depends on
    qtkeychain-qt6-dev gnome-keyring libsecret-tools dbus
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -qq
    # Dovecot must not start as a system service (the tests start their own instance), and a
    # machine without an init system must not fail the install over it.
    policy=/usr/sbin/policy-rc.d
    added_policy=""
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
        $sudo chmod +x "$policy"
        added_policy=1
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
    [ -z "$added_policy" ] || $sudo rm -f "$policy"
fi
# The other POP3 servers of the tests conflict with Dovecot's packages: they are unpacked, not
# installed.
"$(dirname "$0")/../tests/support/servers/unpack_servers.sh"
