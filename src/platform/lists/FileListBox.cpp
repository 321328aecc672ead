#include "platform/lists/FileListBox.h"

#include "platform/lists/FileListing.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0)
            emit Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit DblClick(); });
}

Result FileListBox::setPath(const QString& path)
{
    Result checked = checkFolder(path);
    if (!checked)
        return checked;
    path_ = path;
    fill();
    return checked;
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    fill();
}

bool FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return false;
    setCurrentRow(index);
    if (index == -1)
        clearSelection();
    return true;
}

QString FileListBox::List(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

QString FileListBox::FileName() const
{
    return List(currentRow());
}

void FileListBox::Refresh()
{
    fill();
}

void FileListBox::fill()
{
    filling_ = true;
    clear();
    if (!path_.isEmpty())
        addItems(listFiles(path_, pattern_).names);
    setCurrentRow(-1);
    filling_ = false;
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
    const int before = currentRow();
    // The right button opens a menu on the selection as it is; it selects nothing.
    if (event->button() != Qt::RightButton)
        QListWidget::mousePressEvent(event);
    emit MouseDown(event);
    const QListWidgetItem* hit = itemAt(event->position().toPoint());
    if (hit && event->button() == Qt::LeftButton && row(hit) == before && before >= 0)
        emit Click();
}

void FileListBox::keyReleaseEvent(QKeyEvent* event)
{
    QListWidget::keyReleaseEvent(event);
    emit KeyUp(event);
}

}  // namespace platform
