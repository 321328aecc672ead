#pragma once

#include <QChar>
#include <QString>

namespace buttons {

// The access key a caption marks: the character after its last "&" that is not
// part of an "&&" pair (which stands for a literal ampersand). Null when the
// caption marks none.
QChar accessKeyOf(const QString& caption);

}  // namespace buttons
