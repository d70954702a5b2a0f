#pragma once
// Modal message boxes with an OK button and the program's title. Tests replace the presenter
// so that no box blocks them and every message can be checked.

#include <QString>

#include <functional>

class QWidget;

enum class MessageIcon { None, Warning };

struct Message {
    Message(QString text, MessageIcon icon = MessageIcon::None, QString detail = {})
        : text(std::move(text)), icon(icon), detail(std::move(detail))
    {
    }
    QString text;
    MessageIcon icon;
    QString detail; // shown as the box's detail text when not empty
};

using MessagePresenter = std::function<void(QWidget* parent, const Message&)>;

void showMessage(QWidget* parent, const Message& message);

// Replaces the presenter (an empty one restores the modal message box); returns the old one.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

extern const char* const programTitle;
