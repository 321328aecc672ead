#pragma once

#include <QStringView>

namespace platform {

// The file-name wildcards of the old file calls: "?" matches one character, "*"
// any run; letters match as they are written.
inline bool wildcardMatch(QStringView pattern, QStringView name)
{
    // Greedy matching with one point to return to: the last "*" seen. A "*" of the
    // pattern is always a wildcard, also where the name holds a "*" itself, so it is
    // tested before the single characters.
    qsizetype p = 0, n = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace platform
