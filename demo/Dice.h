#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <random>

namespace demo {

/// The demo's randomness. The standard distributions differ between standard libraries, so ranges are mapped here:
/// the same seed must give the same suite on every machine. Every draw of a suite comes from one Dice, in one
/// order: two draws never meet in one expression, whose order of evaluation each compiler chooses for itself.
class Dice {
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}

    quint32 below(quint32 n) { return quint32((quint64(m_engine()) * n) >> 32); }
    int between(int low, int high) { return low + int(below(quint32(high - low + 1))); }
    bool percent(int p) { return below(100) < quint32(p); }
    const QString& pick(const QStringList& items) { return items[below(quint32(items.size()))]; }
    QString digits(int count)
    {
        QString text(count, QLatin1Char('0'));
        for (int i = 0; i < count; ++i)
            text[i] = QLatin1Char(char('0' + below(10)));
        return text;
    }
    /// The text, or NULL (nullPercent of the times), or an empty text (emptyPercent).
    QVariant nullableText(int nullPercent, int emptyPercent, const QString& text)
    {
        const quint32 roll = below(100);
        if (roll < quint32(nullPercent))
            return QVariant();
        if (roll < quint32(nullPercent + emptyPercent))
            return QStringLiteral("");
        return text;
    }

private:
    std::mt19937 m_engine;
};

} // namespace demo
