#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class Random;

/// The number a quota text starts with (blanks skipped), 0 when it starts with none; as the boxes
/// have always been read, so "3 casi" is 3 and "abc" is 0.
double leadingNumber(const QString& text);

/// A quota box as a draw sees it: how many cases may receive its value in one run (no limit when the box is
/// empty), and how many have received it so far.
struct Quota {
    std::optional<qint64> limit;
    qint64 count = 0;

    /// The quota an operator's text gives: empty is no limit, else the number it starts with; 0 or less never gives
    /// the value.
    static Quota fromText(const QString& text);
    /// Whether the box can give its value once more.
    bool hasRoom() const { return !limit || count < *limit; }
};

/// One draw (Inventa): takes r in [0, 1), rounds r × n to the nearest whole number (halves to the
/// even one) and adds `offset`; the box at that index must have room under its quota, else the draw
/// calls `rejected` (which lets the window process its events and may raise the quotas) and starts again. The
/// chosen box counts one more.
/// Returns the index less `offset`, or nothing when `stopRequested` says so before a draw.
std::optional<int> Inventa(int n, QList<Quota>& quotas, int offset, Random& random,
                           const std::function<bool()>& stopRequested, const std::function<void()>& rejected);

/// The improvement date for a drawn index 0 to 3: 1, 3, 6 or 12 months after today, on a day from
/// 1 to 27 drawn from a new random number.
QDate improvementDate(int index, const QDate& today, Random& random);

/// The item of the reasons for non-payment whose first letter is the discharge code (any letter
/// case), or -1.
int AdattaCodiceScarico(const QString& codSca, const QStringList& items);
