#include "desktopentry.h"

namespace {

// The escapes every string value of a desktop file has.
QString escapeValue(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    // Blanks at either end would be lost by readers that trim values.
    if (escaped.startsWith(u' '))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    if (escaped.endsWith(u' '))
        escaped.replace(escaped.size() - 1, 1, QStringLiteral("\\s"));
    return escaped;
}

QString unescapeValue(const QString &value)
{
    QString plain;
    plain.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            plain += c;
            continue;
        }
        switch (value.at(++i).unicode()) {
        case 's': plain += u' '; break;
        case 'n': plain += u'\n'; break;
        case 't': plain += u'\t'; break;
        case 'r': plain += u'\r'; break;
        case '\\': plain += u'\\'; break;
        default: plain += u'\\'; plain += value.at(i); // not an escape: kept
        }
    }
    return plain;
}

bool escapedInQuotes(QChar c)
{
    return c == u'"' || c == u'`' || c == u'$' || c == u'\\';
}

QString quoteArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (escapedInQuotes(c))
            quoted += u'\\';
        quoted += c;
        if (c == u'%')
            quoted += u'%';
    }
    return quoted + u'"';
}

// "%%" is a literal '%'; the other field codes name files the desktop would
// pass, which our links never use, and are dropped.
QString expandFieldCodes(const QString &argument)
{
    QString expanded;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument.at(i) != u'%') {
            expanded += argument.at(i);
        } else if (i + 1 < argument.size()) {
            if (argument.at(++i) == u'%')
                expanded += u'%';
        }
    }
    return expanded;
}

} // namespace

QString desktopExecValue(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted << quoteArgument(argument);
    return quoted.join(u' ');
}

std::optional<QStringList> parseDesktopExec(const QString &value)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < value.size() && escapedInQuotes(value.at(i + 1))) {
                current += value.at(++i);
            } else {
                current += c;
            }
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                arguments << expandFieldCodes(current);
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"')
                quoted = true;
            else
                current += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments << expandFieldCodes(current);
    return arguments;
}

QByteArray writeDesktopEntry(const DesktopEntry &entry)
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + escapeValue(entry.name) + u'\n';
    if (!entry.comment.isEmpty())
        text += QStringLiteral("Comment=") + escapeValue(entry.comment) + u'\n';
    text += QStringLiteral("Exec=") + escapeValue(desktopExecValue(entry.exec)) + u'\n';
    if (!entry.workingDir.isEmpty())
        text += QStringLiteral("Path=") + escapeValue(entry.workingDir) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

std::optional<DesktopEntry> readDesktopEntry(const QByteArray &text)
{
    DesktopEntry entry;
    bool inGroup = false;
    bool seenGroup = false;
    std::optional<QString> exec;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            // Only the first [Desktop Entry] group counts.
            inGroup = !seenGroup && line == QStringLiteral("[Desktop Entry]");
            seenGroup = seenGroup || inGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || line.startsWith(u'#') || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescapeValue(line.mid(equals + 1).trimmed());
        if (key == QStringLiteral("Name") && entry.name.isEmpty())
            entry.name = value;
        else if (key == QStringLiteral("Comment") && entry.comment.isEmpty())
            entry.comment = value;
        else if (key == QStringLiteral("Path") && entry.workingDir.isEmpty())
            entry.workingDir = value;
        else if (key == QStringLiteral("Exec") && !exec)
            exec = value;
    }
    if (!seenGroup || !exec)
        return std::nullopt;
    const std::optional<QStringList> arguments = parseDesktopExec(*exec);
    if (!arguments)
        return std::nullopt;
    entry.exec = *arguments;
    return entry;
}
