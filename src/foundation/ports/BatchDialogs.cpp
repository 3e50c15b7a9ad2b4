#include "foundation/ports/BatchDialogs.h"

BatchDialogs::BatchDialogs(QHash<QString, QString> answers, std::optional<Answer> questionAnswer, FILE* out)
    : m_answers(std::move(answers)), m_questionAnswer(questionAnswer), m_out(out)
{
}

void BatchDialogs::message(const QString& text, Icon)
{
    print(text);
}

Dialogs::Answer BatchDialogs::question(const QString& text, Answer defaultAnswer, Icon)
{
    const Answer answer = m_questionAnswer.value_or(defaultAnswer);
    print(text + (answer == Answer::Yes ? QStringLiteral(" Sì") : QStringLiteral(" No")));
    return answer;
}

std::optional<QString> BatchDialogs::input(const QString& prompt, const QString& proposed)
{
    return m_answers.value(prompt, proposed);
}

void BatchDialogs::print(const QString& text)
{
    // A message may hold CR LF (the PAR listing does): the terminal wants plain line ends.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    const QByteArray bytes = lines.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
    std::fputc('\n', m_out);
    std::fflush(m_out);
}
