#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Platform {

bool loadPolishTranslations()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *candidate = new QTranslator(QCoreApplication::instance());
    if (!candidate->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

QString pluralForm(qint64 count, const QString &one, const QString &few, const QString &many)
{
    const qint64 n = count < 0 ? -count : count;
    if (n == 1)
        return one;
    const qint64 lastDigit = n % 10;
    const qint64 lastTwo = n % 100;
    if (lastDigit >= 2 && lastDigit <= 4 && !(lastTwo >= 12 && lastTwo <= 14))
        return few;
    return many;
}

QString countOf(qint64 count, const QString &one, const QString &few, const QString &many)
{
    return QString::number(count) + u' ' + pluralForm(count, one, few, many);
}

} // namespace Platform
