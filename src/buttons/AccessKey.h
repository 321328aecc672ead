#pragma once

#include <QChar>
#include <QString>

namespace buttons {

// The access key a caption marks: the character after its last "&" that is not
// part of an "&&" pair (which stands for a literal ampersand). Null when the
// caption marks none.
QChar accessKeyOf(const QString& caption);

// The caption as words to read out: without its access-key markers ("&&" is one
// "&"), and with its line breaks ("||" or a carriage return and line feed) as spaces.
QString captionText(const QString& caption);

}  // namespace buttons
