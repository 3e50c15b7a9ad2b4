#pragma once

#include <QString>

#include <optional>

/// How the program reaches the operator: message boxes, Yes/No questions and input boxes.
/// Every box carries the application title; the implementation knows it.
class Dialogs {
public:
    enum class Icon { None, Information, Question, Critical };
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;

    /// A message with an OK button only.
    virtual void message(const QString& text, Icon icon = Icon::None) = 0;
    /// A Yes/No question; `defaultAnswer` is the button that Enter presses.
    virtual Answer question(const QString& text, Answer defaultAnswer, Icon icon = Icon::Question) = 0;
    /// An input box with a proposed answer; no value when the operator cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& proposed) = 0;
};
