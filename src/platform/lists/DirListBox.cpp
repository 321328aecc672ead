#include "platform/lists/DirListBox.h"

#include "platform/lists/FileListing.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace platform {

namespace {

QStringList ancestorsOf(const QString& path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString entryText(const QString& path, int depth)
{
    const QString name = path == "/" ? QStringLiteral("/") : QFileInfo(path).fileName();
    return QString(depth * 2, ' ') + name;
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* entry) { open(row(entry)); });
}

Result DirListBox::setPath(const QString& path)
{
    Result checked = checkFolder(path);
    if (!checked)
        return checked;
    const QString clean = QDir(path).absolutePath();
    const bool changed = clean != path_;
    path_ = clean;
    fill();
    if (changed)
        emit Change();
    return checked;
}

int DirListBox::ListIndex() const
{
    const int row = currentRow();
    const int opened = ancestors_.size() - 1;
    return row < 0 ? -1 : row - opened - 1;
}

QString DirListBox::List(int index) const
{
    if (index >= 0)
        return subfolders_.value(index);
    const int fromTop = ancestors_.size() + index;
    return fromTop >= 0 ? ancestors_.value(fromTop) : QString();
}

void DirListBox::Refresh()
{
    fill();
}

void DirListBox::fill()
{
    clear();
    ancestors_ = ancestorsOf(path_);
    subfolders_ = listFolders(path_).names;
    for (int i = 0; i < ancestors_.size(); ++i)
        addItem(entryText(ancestors_[i], i));
    for (const QString& sub : std::as_const(subfolders_))
        addItem(entryText(sub, ancestors_.size()));
    setCurrentRow(ancestors_.size() - 1);
}

void DirListBox::open(int row)
{
    const QString path = pathOfRow(row);
    if (setPath(path))
        return;
    const QFileInfo info(path);
    emit Refused(path, info.isDir() ? QStringLiteral("no permission to open it") : QStringLiteral("it does not exist"));
}

QString DirListBox::pathOfRow(int row) const
{
    return row < ancestors_.size() ? ancestors_.value(row) : subfolders_.value(row - ancestors_.size());
}

void DirListBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        open(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace platform
