#include "platform/files/SpecialFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString specialFolderPath(int folderId)
{
    QStandardPaths::StandardLocation location;
    switch (folderId) {
    case kFolderDesktop: location = QStandardPaths::DesktopLocation; break;
    case kFolderDocuments: location = QStandardPaths::DocumentsLocation; break;
    default: return {};
    }
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QString() : QDir::cleanPath(path);
}

}  // namespace platform
