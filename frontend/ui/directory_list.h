#pragma once
// The directory list: the open directory's ancestors from the root down, the open directory
// itself and, below it, its subdirectories. A double-click opens the entry.

#include <QListWidget>

class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // Opens directory; returns false, changing nothing, when it cannot be read.
    // Emits pathChanged (Dir1_Change) when the path is set.
    bool setPath(const QString& directory);

signals:
    void pathChanged(const QString& path);
    // A directory the user chose could not be read.
    void unreadable(const QString& path);

private:
    void fill();
    QString path_;
};
