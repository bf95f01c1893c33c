#include "pop3/pop3_error.h"

#include "platform/int_text.h"

int32_t NumberInReply(const std::string& text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw EPop3Error(TPop3ErrorKind::BadNumber, "'" + text + "' is not a valid integer value");
}
