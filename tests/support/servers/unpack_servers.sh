#!/usr/bin/env bash
# unpack_servers.sh [<dir>]
#
# Unpacks the POP3 servers of the interop fixtures (Courier's and popa3d) with their helpers
# into <dir> (default: the printed servers_dir of pop3_fixture_lib.sh), one folder per package
# below <dir>/root. They are never installed as packages: they conflict with Dovecot's. Does
# nothing when <dir>/complete names the same packages already.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pop3_fixture_lib.sh
. "$here/pop3_fixture_lib.sh"
dir=${1:-$(servers_dir)}
packages="courier-pop courier-base courier-authlib courier-authlib-userdb popa3d"
mkdir -p "$dir"
exec 9>"$dir/.lock"
flock -w 300 9
if [ "$(cat "$dir/complete" 2>/dev/null)" = "$packages" ]; then exit 0; fi
rm -rf "$dir/debs" "$dir/root" "$dir/complete"
mkdir -p "$dir/debs" "$dir/root"
# apt-get download runs as _apt where it can; the folder must be open to it.
chmod 777 "$dir/debs"
# shellcheck disable=SC2086
(cd "$dir/debs" && { apt-get download -qq $packages 2>/dev/null ||
    { apt-get update -qq && apt-get download -qq $packages; }; })
for deb in "$dir"/debs/*.deb; do
    dpkg -x "$deb" "$dir/root"
done
echo "$packages" >"$dir/complete"
echo "unpack_servers.sh: servers unpacked in $dir/root"
