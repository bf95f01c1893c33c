#include "accounts/new_mail.h"

#include <algorithm>
#include <openssl/evp.h>
#include <stdexcept>
#include <utility>

namespace {
std::string Hex(const unsigned char* bytes, unsigned int size) {
    static const char Digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (unsigned int i = 0; i < size; ++i) {
        text.push_back(Digits[bytes[i] >> 4]);
        text.push_back(Digits[bytes[i] & 0x0f]);
    }
    return text;
}

// The header's bytes, each line ended by LF, so that no two headers give the same input.
std::string HeaderDigest(const THeaderLines& header) {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    if (!context) throw std::runtime_error("Out of memory");
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    const std::string& bytes = header.Bytes(); // each line already ended by LF
    bool done = EVP_DigestInit_ex(context, EVP_sha256(), nullptr) == 1 &&
                EVP_DigestUpdate(context, bytes.data(), bytes.size()) == 1;
    done = done && EVP_DigestFinal_ex(context, digest, &size) == 1;
    EVP_MD_CTX_free(context);
    if (!done) throw std::runtime_error("SHA-256 failed");
    return Hex(digest, size);
}

bool Contains(const std::vector<std::string>& sorted, const std::string& id) {
    return std::binary_search(sorted.begin(), sorted.end(), id);
}
} // namespace

std::string MessageIdentity(const std::string& uid, const THeaderLines& header) {
    if (!uid.empty()) return "uidl:" + uid;
    return "sha256:" + HeaderDigest(header);
}

std::vector<std::string> MessageIdentities(const std::vector<std::string>& uids,
                                           const std::vector<THeaderLines>& headers) {
    std::vector<std::string> ids;
    ids.reserve(headers.size());
    for (size_t i = 0; i < headers.size(); ++i)
        ids.push_back(MessageIdentity(i < uids.size() ? uids[i] : std::string(), headers[i]));
    return ids;
}

std::vector<int> RecordCheck(TNewMailState& state, std::vector<std::string> ids) {
    std::vector<int> arrived;
    std::vector<std::string> unviewed;
    for (size_t i = 0; i < ids.size(); ++i) {
        const bool isNew = state.Checked && !Contains(state.Present, ids[i]);
        if (isNew) arrived.push_back(static_cast<int>(i) + 1);
        if (isNew || Contains(state.Unviewed, ids[i])) unviewed.push_back(ids[i]);
    }
    std::sort(unviewed.begin(), unviewed.end());
    unviewed.erase(std::unique(unviewed.begin(), unviewed.end()), unviewed.end());
    // The identifiers become the new baseline themselves: at 20,000 messages a copy is a
    // megabyte more at the end of every check.
    std::sort(ids.begin(), ids.end());
    state.Checked = true;
    state.Present = std::move(ids);
    state.Unviewed = std::move(unviewed);
    return arrived;
}

void MarkViewed(TNewMailState& state) {
    state.Unviewed.clear();
}

bool IsNew(const TNewMailState& state, const std::string& id) {
    return Contains(state.Unviewed, id);
}

int NewCount(const TNewMailState& state) {
    return static_cast<int>(state.Unviewed.size());
}

std::vector<bool> NewFlags(const TNewMailState& state, const std::vector<std::string>& ids) {
    std::vector<bool> flags;
    flags.reserve(ids.size());
    for (const std::string& id : ids)
        flags.push_back(IsNew(state, id));
    return flags;
}
