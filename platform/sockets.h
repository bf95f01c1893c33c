#pragma once
#include "platform/message_window.h"

#include <cstdint>
#include <string>

// The sockets library the session was written against, on POSIX sockets: non-blocking TCP
// sockets, readiness notifications posted to a message window, and the library's error numbers.

using TSocket = uint16_t;
constexpr TSocket INVALID_SOCKET = 65535;
constexpr int SOCKET_ERROR = -1;

// Notification kinds; the posted message carries the kind in the low 16 bits of LParam and
// the error number in the high 16 bits.
constexpr long FD_READ = 1;
constexpr long FD_WRITE = 2;
constexpr long FD_OOB = 4;
constexpr long FD_ACCEPT = 8;
constexpr long FD_CONNECT = 16;
constexpr long FD_CLOSE = 32;
constexpr long FD_ALL_EVENTS = 63;

constexpr uint32_t INADDR_NONE_VALUE = 0xFFFFFFFFu;

struct TSocketAddress {
    uint16_t Family = 0;  // 2 = IPv4
    uint16_t Port = 0;    // network byte order
    uint32_t Address = 0; // network byte order
};

struct TWsaData {
    uint16_t Version = 0;
    uint16_t HighVersion = 0;
    std::string Description;
    std::string SystemStatus;
    uint16_t MaxSockets = 0;
    uint16_t MaxUdpDg = 0;
};

int WSAStartup(uint16_t version, TWsaData& data);
int WSACleanup();
int WSAGetLastError(); // of the calling thread's last failed call

TSocket WsSocket();                                 // IPv4 TCP stream socket
int WsSetLingerZero(TSocket s);                     // a close then resets the connection
int WsSetNoDelay(TSocket s);                        // small writes go out at once (no Nagle)
int WsConnect(TSocket s, const TSocketAddress& to); // non-blocking: 10035 is the normal failure
int WsSend(TSocket s, const char* data, int length);
int WsRecv(TSocket s, char* data, int length);
int WsCloseSocket(TSocket s);
TSocket WsAccept(TSocket s, TSocketAddress* from);

// Makes the socket non-blocking and posts notifications for the kinds in mask to the window;
// mask 0 stops them. Read is posted again only after a receive, write after a send that
// would block, connect and close once each.
int WSAAsyncSelect(TSocket s, TWindowHandle window, uint32_t msg, long mask);

// A dotted IPv4 address in network byte order, INADDR_NONE_VALUE when the text is not one.
uint32_t WsInetAddr(const std::string& text);

uint16_t WsHtons(uint16_t value);

// The tag of a socket, unique for the process's life; notifications carry it in the upper bits
// of WParam (the socket number is in the low 16 bits).
uint64_t WsSocketTag(TSocket s);
