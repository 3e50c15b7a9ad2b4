#pragma once

#include "foundation/ports/Dialogs.h"

#include <QHash>

#include <cstdio>
#include <optional>

/// The dialogs of a run without windows: messages go to standard output, questions and input boxes
/// take the answers given on the command line, else their default.
class BatchDialogs : public Dialogs {
public:
    /// `answers` maps an input box's prompt to its answer; `questionAnswer` answers every question.
    BatchDialogs(QHash<QString, QString> answers, std::optional<Answer> questionAnswer, FILE* out = stdout);

    void message(const QString& text, Icon icon = Icon::None) override;
    Answer question(const QString& text, Answer defaultAnswer, Icon icon = Icon::Question) override;
    std::optional<QString> input(const QString& prompt, const QString& proposed) override;

private:
    void print(const QString& text);

    QHash<QString, QString> m_answers;
    std::optional<Answer> m_questionAnswer;
    FILE* m_out;
};
