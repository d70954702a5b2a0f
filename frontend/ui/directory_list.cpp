#include "directory_list.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent)
{
    // Opening rebuilds the list, so it runs after the activation signal has returned.
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(Qt::UserRole).toString();
        if (target == path_)
            return;
        QMetaObject::invokeMethod(this, [this, target] {
            if (!setPath(target))
                emit unreadable(target);
        }, Qt::QueuedConnection);
    });
}

bool DirectoryList::setPath(const QString& directory)
{
    const QFileInfo info(directory);
    QDir dir(directory);
    if (!info.isDir() || !info.isReadable() || !dir.exists())
        return false;
    path_ = QDir::cleanPath(info.absoluteFilePath());
    fill();
    emit pathChanged(path_);
    return true;
}

void DirectoryList::fill()
{
    clear();
    const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);

    QStringList chain;
    for (QDir dir(path_);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& ancestor : chain) {
        const QString name = depth == 0 ? QDir::toNativeSeparators(ancestor) : QDir(ancestor).dirName();
        auto* item = new QListWidgetItem(openFolder, QString(depth * 2, ' ') + name, this);
        item->setData(Qt::UserRole, ancestor);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList children =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closedFolder, QString(depth * 2, ' ') + child, this);
        item->setData(Qt::UserRole, QDir(path_).absoluteFilePath(child));
    }
}
