#!/usr/bin/env python3
"""oauth_server.py <dir>: a small OAuth2 authorization server on 127.0.0.1 for the tests.

It writes its port to <dir>/port and serves until killed:
  GET  /authorize   the authorization code grant with PKCE S256 (RFC 6749 4.1, RFC 7636). It
                    consents at once: the answer redirects to redirect_uri (which must be on
                    127.0.0.1) with a code and the state. login_hint names the user (default
                    "oauth@example.test"); the hint "deny" gets error=access_denied instead.
  POST /token       grant_type authorization_code (the code once, with the matching verifier,
                    client id and redirect_uri) or refresh_token; refused grants get 400
                    invalid_grant. Access tokens live an hour unless expired below.
  POST /introspect  token=...: {"active": true, "email": user} for a live access token (RFC 7662);
                    Dovecot's OAuth2 passdb asks here.
  GET  /expire?token=T   makes access token T expired (token=all: every one).
  GET  /revoke?token=T   revokes refresh token T (token=all: every one).
  GET  /log              what was asked of /token and /introspect, one line each.
"""
import base64
import hashlib
import http.server
import json
import os
import secrets
import sys
import threading
import time
import urllib.parse

CLIENT_ID = "vellion-test"
lock = threading.Lock()
codes = {}  # code -> (client_id, redirect_uri, challenge, user)
access = {}  # token -> (user, expires)
refresh = {}  # token -> user; revoked ones are removed
log = []


def b64url(data):
    return base64.urlsafe_b64encode(data).rstrip(b"=").decode()


def id_token(user):
    claims = b64url(json.dumps({"email": user}).encode())
    return "e30." + claims + ".unsigned"


def issue(user, with_refresh):
    token = "at-" + secrets.token_urlsafe(24)
    access[token] = (user, time.time() + 3600)
    reply = {"access_token": token, "token_type": "Bearer", "expires_in": 3600,
             "id_token": id_token(user)}
    if with_refresh:
        rt = "rt-" + secrets.token_urlsafe(24)
        refresh[rt] = user
        reply["refresh_token"] = rt
    return reply


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body=None, headers=()):
        data = json.dumps(body).encode() if body is not None else b""
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        if body is not None:
            self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def form(self):
        length = int(self.headers.get("Content-Length", "0"))
        return {k: v[0] for k, v in urllib.parse.parse_qs(self.rfile.read(length).decode()).items()}

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        q = {k: v[0] for k, v in urllib.parse.parse_qs(url.query).items()}
        with lock:
            if url.path == "/authorize":
                return self.authorize(q)
            if url.path in ("/expire", "/revoke"):
                table = access if url.path == "/expire" else refresh
                names = list(table) if q.get("token") == "all" else [q.get("token")]
                for name in names:
                    if url.path == "/expire" and name in access:
                        access[name] = (access[name][0], 0)
                    else:
                        refresh.pop(name, None)
                return self.reply(200, {"done": len(names)})
            if url.path == "/log":
                return self.reply(200, log)
        self.reply(404, {"error": "not_found"})

    def authorize(self, q):
        redirect = q.get("redirect_uri", "")
        if not redirect.startswith("http://127.0.0.1:") or q.get("client_id") != CLIENT_ID \
                or q.get("response_type") != "code" or q.get("code_challenge_method") != "S256":
            return self.reply(400, {"error": "invalid_request"})
        back = {"state": q.get("state", "")}
        user = q.get("login_hint", "oauth@example.test")
        if user == "deny":
            back["error"] = "access_denied"
        else:
            code = secrets.token_urlsafe(16)
            codes[code] = (q["client_id"], redirect, q.get("code_challenge", ""), user)
            back["code"] = code
        self.reply(302, None, [("Location", redirect + "?" + urllib.parse.urlencode(back))])

    def do_POST(self):
        path = urllib.parse.urlsplit(self.path).path
        f = self.form()
        with lock:
            if path == "/token":
                log.append("token " + f.get("grant_type", ""))
                return self.token(f)
            if path == "/introspect":
                user, expires = access.get(f.get("token", ""), (None, 0))
                live = user is not None and expires > time.time()
                log.append("introspect " + ("active" if live else "inactive"))
                return self.reply(200, {"active": True, "email": user} if live else {"active": False})
        self.reply(404, {"error": "not_found"})

    def token(self, f):
        bad = (400, {"error": "invalid_grant"})
        if f.get("client_id") != CLIENT_ID:
            return self.reply(401, {"error": "invalid_client"})
        if f.get("grant_type") == "authorization_code":
            grant = codes.pop(f.get("code", ""), None)
            verifier = f.get("code_verifier", "").encode()
            if grant is None or grant[1] != f.get("redirect_uri") or \
                    b64url(hashlib.sha256(verifier).digest()) != grant[2]:
                return self.reply(*bad)
            return self.reply(200, issue(grant[3], True))
        if f.get("grant_type") == "refresh_token":
            user = refresh.get(f.get("refresh_token", ""))
            return self.reply(200, issue(user, False)) if user else self.reply(*bad)
        self.reply(400, {"error": "unsupported_grant_type"})


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    with open(os.path.join(folder, "port.tmp"), "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    server.serve_forever()


if __name__ == "__main__":
    main()
