#pragma once
#include "pop3/pop3_client.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

// One full check through the POP3 component alone, as the program runs it: Connect, List,
// PlanSummaries, GetSummary 1..N, Disconnect; with previewLines, each summary also brings that
// many body lines, handed to afterEach.
// Returns the seconds it took (the TLS handshake included). With an OAuth2 sign-in the password
// is the access token.
inline double ComponentCheckSeconds(uint16_t port, const std::string& user,
                                    const std::string& password,
                                    TTransportSecurity security = TTransportSecurity::None,
                                    TSignIn signIn = TSignIn::UserPass, int32_t previewLines = 0,
                                    const std::function<void(const TSummary&)>& afterEach = {}) {
    TPop3Client client;
    client.PreviewLines = previewLines;
    client.Host = "127.0.0.1";
    client.Port = port;
    client.Security = security;
    client.SignIn = signIn;
    client.UserID = user;
    client.Password = password;
    int32_t listed = 0;
    client.OnList = [&](int32_t, int32_t) { ++listed; };
    const auto start = std::chrono::steady_clock::now();
    client.Connect();
    client.List();
    client.PlanSummaries(1, listed);
    for (int32_t n = 1; n <= listed; ++n) {
        client.GetSummary(n);
        if (afterEach) afterEach(client.Summary());
    }
    client.Disconnect();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
