#pragma once
#include "pop3/pop3_client.h"
#include "tests/support/scripted_peer.h"

#include <functional>
#include <string>
#include <vector>

using test_support::Exchange;
using test_support::Script;
using test_support::ScriptedPeer;
using test_support::Talk;

// What the client did, in order: events and the failure that ended a call.
struct EventLog {
    std::vector<std::string> entries;
    void Add(const std::string& entry) { entries.push_back(entry); }
};

// Binds every event of the client to the log.
inline void Record(TPop3Client& client, EventLog& log) {
    client.OnConnect = [&log](QObject*) { log.Add("OnConnect"); };
    client.OnDisconnect = [&log](QObject*) { log.Add("OnDisconnect"); };
    client.OnConnectionFailed = [&log](QObject*) { log.Add("OnConnectionFailed"); };
    client.OnRetrieveStart = [&log](QObject*) { log.Add("OnRetrieveStart"); };
    client.OnRetrieveEnd = [&log](QObject*) { log.Add("OnRetrieveEnd"); };
    client.OnSuccess = [&log](QObject*) { log.Add("OnSuccess"); };
    client.OnFailure = [&log](QObject*) { log.Add("OnFailure"); };
    client.OnList = [&log](int32_t msg, int32_t size) {
        log.Add("OnList " + std::to_string(msg) + " " + std::to_string(size));
    };
}

// Points the client at the scripted server: bob with this password, at most 5 s a wait.
inline void Prepare(TPop3Client& client, const ScriptedPeer& peer,
                    const std::string& password = "pw") {
    client.Host = "127.0.0.1";
    client.Port = peer.Port();
    client.TimeOut = 5000;
    client.UserID = "bob";
    client.Password = password;
}

// QUIT, accepted.
inline const Exchange Quit = {"QUIT", "+OK bye"};

// Bob's log-in with USER and PASS, accepted, and the STAT that follows it (RFC 1939).
inline std::vector<Exchange> LogIn(const std::string& stat = "+OK 0 0") {
    return {{"USER bob", "+OK"}, {"PASS pw", "+OK"}, {"STAT", stat}};
}

// A greeting, then LogIn(stat), then the given steps.
inline Script LoggedIn(const std::string& stat, const std::vector<Exchange>& then = {}) {
    return Talk({{"", "+OK ready"}}).Talk(LogIn(stat)).Talk(then);
}

// A greeting, LogIn() and QUIT, then the server closes.
inline Script& LogInAndQuit(Script& script) {
    return script.Talk({{"", "+OK ready"}}).Talk(LogIn()).Talk({Quit}).Close();
}

// Runs the action and returns the text of the failure it ended with, or "" on success.
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}
