#pragma once

#include "platform/base/Result.h"

#include <QListWidget>

namespace platform {

// A folder list box (Path, ListIndex, Change): the open folder's ancestors and
// the folder itself (ListIndex -2, -1 counting up from the folder), then its
// subfolders (ListIndex 0 .. ListCount-1), hidden ones left out. Setting Path to
// another folder raises Change; a folder that cannot be listed is refused and the
// list stays where it was. A click on an entry raises Click; a double click or
// Enter opens it (Path changes), or raises Refused when it cannot be opened.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    Result setPath(const QString& path);
    // Index of the selected entry: -1 the open folder, -2 its parent, ...; 0 and up
    // its subfolders.
    int ListIndex() const;
    int ListCount() const { return subfolders_.size(); }
    QString List(int index) const;
    void Refresh();

signals:
    void Change();
    void Click();
    // An entry the user opened cannot be opened; the list stays where it was.
    // reason is a short text: "no permission to open it", "it does not exist".
    void Refused(const QString& path, const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();
    void open(int row);
    QString pathOfRow(int row) const;

    QString path_;
    QStringList ancestors_;  // from the root down to the open folder itself
    QStringList subfolders_;
};

}  // namespace platform
