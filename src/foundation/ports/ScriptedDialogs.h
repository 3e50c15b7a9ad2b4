#pragma once

#include "foundation/ports/Dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

/// Dialogs for tests: records every box shown and answers from a script given in advance.
/// A question or input box without a scripted answer takes its default (the proposed answer).
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Question, Input } kind;
        QString text;
        Icon icon = Icon::None;
    };

    void message(const QString& text, Icon icon = Icon::None) override;
    Answer question(const QString& text, Answer defaultAnswer, Icon icon = Icon::Question) override;
    std::optional<QString> input(const QString& prompt, const QString& proposed) override;

    void answerQuestion(Answer answer) { m_questionAnswers.append(answer); }
    /// The next input box gets `answer`; std::nullopt cancels it.
    void answerInput(std::optional<QString> answer) { m_inputAnswers.append(answer); }
    /// Called after each box is recorded (a test can press a window button from here).
    void onShown(std::function<void(const Shown&)> callback) { m_onShown = std::move(callback); }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList messages() const;
    void clear() { m_shown.clear(); }

private:
    void record(Shown shown);

    QList<Shown> m_shown;
    QList<Answer> m_questionAnswers;
    QList<std::optional<QString>> m_inputAnswers;
    std::function<void(const Shown&)> m_onShown;
};
