#include "core/LeadingNumber.h"

#include <cstdlib>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Copies the digits at i into out and returns how many there were.
qsizetype takeDigits(const QString& s, qsizetype& i, std::string& out)
{
    const qsizetype start = i;
    while (i < s.size() && isDigit(s[i]))
        out += char(s[i++].unicode());
    return i - start;
}

void takeExponent(const QString& s, qsizetype i, std::string& out)
{
    if (i >= s.size() || !QStringView(u"EeDd").contains(s[i]))
        return;
    std::string exponent = "e";
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        exponent += char(s[i++].unicode());
    if (takeDigits(s, i, exponent) > 0)
        out += exponent;
}

}  // namespace

double leadingNumber(const QString& token)
{
    std::string number;
    qsizetype i = 0;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-'))
        number += char(token[i++].unicode());
    qsizetype digits = takeDigits(token, i, number);
    if (i < token.size() && token[i] == u'.') {
        number += '.';
        ++i;
        digits += takeDigits(token, i, number);
    }
    if (digits == 0)
        return 0.0;
    takeExponent(token, i, number);
    return std::strtod(number.c_str(), nullptr);
}
