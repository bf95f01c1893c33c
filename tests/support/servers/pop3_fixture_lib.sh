# Shared by the POP3 server fixtures (dovecot.sh, courier.sh, popa3d.sh): sourced, not run.
# Each fixture starts a private server on 127.0.0.1 for the tests with the mailboxes of
# make_mailbox.py, writes <dir>/port and <dir>/manifest.json, and stops every process it
# started. Users, all with plaintext log-in: alice/secret (varied messages), bob/secret (empty),
# bulk/secret (1000 small messages), carol/secret (ten messages that tests may delete),
# dave/secret, erin/secret and frank/secret (empty: tests write their mail), demo/demo (a
# friendly demo mailbox), grace/secret (messages in the shapes real mail takes, for previews).

fixture_users="alice:secret bob:secret bulk:secret carol:secret dave:secret erin:secret frank:secret
    demo:demo grace:secret"
fixture_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Where unpack_servers.sh keeps the unpacked servers; shared by every build tree.
servers_dir() {
    if [ -n "${VELLION_SERVERS_DIR:-}" ]; then
        echo "$VELLION_SERVERS_DIR"
    elif [ "$(id -u)" -eq 0 ]; then
        echo /var/cache/vellion/pop3-servers
    else
        echo "${XDG_CACHE_HOME:-$HOME/.cache}/vellion/pop3-servers"
    fi
}

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Waits up to 10 s for a POP3 greeting on the port.
wait_ready() {
    python3 - "$1" <<'PY'
import socket, sys, time
deadline = time.time() + 10
while time.time() < deadline:
    try:
        with socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=2) as s:
            if s.recv(100).startswith(b"+OK"):
                sys.exit(0)
    except OSError:
        time.sleep(0.1)
sys.exit(1)
PY
}

# The user that owns the mail: the caller, or nobody when the caller is root (servers give
# root no mail access).
mail_owner() {
    if [ "$(id -u)" -eq 0 ]; then echo nobody; else id -un; fi
}

# A short private directory for sockets, pids and (as root) the mail, which must lie where the
# mail owner can reach it; its name goes to <dir>/run_dir.
make_run_dir() {
    local run
    run=$(mktemp -d "${TMPDIR:-/tmp}/vellion-$1.XXXXXX")
    chmod 755 "$run"
    echo "$run" >"$fixture_dir/run_dir"
    echo "$run"
}

# Ends the process named in a pid file (TERM, then KILL after 10 s) and removes the file.
stop_pid_file() {
    local pid
    pid=$(cat "$1" 2>/dev/null) || return 0
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$1"
}

# Runs the command in a mount namespace of its own, where it may lay files over system paths
# that no one else sees: as root a plain one, else one in a user namespace.
in_private_mounts() {
    if [ "$(id -u)" -eq 0 ]; then
        unshare -m --propagation private "$@"
    else
        unshare -rm --propagation private "$@"
    fi
}

# Starts the server on a free port, three tries at the most: the caller's namespace_start
# <root> <run> <port> <log> runs in a private mount namespace, and the caller's
# undo_start cleans up after a try that did not greet. Writes <dir>/port.
start_on_free_port() {
    local name=$1 root=$2 run=$3 log=$fixture_dir/$1.log
    for _ in 1 2 3; do
        local port
        port=$(free_port)
        if in_private_mounts bash -c "$(declare -f namespace_start); namespace_start \"\$@\"" \
            "$name" "$root" "$run" "$port" "$log" && wait_ready "$port"; then
            echo "$port" >"$fixture_dir/port"
            echo "$name.sh: POP3 on 127.0.0.1:$port (log: $log)"
            return 0
        fi
        undo_start "$run"
    done
    echo "$name.sh: the server did not start; see $log" >&2
    tail -n 20 "$log" >&2 2>/dev/null || true
    return 1
}

# Stops what the caller's undo_start stops, then removes the run directory and what start wrote.
stop_fixture() {
    local run
    run=$(cat "$fixture_dir/run_dir" 2>/dev/null || true)
    if [ -n "$run" ] && [ -d "$run" ]; then
        undo_start "$run"
        rm -rf "$run"
    fi
    rm -f "$fixture_dir/run_dir" "$fixture_dir/port"
    if [ -L "$fixture_dir/mail" ]; then rm -f "$fixture_dir/mail"; fi
}
