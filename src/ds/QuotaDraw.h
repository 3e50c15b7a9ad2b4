#pragma once

#include "foundation/ports/EventPump.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class Random;

/// A quota box as a draw sees it: its text is the quota (empty: no limit), its tag counts the cases
/// that received its value in the current run.
struct QuotaBox {
    QString text;
    QString tag;
};

/// The number a quota text starts with (blanks skipped), 0 when it starts with none; as the boxes
/// have always been read, so "3 casi" is 3 and "abc" is 0.
double leadingNumber(const QString& text);

/// Whether a box can give its value once more: an empty quota has no limit, else the quota must exceed the count.
bool hasRoom(const QuotaBox& box);

/// One draw (Inventa): takes r in [0, 1), rounds r × n to the nearest whole number (halves to the
/// even one) and adds `offset`; the box at that index must have room under its quota, else the draw
/// lets the window process its events (`pump`, which may also refresh the boxes' texts) and starts again. The
/// chosen box's tag counts one more.
/// Returns the index less `offset`, or nothing when `stopRequested` says so before a draw.
std::optional<int> Inventa(int n, QList<QuotaBox>& boxes, int offset, Random& random,
                           const std::function<bool()>& stopRequested, const EventPump& pump);

/// The improvement date for a drawn index 0 to 3: 1, 3, 6 or 12 months after today, on a day from
/// 1 to 27 drawn from a new random number.
QDate improvementDate(int index, const QDate& today, Random& random);

/// The item of the reasons for non-payment whose first letter is the discharge code (any letter
/// case), or -1.
int AdattaCodiceScarico(const QString& codSca, const QStringList& items);
