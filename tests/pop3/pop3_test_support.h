#pragma once
#include "pop3/pop3_client.h"
#include "tests/support/scripted_peer.h"

#include <functional>
#include <string>
#include <vector>

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
inline void Prepare(TPop3Client& client, const test_support::ScriptedPeer& peer,
                    const std::string& password = "pw") {
    client.Host = "127.0.0.1";
    client.Port = peer.Port();
    client.TimeOut = 5000;
    client.UserID = "bob";
    client.Password = password;
}

// Log-in, STAT and QUIT, all accepted.
inline test_support::Script& LogInAndQuit(test_support::Script& script) {
    return script.Send("+OK ready\r\n")
        .ReadLine()
        .Send("+OK\r\n")
        .ReadLine()
        .Send("+OK\r\n")
        .ReadLine()
        .Send("+OK 0 0\r\n")
        .ReadLine()
        .Send("+OK bye\r\n")
        .Close();
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

// A server that says the first line on connecting and then answers each command the client
// sends with the next line, in order.
inline test_support::Script Conversation(const std::vector<std::string>& lines) {
    test_support::Script script;
    script.Send(lines.at(0));
    for (size_t i = 1; i < lines.size(); ++i)
        script.ReadLine().Send(lines[i]);
    return script;
}
