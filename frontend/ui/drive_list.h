#pragma once
// The drive list. On Linux the drives are the mounted file systems (pseudo file systems left
// out); each drive has a current directory, the process's one on its own drive, else its root.

#include <QComboBox>

class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The root path of the drive shown.
    QString drive() const;
    // Shows the drive that holds path (adding it to the list if needed); emits nothing.
    void showDriveOf(const QString& path);
    // The directory to open when the drive is chosen.
    static QString currentDirectoryOf(const QString& drive);
    // The root of the drive that holds path.
    static QString driveOf(const QString& path);

signals:
    // The user chose another drive (Drive1_Change).
    void driveChanged(const QString& drive);

private:
    int indexOf(const QString& drive);
    void fill();
};
