#include "settings/Module1Registry.h"

#include "settings/Registry.h"

#include <QStringList>

namespace {

QString rootName(int32_t rootKey)
{
    switch (rootKey) {
    case kHkeyClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case kHkeyCurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case kHkeyLocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case kHkeyUsers: return QStringLiteral("HKEY_USERS");
    case kHkeyCurrentConfig: return QStringLiteral("HKEY_CURRENT_CONFIG");
    default: return {};
    }
}

}  // namespace

std::optional<std::pair<QString, QString>> registryValueLocation(int32_t rootKey, const QString& keyPath,
                                                                 const QString& valueName)
{
    const QString root = rootName(rootKey);
    if (root.isEmpty())
        return std::nullopt;
    QStringList parts = QString(keyPath).replace('\\', '/').split('/', Qt::SkipEmptyParts);
    parts.prepend(root);
    return std::pair(parts.join('/'), valueName.isEmpty() ? QStringLiteral("(Default)") : valueName);
}

QString RegQueryString(const Registry& store, int32_t rootKey, const QString& keyPath,
                       const QString& valueName)
{
    const auto location = registryValueLocation(rootKey, keyPath, valueName);
    if (!location)
        return {};
    const QString value = store.getSetting(location->first, location->second);
    // A stored text ends at its first NUL: the caller never sees what follows.
    return value.left(value.indexOf(QChar(0)));
}
