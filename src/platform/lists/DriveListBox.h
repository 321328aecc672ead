#pragma once

#include <QComboBox>

namespace platform {

// A drive list box (Drive, ListIndex, Change), over the machine's mounted real
// file systems shown by their mount points. Setting Drive to a path selects the
// drive that holds it; Change comes only when the user picks a drive, so a folder
// switch in code never sends the folder list back to a drive's root.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    QString Drive() const { return currentText(); }
    void setDrive(const QString& path);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    int ListIndex() const { return currentIndex(); }
    // Re-reads the mounted file systems, keeping the drive selected.
    void Refresh();
    // The drives to show instead of the machine's (tests).
    void setDrives(const QStringList& drives);

signals:
    void Change();

private:
    QStringList drives_;
};

}  // namespace platform
