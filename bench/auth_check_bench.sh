#!/usr/bin/env bash
# Starts the private Dovecot (with its authorization server) and times a full check of the
# 1000-message mailbox signed in by USER/PASS, AUTH PLAIN, XOAUTH2 and OAUTHBEARER, rounds
# interleaved. Target: every AUTH way at most 1.05 of USER/PASS. Usage:
# bench/auth_check_bench.sh [build-dir] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
rounds=${2:-5}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/dovecot.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/servers/dovecot.sh" start "$dir" >/dev/null
# An access token for the user bulk, by the authorization code flow with PKCE.
token=$(python3 - "$(cat "$dir/oauth/port")" <<'PY'
import base64, hashlib, http.server, json, sys, threading, urllib.parse, urllib.request
base = "http://127.0.0.1:%s" % sys.argv[1]
got = {}
class Back(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        got["query"] = urllib.parse.urlsplit(self.path).query
        self.send_response(200)
        self.end_headers()
    def log_message(self, *args):
        pass
listener = http.server.HTTPServer(("127.0.0.1", 0), Back)
threading.Thread(target=listener.handle_request).start()
redirect = "http://127.0.0.1:%d/" % listener.server_address[1]
verifier = "bench-verifier-" + "x" * 40
challenge = base64.urlsafe_b64encode(hashlib.sha256(verifier.encode()).digest()).rstrip(b"=")
urllib.request.urlopen(base + "/authorize?" + urllib.parse.urlencode({
    "response_type": "code", "client_id": "vellion-test", "redirect_uri": redirect,
    "code_challenge": challenge.decode(), "code_challenge_method": "S256", "state": "s",
    "login_hint": "bulk"})).read()
code = urllib.parse.parse_qs(got["query"])["code"][0]
form = urllib.parse.urlencode({"grant_type": "authorization_code", "code": code,
                               "code_verifier": verifier, "redirect_uri": redirect,
                               "client_id": "vellion-test"}).encode()
print(json.loads(urllib.request.urlopen(base + "/token", form).read())["access_token"])
PY
)
"$build/bench/auth_check_bench" "$(cat "$dir/port")" bulk secret "$token" "$rounds"
