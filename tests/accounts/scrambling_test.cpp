#include "accounts/cut_field.h"
#include "accounts/hex.h"
#include "accounts/key_state.h"
#include "accounts/password_codec.h"
#include "platform/tick_count.h"

#include <gtest/gtest.h>

namespace {
// Reference vectors worked out from the algorithm independently of this code base.
// Tick 0 gives the seed LcgNext(0) = 12345 = 0x00003039.
struct Vector {
    uint32_t tick;
    std::string password;
    std::string stored;
};
const Vector vectors[] = {
    {0, "", "00003039"},
    {0, "A", "00003039C4"},
    {0, "secret", "00003039F6BD34D96C44"},
    {1000, std::string("\x00\xFF\x80", 3), "EEA28A0122221E"},
    {0xFFFFFFFFu, "pw", "BE39E1CCE7CB"},
};

class Scrambling : public testing::Test {
protected:
    void UseTick(uint32_t tick) {
        SetTickSource([tick] { return tick; });
    }
    void TearDown() override { SetTickSource({}); }
};

TEST(KeyStateTest, GeneratorStepsMatchWorkedValues) {
    EXPECT_EQ(LcgNext(0), 12345u);
    EXPECT_EQ(LcgNext(1000), 0xEEA28A01u);
    EXPECT_EQ(SwapBytes(0x12345678u), 0x78563412u);
    KeyState key;
    key.Seed(0x3039);
    EXPECT_EQ(key.Word(0), 0x00003039u);
    EXPECT_EQ(key.Word(1), 0xD3DC167Eu);
    EXPECT_EQ(key.Word(2), 0xA70427DFu);
    EXPECT_EQ(key.Word(3), 0xD6651C2Cu);
    key.Mix();
    EXPECT_EQ(key.Word(0), 0x201B3C94u);
    EXPECT_EQ(key.Word(1), 0x159FD5A2u);
    EXPECT_EQ(key.Word(2), 0x96DBA2DCu);
    EXPECT_EQ(key.Word(3), 0x234FF869u);
    EXPECT_EQ(key.Draw(256), 133);
    EXPECT_EQ(key.Draw(256), 133) << "Draw leaves the state alone";
}

TEST(KeyStateTest, DrawIsTheRemainderOfTheAbsoluteSignedSum) {
    KeyState key;
    int negatives = 0;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        key.Seed(seed * 7919u);
        key.Mix();
        const auto sum =
            static_cast<int32_t>(key.Word(0) + key.Word(1) + key.Word(2) + key.Word(3));
        negatives += sum < 0;
        const int64_t magnitude = sum < 0 ? -int64_t{sum} : sum;
        EXPECT_EQ(key.Draw(256), magnitude % 256);
        EXPECT_EQ(key.Draw(1000), magnitude % 1000);
    }
    EXPECT_GT(negatives, 0) << "the sample must cover negative sums";
}

TEST_F(Scrambling, FixedTicksGiveFixedStoredTexts) {
    for (const Vector& v : vectors) {
        UseTick(v.tick);
        EXPECT_EQ(EncodePassword(v.password), v.stored) << "tick " << v.tick;
        EXPECT_EQ(DecodePassword(v.stored), v.password) << v.stored;
    }
}

TEST_F(Scrambling, EveryByteValueRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (uint32_t tick : {0u, 1u, 123456789u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        UseTick(tick);
        const std::string stored = EncodePassword(all);
        EXPECT_EQ(stored.size(), 8u + 2 * 256u);
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(DecodePassword(stored), all);
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            ASSERT_EQ(DecodePassword(EncodePassword(one)), one) << "byte " << b;
        }
    }
}

TEST_F(Scrambling, DifferentTicksGiveDifferentSeedsForOnePassword) {
    UseTick(1);
    const std::string first = EncodePassword("hunter2");
    UseTick(2);
    const std::string second = EncodePassword("hunter2");
    EXPECT_NE(first.substr(0, 8), second.substr(0, 8));
    EXPECT_EQ(DecodePassword(first), "hunter2");
    EXPECT_EQ(DecodePassword(second), "hunter2");
}

TEST(DecodePasswordTest, BadInputIsReadLeniently) {
    EXPECT_EQ(DecodePassword(""), "");
    EXPECT_EQ(DecodePassword("0000"), "");
    EXPECT_EQ(DecodePassword("00003039"), "");
    EXPECT_EQ(DecodePassword("00003039f6bd34d96c44"), "secret") << "lowercase hex";
    EXPECT_EQ(DecodePassword("00003039C4F"), "A") << "odd last character ignored";
    // A pair without a hex digit counts as 0, so it yields the keystream byte itself (133).
    EXPECT_EQ(DecodePassword("00003039ZZ"), std::string(1, static_cast<char>(133)));
}

TEST(HexTest, FixedWidthUppercaseDigits) {
    EXPECT_EQ(HexOfWord(0), "00000000");
    EXPECT_EQ(HexOfWord(0xABCDEF01u), "ABCDEF01");
    EXPECT_EQ(HexOfWord(0x3039), "00003039");
    EXPECT_EQ(HexOfByte(0), "00");
    EXPECT_EQ(HexOfByte(0x0A), "0A");
    EXPECT_EQ(HexOfByte(0xFF), "FF");
}

TEST(HexTest, HexToIntReadsOddInputsLeniently) {
    EXPECT_EQ(HexToInt("ZZ"), 0u);
    EXPECT_EQ(HexToInt("-1"), 0u);
    EXPECT_EQ(HexToInt("1-"), 1u);
    EXPECT_EQ(HexToInt("G5"), 5u);
    EXPECT_EQ(HexToInt(" 5"), 5u);
    EXPECT_EQ(HexToInt("123456789"), 0x12345678u);
    EXPECT_EQ(HexToInt(""), 0u);
    EXPECT_EQ(HexToInt("ff"), 0xFFu);
    EXPECT_EQ(HexToInt("1 2g3"), 0x123u);
    EXPECT_EQ(HexToInt("        5"), 0u) << "the cut comes before spaces are skipped";
    EXPECT_EQ(HexToInt("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(HexToInt("1.2"), 1u);
    EXPECT_EQ(HexToInt("\xC1"
                       "1"),
              0u)
        << "a byte above 0x7F ends the reading";
}

TEST(CutFieldTest, TakesTheFieldAndTheDelimiter) {
    struct Case {
        std::string text, field, rest;
    } const cases[] = {
        {"100,200", "100", "200"}, {"abc", "abc", ""}, {",x", "", "x"}, {"", "", ""},
        {"a,b,c", "a", "b,c"},     {"a,", "a", ""},
    };
    for (const Case& c : cases) {
        std::string s = c.text;
        EXPECT_EQ(CutField(s, ','), c.field) << c.text;
        EXPECT_EQ(s, c.rest) << c.text;
    }
    std::string row = std::string("date\x01"
                                  "from\x01subj");
    EXPECT_EQ(CutField(row, '\x01'), "date");
    EXPECT_EQ(CutField(row, '\x01'), "from");
    EXPECT_EQ(CutField(row, '\x01'), "subj");
    EXPECT_EQ(CutField(row, '\x01'), "");
}

} // namespace
