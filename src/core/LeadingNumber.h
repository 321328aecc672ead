#pragma once

#include <QString>

// The leading numeric part of a token: sign, digits, a decimal point and an exponent
// ("E" or "D"); 0 when it starts with no digit.
double leadingNumber(const QString& token);
