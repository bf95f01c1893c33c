#pragma once
#include "accounts/security_mode.h"

#include <string>

class TSocketSession;

// Points the session at an account's server: "host" on the security mode's default port (995
// for TLS, else 110), or "host:port" with a port from 1 to 65535, which wins. Anything else
// after a colon is left in the host name (and fails its lookup). The session takes the mode too.
void SetServer(TSocketSession& session, const std::string& server, TSecurity security);
