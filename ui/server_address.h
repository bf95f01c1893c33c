#pragma once
#include <string>

class TSocketSession;

// Points the session at an account's server: "host" on port 110, or "host:port" with a port
// from 1 to 65535. Anything else after a colon is left in the host name (and fails its lookup).
void SetServer(TSocketSession& session, const std::string& server);
