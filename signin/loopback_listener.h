#pragma once
#include <QTcpServer>
#include <atomic>
#include <memory>
#include <string>

// The one-shot receiver of the provider's redirect (RFC 8252 section 7.3): a listener on
// 127.0.0.1 at a port of the system's choice, whose address is the request's redirect_uri. It
// takes the first request that carries a code or an error, answers the browser with a short
// page, and listens no more. Other requests (a browser's favicon) get 404.
class TLoopbackListener {
public:
    struct TRedirect {
        enum class TKind { Code, Refused, WrongState, TimedOut, Canceled } Kind;
        std::string Code;
        std::string Error; // the provider's error ("access_denied") for Refused
    };

    // Listens at once; RedirectUri() is valid from then on. Throws Exception when it cannot.
    explicit TLoopbackListener(std::string expectedState);
    ~TLoopbackListener();
    std::string RedirectUri() const;
    // Waits in a local event loop until the redirect came, `timeoutMs` passed or `cancel` was
    // set (from any thread).
    TRedirect Wait(int timeoutMs, const std::atomic<bool>* cancel = nullptr);

private:
    struct TPending;
    void Accept();
    void Answer(QTcpSocket* socket, TPending& pending);

    std::string state;
    QTcpServer server;
    std::string redirectUri; // kept: the port is gone once the listener closes
    std::unique_ptr<TRedirect> result;
};
