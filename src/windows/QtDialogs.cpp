#include "windows/QtDialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>

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

/// A message box is as narrow as its text, but the window manager writes its title in the frame between the icon
/// and the frame's buttons, where a short text would leave "Exp_..._XML". A row of blank width at the bottom keeps
/// the box wide enough for the whole title.
void fitTitle(QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int frameButtons = 160;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + frameButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

} // namespace

void QtDialogs::message(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), m_title, text, QMessageBox::Ok, QApplication::activeWindow());
    fitTitle(box);
    box.exec();
}

Dialogs::Answer QtDialogs::question(const QString& text, Answer defaultAnswer, Icon icon)
{
    QMessageBox box(boxIcon(icon), m_title, text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    fitTitle(box);
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
