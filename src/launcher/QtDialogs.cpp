#include "launcher/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::message(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), m_title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Dialogs::Answer QtDialogs::question(const QString& text, Answer defaultAnswer, Icon icon)
{
    QMessageBox box(boxIcon(icon), m_title, text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& proposed)
{
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), m_title, prompt, QLineEdit::Normal, proposed, &accepted);
    if (!accepted)
        return std::nullopt;
    return answer;
}
