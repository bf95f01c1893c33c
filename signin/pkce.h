#pragma once
#include <string>

// Proof Key for Code Exchange (RFC 7636): the verifier stays with the program, the challenge
// (its SHA-256, base64url) goes with the authorization request, so a code caught on its way
// back through the browser is worth nothing to anyone else.
struct TPkce {
    std::string Verifier;
    std::string Challenge;
};

// A fresh verifier of 43 characters from 32 random bytes, and its S256 challenge.
TPkce MakePkce();
std::string S256Challenge(const std::string& verifier);
// A random value of 16 bytes for the request's state, which the redirect must carry back.
std::string RandomState();
std::string Base64Url(const std::string& bytes);
