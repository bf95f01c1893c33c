#include "accounts/password_codec.h"

#include "accounts/hex.h"
#include "accounts/key_state.h"
#include "platform/tick_count.h"

std::string EncodePassword(const std::string& password) {
    KeyState key;
    key.Seed(LcgNext(GetTickCount()));
    std::string out = HexOfWord(key.Word(0));
    for (char b : password) {
        key.Mix();
        const auto k = static_cast<uint8_t>(key.Draw(256));
        out += HexOfByte(static_cast<uint8_t>(static_cast<uint8_t>(b) ^ k));
    }
    return out;
}

std::string DecodePassword(const std::string& stored) {
    KeyState key;
    key.Seed(HexToInt(stored.substr(0, 8)));
    const std::string rest = stored.size() > 8 ? stored.substr(8) : std::string();
    std::string out;
    for (size_t i = 0; i + 1 < rest.size(); i += 2) {
        key.Mix();
        const uint32_t v = HexToInt(rest.substr(i, 2));
        const auto k = static_cast<uint32_t>(key.Draw(256));
        out += static_cast<char>((v ^ k) & 0xFF);
    }
    return out;
}
