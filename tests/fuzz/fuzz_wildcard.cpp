// The file-name wildcards ("?" and "*") against a plain recursive reference.
#include "FuzzSupport.h"
#include "platform/base/Wildcard.h"
#include "platform/net/FtpPaths.h"

#include <vector>

namespace {

// Whether pattern[p..] matches name[n..], by the definition: "?" one character,
// "*" any run (also empty), anything else itself. Memoised, so it stays quadratic.
bool reference(const QString& pattern, const QString& name)
{
    const qsizetype P = pattern.size(), N = name.size();
    std::vector<signed char> memo(size_t((P + 1) * (N + 1)), -1);
    auto match = [&](auto&& self, qsizetype p, qsizetype n) -> bool {
        signed char& m = memo[size_t(p * (N + 1) + n)];
        if (m >= 0)
            return m;
        bool r;
        if (p == P)
            r = n == N;
        else if (pattern[p] == '*')
            r = self(self, p + 1, n) || (n < N && self(self, p, n + 1));
        else
            r = n < N && (pattern[p] == '?' || pattern[p] == name[n]) && self(self, p + 1, n + 1);
        m = r;
        return r;
    };
    return match(match, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 512)
        return 0;
    const auto [pattern, name] = fuzz::splitAtNul(fuzz::bytesOf(data, size));
    const QString p = QString::fromLatin1(pattern), n = QString::fromLatin1(name);
    const bool expected = reference(p, n);
    FUZZ_CHECK(platform::wildcardMatch(p, n) == expected);
    FUZZ_CHECK(platform::ftpWildcardMatch(p, n) == expected);
    return 0;
}
