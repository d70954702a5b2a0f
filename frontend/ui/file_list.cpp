#include "file_list.h"

#include <QDir>
#include <QKeyEvent>

FileList::FileList(QWidget* parent, const QString& pattern) : QListWidget(parent), pattern_(pattern)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &FileList::fileClicked);
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before && currentItem()->isSelected())
        emit fileClicked();
}

void FileList::setPath(const QString& directory)
{
    path_ = directory;
    clear();
    refresh();
}

void FileList::refresh()
{
    const QString selected = fileName();
    clear();
    // Name filters match without regard to case, and a file named only ".csv" is listed too.
    const QStringList names = QDir(path_).entryList({pattern_}, QDir::Files | QDir::Hidden | QDir::Readable,
                                                    QDir::Name | QDir::IgnoreCase);
    addItems(names);
    if (!selected.isEmpty())
        selectFile(selected);
}

QString FileList::fileName() const
{
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

bool FileList::selectFile(const QString& name)
{
    const auto matches = findItems(name, Qt::MatchExactly);
    if (matches.isEmpty())
        return false;
    setCurrentItem(matches.first());
    matches.first()->setSelected(true);
    return true;
}
