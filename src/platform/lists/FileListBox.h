#pragma once

#include "platform/base/Result.h"

#include <QListWidget>

class QKeyEvent;
class QMouseEvent;

namespace platform {

// A file list box (Path, Pattern, ListIndex, Click): the normal files of Path matching
// Pattern (globs separated by ";", matched ignoring case), hidden files left out.
// ListIndex -1 means no file is selected. Click comes when the selection changes
// (by the user or by setting ListIndex) and when the user clicks the selected
// file again; setting Path or Refresh re-reads the folder and selects nothing.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // A folder that cannot be listed is refused; the list keeps its old folder.
    Result setPath(const QString& path);
    QString Pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    int ListIndex() const { return currentRow(); }
    // An index outside 0..ListCount-1 (other than -1) is refused and changes nothing.
    bool setListIndex(int index);
    int ListCount() const { return count(); }
    QString List(int index) const;
    // The selected file's name, "" when none is selected.
    QString FileName() const;
    void Refresh();

signals:
    void Click();
    void DblClick();
    void KeyUp(QKeyEvent* event);
    void MouseDown(QMouseEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void fill();

    QString path_;
    QString pattern_ = QStringLiteral("*.*");
    bool filling_ = false;
};

}  // namespace platform
