#pragma once

#include "foundation/ports/Dialogs.h"

/// Message boxes and input boxes of a window session, titled with the application title.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QString title) : m_title(std::move(title)) {}

    void message(const QString& text, Icon icon = Icon::None) override;
    Answer question(const QString& text, Answer defaultAnswer, Icon icon = Icon::Question) override;
    std::optional<QString> input(const QString& prompt, const QString& proposed) override;

private:
    QString m_title;
};
