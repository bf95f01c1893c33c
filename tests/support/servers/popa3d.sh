#!/usr/bin/env bash
# popa3d.sh start <dir> | stop <dir>
#
# Starts popa3d, unpacked by unpack_servers.sh and never installed, on 127.0.0.1 for the tests,
# with the users and mailboxes of pop3_fixture_lib.sh (as mbox files). popa3d is an inetd
# service that logs in system accounts through PAM and reads /var/mail; here it runs in a
# private mount namespace where the accounts (and its own user) are added to a copy of
# /etc/passwd, /etc/shadow and /etc/group laid over /etc, and the mailboxes over /var/mail; the
# unpacked tcp server of Courier spawns it per connection. Needs root (CI runs as root). After
# "start": <dir>/port, <dir>/manifest.json and the log <dir>/popa3d.log.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 start|stop <dir>" >&2; exit 2; }
action=$1
mkdir -p "$2"
fixture_dir=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pop3_fixture_lib.sh
. "$here/pop3_fixture_lib.sh"

# Accounts that exist only inside the namespace.
first_uid=61000

namespace_start() {
    local root=$1 run=$2 port=$3 log=$4
    mount -t overlay overlay -o "lowerdir=$run/etc:$root/etc:/etc" /etc
    mount -t overlay overlay -o "lowerdir=$run/varlib:/var/lib" /var/lib
    mount --bind "$run/mail" /var/mail
    setsid "$root/usr/sbin/couriertcpd" -address=127.0.0.1 -nodnslookup -noidentlookup \
        -maxprocs=40 -maxperip=40 "$port" "$root/usr/sbin/popa3d" </dev/null >>"$log" 2>&1 &
    echo $! >"$run/tcpd.pid"
}

# Stops the daemons of a start: one that did not greet, or the fixture at its end.
undo_start() {
    stop_pid_file "$1/tcpd.pid"
}

start() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "popa3d.sh: popa3d changes to its own user and the mail's owners: run as root" >&2
        return 1
    fi
    stop_fixture
    "$here/unpack_servers.sh" >/dev/null
    local root run
    root=$(servers_dir)/root
    rm -rf "$fixture_dir/manifest.json" "$fixture_dir/popa3d.log"
    run=$(make_run_dir popa3d)
    ln -s "$run/mail" "$fixture_dir/mail"
    python3 "$here/make_mailbox.py" --mbox --shapes "$run/mail" "$fixture_dir/manifest.json"
    chmod 1777 "$run/mail"
    mkdir -p "$run/etc" "$run/varlib/popa3d"
    cp /etc/passwd /etc/group "$run/etc/"
    cp /etc/shadow "$run/etc/" 2>/dev/null || : >"$run/etc/shadow"
    chmod 640 "$run/etc/shadow"
    local uid=$first_uid
    echo "popa3d:x:$uid:$uid::/nonexistent:/usr/sbin/nologin" >>"$run/etc/passwd"
    echo "popa3d:x:$uid:" >>"$run/etc/group"
    echo "popa3d:*:19000:0:99999:7:::" >>"$run/etc/shadow"
    for entry in $fixture_users; do
        local name=${entry%%:*} password=${entry#*:}
        uid=$((uid + 1))
        echo "$name:x:$uid:$uid::/nonexistent:/usr/sbin/nologin" >>"$run/etc/passwd"
        echo "$name:x:$uid:" >>"$run/etc/group"
        echo "$name:$(openssl passwd -6 "$password"):19000:0:99999:7:::" >>"$run/etc/shadow"
        chown "$uid:$uid" "$run/mail/$name"
        chmod 600 "$run/mail/$name"
    done
    start_on_free_port popa3d "$root" "$run" && return 0
    stop_fixture
    return 1
}

case "$action" in
start) start ;;
stop) stop_fixture ;;
*) echo "usage: $0 start|stop <dir>" >&2; exit 2 ;;
esac
