#include "drive_list.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QByteArrayList pseudo = {"proc",    "sysfs",  "devtmpfs", "devpts", "cgroup",
                                          "cgroup2", "pstore", "securityfs", "debugfs", "tracefs",
                                          "mqueue",  "hugetlbfs", "bpf",   "configfs", "fusectl",
                                          "binfmt_misc", "autofs", "nsfs", "overlay"};
    return pseudo.contains(type);
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    fill();
    showDriveOf(QDir::currentPath());
    connect(this, &QComboBox::activated, this, [this](int index) {
        emit driveChanged(itemData(index).toString());
    });
}

void DriveList::fill()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Containers bind single files (/etc/hosts) as mounts: only directories are drives.
        if (!volume.isValid() || isPseudoFileSystem(volume.fileSystemType())
            || !QFileInfo(volume.rootPath()).isDir())
            continue;
        roots << volume.rootPath();
    }
    roots << QDir::rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    for (const QString& root : roots)
        addItem(QDir::toNativeSeparators(root), root);
}

QString DriveList::drive() const { return currentData().toString(); }

int DriveList::indexOf(const QString& drive)
{
    int index = findData(drive);
    if (index < 0) {
        addItem(QDir::toNativeSeparators(drive), drive);
        index = count() - 1;
    }
    return index;
}

void DriveList::showDriveOf(const QString& path)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(indexOf(driveOf(path)));
}

QString DriveList::driveOf(const QString& path)
{
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QDir::rootPath();
}

QString DriveList::currentDirectoryOf(const QString& drive)
{
    const QString current = QDir::currentPath();
    return driveOf(current) == drive ? current : drive;
}
