#pragma once
#include <string>

// Where and how an account signs in with OAuth2: the provider's endpoints, the scope that
// grants POP3, the client id registered with the provider, and the POP3 server it serves.
struct TOAuthProvider {
    std::string Preset; // "microsoft", "google", "generic"
    std::string AuthorizeUrl;
    std::string TokenUrl;
    std::string Scope;
    std::string ClientId;
    std::string ClientSecret; // for providers that ask one of installed programs too; may be empty
    std::string PopHost;      // empty for the generic preset
    int PopPort = 995;
};

// The preset of that name, with the client id this build was given (empty unless the build
// options VELLION_MICROSOFT_CLIENT_ID / VELLION_GOOGLE_CLIENT_ID set one); the generic preset
// has no endpoints of its own. An unknown name gives the generic preset.
TOAuthProvider ProviderPreset(const std::string& preset);

// The preset, with what the account says in place of the preset's: its client id where it has
// one, and for the generic preset its endpoints and scope.
TOAuthProvider AccountProvider(const std::string& preset, const std::string& clientId,
                               const std::string& authorizeUrl, const std::string& tokenUrl,
                               const std::string& scope);
