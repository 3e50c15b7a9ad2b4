#pragma once

#include "foundation/db/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// The routines that turn the suite's values into the text of the flow's attributes, named as the suite names them.
// Each attribute value then goes through escapeXmlAttribute, so that the creditor receives well-formed XML.

/// The indentation of a flow line: `level` TABs, none for 0 or less (the flow is written as bytes).
QByteArray LivelloTab(int level);

/// The free-text report cleaned for the creditor: common accented vowels as letter and apostrophe, angle brackets
/// as blanks, CR LF as a point.
QString PerXML(QString text);

/// An amount as the creditor expects it: two decimals after a point, no grouping, "-" when negative.
QString ImportoNorvanta(db::Currency amount);

/// The date written "yyyy-MM-dd" as the creditor expects it, or ten blanks when there is none.
QString FormattaData(const std::optional<QDate>& date);

/// Only the characters '+', '0' to '9' and ',' of the text, in their order.
QString SoloCifre(const QString& text);

/// A number padded with zeros to at least five digits, never cut; a text that is no number comes back as typed.
QString FormatCinqueCifre(const QString& text);

/// The value made safe between double quotes of an XML attribute; a value with nothing to escape is returned shared.
QString escapeXmlAttribute(const QString& value);
