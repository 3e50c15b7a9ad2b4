#include "foundation/ports/ScriptedDialogs.h"

void ScriptedDialogs::message(const QString& text, Icon icon)
{
    record({Shown::Kind::Message, text, icon});
}

Dialogs::Answer ScriptedDialogs::question(const QString& text, Answer defaultAnswer, Icon icon)
{
    record({Shown::Kind::Question, text, icon});
    return m_questionAnswers.isEmpty() ? defaultAnswer : m_questionAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& proposed)
{
    record({Shown::Kind::Input, prompt, Icon::None});
    return m_inputAnswers.isEmpty() ? std::optional<QString>(proposed) : m_inputAnswers.takeFirst();
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Shown::Kind::Message)
            texts.append(shown.text);
    }
    return texts;
}

void ScriptedDialogs::record(Shown shown)
{
    m_shown.append(shown);
    if (m_onShown)
        m_onShown(m_shown.last());
}
