#include "accounts/security_mode.h"

std::string SecurityWord(TSecurity security) {
    switch (security) {
    case TSecurity::StartTls:
        return "starttls";
    case TSecurity::None:
        return "none";
    case TSecurity::Tls:
        break;
    }
    return "tls";
}

TSecurity SecurityFromWord(const std::string& word) {
    if (word == "starttls") return TSecurity::StartTls;
    if (word == "none") return TSecurity::None;
    return TSecurity::Tls;
}

int DefaultPort(TSecurity security) {
    return security == TSecurity::Tls ? 995 : 110;
}
