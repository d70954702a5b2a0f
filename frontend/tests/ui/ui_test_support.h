#pragma once
// What the window tests share: a message recorder in place of modal boxes, a scratch working
// directory, and the spectrum files of the core tests.

#include "../core/spectrum_file_maker.h"
#include "messages.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <vector>

// Records every message instead of showing a modal box, for the life of the object.
class MessageRecorder {
public:
    MessageRecorder()
    {
        previous_ = setMessagePresenter([this](QWidget*, const Message& message) {
            messages.push_back(message);
        });
    }
    ~MessageRecorder() { setMessagePresenter(previous_); }
    std::vector<Message> messages;

private:
    MessagePresenter previous_;
};

// A fresh directory made the working directory for the life of the object.
class ScratchWorkingDirectory {
public:
    ScratchWorkingDirectory() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(QString::fromStdString(directory.path().string()));
    }
    ~ScratchWorkingDirectory() { QDir::setCurrent(previous_); }
    QString path() const { return QString::fromStdString(directory.path().string()); }
    QString write(const std::string& name, const std::string& content) const
    {
        return QString::fromStdString(directory.write(name, content));
    }
    spectrum_test::TemporaryDirectory directory;

private:
    QString previous_;
};

inline bool isBlank(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != QColor(Qt::white).rgb())
                return false;
    return true;
}
