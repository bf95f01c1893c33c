#pragma once
#include <string>

// The stored form of a saved password: 8 hex digits of a clock-derived seed, then 2 hex digits
// per password byte XORed with a keystream drawn from that seed. Any byte value is allowed.
std::string EncodePassword(const std::string& password);

// Never fails: short, odd or non-hex input is read by the lenient HexToInt rules.
std::string DecodePassword(const std::string& stored);
