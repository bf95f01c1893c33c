#!/usr/bin/env bash
# courier.sh start <dir> | stop <dir>
#
# Starts Courier's POP3 server, unpacked by unpack_servers.sh and never installed, on
# 127.0.0.1 for the tests, with the users and mailboxes of pop3_fixture_lib.sh. Its programs
# look for their configuration, modules and authentication socket at fixed system paths, so
# they run in a private mount namespace where the unpacked files and a configuration of
# <dir>'s own are laid over /usr, /etc and /run; nothing outside sees them. Authentication:
# authdaemond with the userdb module. After "start": <dir>/port, <dir>/manifest.json and the
# log <dir>/courier.log.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 start|stop <dir>" >&2; exit 2; }
action=$1
mkdir -p "$2"
fixture_dir=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pop3_fixture_lib.sh
. "$here/pop3_fixture_lib.sh"

# Runs inside the namespace: lays the files over the system paths and starts the daemons.
namespace_start() {
    local root=$1 run=$2 port=$3 log=$4
    mount -t overlay overlay -o "lowerdir=$root/usr:/usr" /usr
    makeuserdb -f "$run/etc/courier/userdb"
    mount -t overlay overlay -o "lowerdir=$run/etc:$root/etc:/etc" /etc
    mount -t tmpfs tmpfs /run
    mkdir -p /run/courier/authdaemon
    setsid /usr/lib/courier/courier-authlib/authdaemond </dev/null >>"$log" 2>&1 &
    echo $! >"$run/authdaemond.pid"
    setsid /usr/sbin/couriertcpd -address=127.0.0.1 -nodnslookup -noidentlookup \
        -maxprocs=40 -maxperip=40 "$port" \
        /usr/lib/courier/courier/courierpop3login /usr/lib/courier/courier/courierpop3d Maildir \
        </dev/null >>"$log" 2>&1 &
    echo $! >"$run/couriertcpd.pid"
}

# Stops the daemons of a start: one that did not greet, or the fixture at its end.
undo_start() {
    stop_pid_file "$1/couriertcpd.pid"
    stop_pid_file "$1/authdaemond.pid"
}

start() {
    stop_fixture
    "$here/unpack_servers.sh" >/dev/null
    local root run data owner
    root=$(servers_dir)/root
    rm -rf "$fixture_dir/mail" "$fixture_dir/manifest.json" "$fixture_dir/courier.log"
    run=$(make_run_dir courier)
    owner=$(mail_owner)
    data=$fixture_dir
    if [ "$(id -u)" -eq 0 ]; then
        data=$run
        ln -s "$data/mail" "$fixture_dir/mail"
    fi
    python3 "$here/make_mailbox.py" --shapes "$data/mail" "$fixture_dir/manifest.json"
    mkdir -p "$run/etc/courier"
    printf 'authmodulelist="authuserdb"\nauthmodulelistorig="authuserdb"\ndaemons=2\n' \
        >"$run/etc/courier/authdaemonrc"
    : >"$run/etc/courier/userdb"
    chmod 600 "$run/etc/courier/userdb"
    for entry in $fixture_users; do
        local name=${entry%%:*} password=${entry#*:} hash
        hash=$(openssl passwd -1 "$password")
        mkdir -p "$data/home/$name"
        printf '%s\tuid=%s|gid=%s|home=%s|mail=%s|systempw=%s\n' "$name" "$(id -u "$owner")" \
            "$(id -g "$owner")" "$data/home/$name" "$data/mail/$name" "$hash" \
            >>"$run/etc/courier/userdb"
    done
    chown -R "$owner:$(id -gn "$owner")" "$data/mail" "$data/home"
    start_on_free_port courier "$root" "$run" && return 0
    stop_fixture
    return 1
}

case "$action" in
start) start ;;
stop) stop_fixture ;;
*) echo "usage: $0 start|stop <dir>" >&2; exit 2 ;;
esac
