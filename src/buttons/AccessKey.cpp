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

QString captionText(const QString& caption)
{
    QString lines = caption;
    lines.replace(QLatin1String("||"), QLatin1String(" "));
    lines.replace(QLatin1String("\r\n"), QLatin1String(" "));
    lines.replace(QLatin1Char('\r'), QLatin1Char(' '));
    lines.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // The same rule the caption is drawn with: a marker hides itself and shows the
    // character behind it, so "&&" leaves one "&" and a trailing "&" stays.
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i] == u'&' && i + 1 < lines.size())
            ++i;
        text += lines[i];
    }
    return text.simplified();
}

}  // namespace buttons
