#pragma once
// The file list: the files of one directory that match a pattern ("*.csv"), by name.

#include <QListWidget>

class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr, const QString& pattern = "*.csv");

    QString path() const { return path_; }
    // Shows directory; the selection becomes empty.
    void setPath(const QString& directory);
    // Reads the directory again, keeping the selection when the file is still there.
    void refresh();
    // The selected file's name, or empty when none is selected.
    QString fileName() const;
    // Selects a listed file by name (false when it is not listed).
    bool selectFile(const QString& name);

signals:
    // A file was chosen by a click or by moving the selection with the keyboard (File1_Click).
    void fileClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString path_;
    QString pattern_;
};
