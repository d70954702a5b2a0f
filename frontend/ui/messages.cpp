#include "messages.h"

#include <QMessageBox>

const char* const programTitle = "Orvell-22";

namespace {

void showMessageBox(QWidget* parent, const Message& message)
{
    QMessageBox box(message.icon == MessageIcon::Warning ? QMessageBox::Warning
                                                         : QMessageBox::NoIcon,
                    QString::fromUtf8(programTitle), message.text, QMessageBox::Ok, parent);
    if (!message.detail.isEmpty())
        box.setDetailedText(message.detail);
    box.exec();
}

MessagePresenter& presenter()
{
    static MessagePresenter current = showMessageBox;
    return current;
}

} // namespace

void showMessage(QWidget* parent, const Message& message) { presenter()(parent, message); }

MessagePresenter setMessagePresenter(MessagePresenter replacement)
{
    MessagePresenter old = presenter();
    presenter() = replacement ? std::move(replacement) : MessagePresenter(showMessageBox);
    return old;
}
