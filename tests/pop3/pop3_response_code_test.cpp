// Response codes in negative replies (RFC 2449, RFC 3206).
#include "pop3/pop3_response_code.h"

#include <gtest/gtest.h>

namespace {

TEST(Pop3ResponseCode, TheCodeAndTheTextAreReadFromANegativeReply) {
    using C = TResponseCode;
    const struct {
        const char* reply;
        TResponseCode code;
        const char* text;
    } cases[] = {
        {"-ERR [IN-USE] Mailbox locked by another client\r\n", C::InUse,
         "Mailbox locked by another client"},
        {"-ERR [LOGIN-DELAY] wait 15 minutes\r\n", C::LoginDelay, "wait 15 minutes"},
        {"-ERR [SYS/TEMP] try later\n", C::SysTemp, "try later"},
        {"-ERR [SYS/PERM] disk gone\r\n", C::SysPerm, "disk gone"},
        {"-ERR [AUTH] bad credentials\r\n", C::Auth, "bad credentials"},
        {"-ERR [in-use] lower case\r\n", C::InUse, "lower case"},
        {"-ERR [SYS/TEMP/DISK] a further level\r\n", C::SysTemp, "a further level"},
        {"-ERR [SYS] no second level\r\n", C::Other, "no second level"},
        {"-ERR [IN-USER] a longer word\r\n", C::Other, "a longer word"},
        {"-ERR [XYZ] unknown\r\n", C::Other, "unknown"},
        {"-ERR [IN-USE]\r\n", C::InUse, ""},
        {"-ERR invalid password\r\n", C::None, "invalid password"},
        {"-ERR [not a code] text\r\n", C::None, "[not a code] text"},
        {"-ERR [IN-USE no end\r\n", C::None, "[IN-USE no end"},
        {"-ERR []\r\n", C::None, "[]"},
        {"-ERR\r\n", C::None, ""},
        {"garbage [IN-USE]\r\n", C::None, "garbage [IN-USE]"},
        {"", C::None, ""},
    };
    for (const auto& c : cases) {
        const TNegativeReply reply = ReadNegativeReply(c.reply);
        EXPECT_EQ(reply.Code, c.code) << c.reply;
        EXPECT_EQ(reply.Text, c.text) << c.reply;
    }
    EXPECT_TRUE(CredentialsInDoubt(C::None));
    EXPECT_TRUE(CredentialsInDoubt(C::Auth));
    EXPECT_TRUE(CredentialsInDoubt(C::Other));
    EXPECT_FALSE(CredentialsInDoubt(C::InUse));
    EXPECT_FALSE(CredentialsInDoubt(C::SysTemp));
}

} // namespace
