#include "sortkeys.h"

#include <cp1250.h>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <variant>

namespace SortGrid {

namespace {

const QString DateFormat = QStringLiteral("dd.MM.yyyy");
const QString TimeFormat = QStringLiteral("HH:mm");
const QDate DayZero(1899, 12, 30);

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QString upperAscii(QString text)
{
    for (QChar &c : text)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return text;
}

// A cell's sort key: nothing when it does not convert under the style.
using Key = std::variant<std::monostate, double, QByteArray, QString>;

Key keyOf(const QString &cell, const TSortOptions &options)
{
    const QString text = options.CaseSensitive ? cell : upperAscii(cell);
    switch (options.Style) {
    case SortStyle::Numeric:
        if (const auto number = parseNumber(text))
            return *number;
        return {};
    case SortStyle::DateTime:
        if (const auto value = parseDateTime(text))
            return double(value->toMSecsSinceEpoch());
        return {};
    case SortStyle::Time:
        if (const auto value = parseTime(text))
            return double(value->msecsSinceStartOfDay());
        return {};
    case SortStyle::Custom:
        if (options.Compare)
            return text;
        return {};
    case SortStyle::Auto:
    case SortStyle::Alphabetic:
        break;
    }
    return Platform::toCp1250(text);
}

int compareKeys(const Key &a, const Key &b, const TSortOptions &options)
{
    if (const auto *x = std::get_if<double>(&a)) {
        const double y = std::get<double>(b);
        return *x < y ? -1 : (y < *x ? 1 : 0);
    }
    if (const auto *x = std::get_if<QByteArray>(&a))
        return x->compare(std::get<QByteArray>(b));
    return options.Compare(std::get<QString>(a), std::get<QString>(b));
}

} // namespace

QString formatDateTime(const QDateTime &value)
{
    return value.date().toString(DateFormat) + QStringLiteral("  ") + value.time().toString(TimeFormat);
}

std::optional<QTime> parseTime(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).isEmpty() ? 0 : match.captured(3).toInt());
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<QDateTime> parseDateTime(const QString &text)
{
    const QStringList parts = text.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() == 1) {
        if (const auto date = parseDate(parts[0]))
            return QDateTime(*date, QTime(0, 0), Qt::UTC);
        if (const auto time = parseTime(parts[0]))
            return QDateTime(DayZero, *time, Qt::UTC);
        return std::nullopt;
    }
    if (parts.size() != 2)
        return std::nullopt;
    const auto date = parseDate(parts[0]);
    const auto time = parseTime(parts[1]);
    if (!date || !time)
        return std::nullopt;
    return QDateTime(*date, *time, Qt::UTC);
}

std::optional<double> parseNumber(const QString &text)
{
    // Only the characters of a plain decimal number: this keeps "nan",
    // "inf" and hexadecimal forms out.
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

SortStyle detectStyle(const QStringList &cells)
{
    bool numeric = true, dateTime = true, time = true;
    for (const QString &cell : cells) {
        numeric = numeric && parseNumber(cell).has_value();
        dateTime = dateTime && parseDateTime(cell).has_value();
        time = time && parseTime(cell).has_value();
        if (!numeric && !dateTime && !time)
            break;
    }
    if (numeric)
        return SortStyle::Numeric;
    if (dateTime)
        return SortStyle::DateTime;
    if (time)
        return SortStyle::Time;
    return SortStyle::Alphabetic;
}

std::vector<int> sortOrder(const QStringList &cells, const TSortOptions &options)
{
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(cells.size()));
    for (const QString &cell : cells)
        keys.push_back(keyOf(cell, options));

    std::vector<int> converted, rest;
    for (int i = 0; i < int(keys.size()); ++i)
        (std::holds_alternative<std::monostate>(keys[std::size_t(i)]) ? rest : converted).push_back(i);

    const bool descending = options.Direction == SortDirection::Descending;
    std::stable_sort(converted.begin(), converted.end(), [&](int a, int b) {
        const int result = compareKeys(keys[std::size_t(a)], keys[std::size_t(b)], options);
        return descending ? result > 0 : result < 0;
    });
    converted.insert(converted.end(), rest.begin(), rest.end());
    return converted;
}

} // namespace SortGrid
