#include "platform/lists/DriveListBox.h"

#include "platform/lists/FileListing.h"

namespace platform {

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    setDrives(mountedDrives());
    connect(this, &QComboBox::activated, this, [this] { emit Change(); });
}

void DriveListBox::setDrive(const QString& path)
{
    setCurrentIndex(findText(driveOfPath(drives_, path)));
}

void DriveListBox::Refresh()
{
    const QString kept = Drive();
    setDrives(mountedDrives());
    setDrive(kept);
}

void DriveListBox::setDrives(const QStringList& drives)
{
    const QString kept = Drive();
    drives_ = drives;
    clear();
    addItems(drives_);
    if (!kept.isEmpty())
        setDrive(kept);
}

}  // namespace platform
