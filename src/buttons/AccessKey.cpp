#include "buttons/AccessKey.h"

namespace buttons {

QChar accessKeyOf(const QString& caption)
{
    QChar key;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (i + 1 >= caption.size())
            break;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        key = caption[i + 1];
    }
    return key;
}

}  // namespace buttons
