#pragma once
#include <string>

// How an account signs in: with its password by USER and PASS, with its password by SASL PLAIN,
// or with OAuth2 (a provider's access token, renewed from a refresh token).
enum class TSignInMethod { Password, Plain, OAuth2 };

// The word of the accounts file's "SIGNIN:" line: "password", "plain" or "oauth2".
std::string SignInWord(TSignInMethod method);
// An unknown word reads as Password, the sign-in every server knows.
TSignInMethod SignInFromWord(const std::string& word);

// Where an account's saved secret (its password, or its OAuth2 refresh token) lives: scrambled
// in the accounts file, or in the desktop's keyring (the file's "SECRET:keyring" line).
enum class TSecretPlace { File, Keyring };
