#include "accounts/sign_in_method.h"

std::string SignInWord(TSignInMethod method) {
    switch (method) {
    case TSignInMethod::Plain:
        return "plain";
    case TSignInMethod::OAuth2:
        return "oauth2";
    case TSignInMethod::Password:
        break;
    }
    return "password";
}

TSignInMethod SignInFromWord(const std::string& word) {
    if (word == "plain") return TSignInMethod::Plain;
    if (word == "oauth2") return TSignInMethod::OAuth2;
    return TSignInMethod::Password;
}
