#pragma once

#include <QString>

#include <optional>
#include <utility>

/// The outcome of an operation that may fail: nothing, or the text that tells the operator why.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString text) { return Status(std::move(text)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& errorText() const { return m_text; }

private:
    Status() = default;
    explicit Status(QString text) : m_failed(true), m_text(std::move(text)) {}

    bool m_failed = false;
    QString m_text;
};

/// A value, or the text that tells why there is none.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_status(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    /// The value, or `fallback` when there is none.
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    const T* operator->() const { return &*m_value; }
    const QString& errorText() const { return m_status.errorText(); }
    Status status() const { return m_status; }

private:
    std::optional<T> m_value;
    Status m_status = Status::success();
};
