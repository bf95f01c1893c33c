#include "signin/provider.h"

#ifndef VELLION_MICROSOFT_CLIENT_ID
#define VELLION_MICROSOFT_CLIENT_ID ""
#endif
#ifndef VELLION_GOOGLE_CLIENT_ID
#define VELLION_GOOGLE_CLIENT_ID ""
#endif
#ifndef VELLION_GOOGLE_CLIENT_SECRET
#define VELLION_GOOGLE_CLIENT_SECRET ""
#endif

TOAuthProvider ProviderPreset(const std::string& preset) {
    if (preset == "microsoft")
        // "common" serves both personal and work or school accounts; offline_access brings the
        // refresh token, openid and email the name of the account signed in.
        return {"microsoft",
                "https://login.microsoftonline.com/common/oauth2/v2.0/authorize",
                "https://login.microsoftonline.com/common/oauth2/v2.0/token",
                "https://outlook.office.com/POP.AccessAsUser.All offline_access openid email",
                VELLION_MICROSOFT_CLIENT_ID,
                "",
                "outlook.office365.com",
                995};
    if (preset == "google")
        return {"google",
                "https://accounts.google.com/o/oauth2/v2/auth",
                "https://oauth2.googleapis.com/token",
                "https://mail.google.com/ openid email",
                VELLION_GOOGLE_CLIENT_ID,
                VELLION_GOOGLE_CLIENT_SECRET,
                "pop.gmail.com",
                995};
    TOAuthProvider generic;
    generic.Preset = "generic";
    return generic;
}

TOAuthProvider AccountProvider(const std::string& preset, const std::string& clientId,
                               const std::string& authorizeUrl, const std::string& tokenUrl,
                               const std::string& scope) {
    TOAuthProvider provider = ProviderPreset(preset);
    if (!clientId.empty()) {
        provider.ClientId = clientId;
        provider.ClientSecret.clear(); // the build's secret belongs to the build's client id
    }
    if (provider.Preset == "generic") {
        provider.AuthorizeUrl = authorizeUrl;
        provider.TokenUrl = tokenUrl;
        provider.Scope = scope;
    }
    return provider;
}
