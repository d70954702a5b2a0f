#include "widgets.h"

#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int width, int height, const QFont& font, QColor colour, bool centred)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    const QRect box = twipsRect(left, top, width, height);
    if (label->sizeHint().width() > box.width() + 2) {
        // Our faces run wider than the ones the layout was made with (wide blanks in a
        // monospaced rounded face): narrow the text so it keeps to its place.
        QFont narrower = font;
        narrower.setStretch(std::max(50, 100 * box.width() / label->sizeHint().width()));
        label->setFont(narrower);
    }
    const QSize text_size = label->sizeHint();
    if (centred) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        const int w = std::max(box.width(), text_size.width());
        label->setGeometry(box.center().x() - w / 2, box.top(), w, text_size.height());
    } else {
        label->setGeometry(QRect(box.topLeft(), text_size));
    }
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                        int width, int height, const QFont& font)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(twipsRect(left, top, width, height));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, buttonYellow);
    button->setPalette(palette);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, int left, int top, int width,
                       int height, const QFont& font)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(twipsRect(left, top, width, height));
    return box;
}

void applyProgramStyle()
{
    if (QStyle* fusion = QStyleFactory::create("Fusion"))
        QApplication::setStyle(fusion);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(available.center() - QPoint(frame.width() / 2, frame.height() / 2));
}
