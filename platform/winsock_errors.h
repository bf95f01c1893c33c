#pragma once

// The sockets library's error numbers for errno and name-lookup failures.
int WinsockErrorFromErrno(int error);
int WinsockErrorFromLookup(int gaiError);

constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEINVAL = 10022;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSANO_DATA = 11004;
