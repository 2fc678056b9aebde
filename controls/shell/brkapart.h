#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Splits a text at a separator into a list of pieces.
class TBrkApart : public QObject
{
public:
    explicit TBrkApart(QObject *owner = nullptr);

    QString breakString() const { return m_breakString; }
    void setBreakString(const QString &value) { m_breakString = value; }
    QString baseString() const { return m_baseString; }
    void setBaseString(const QString &value) { m_baseString = value; }
    // Keeps empty pieces (between two separators, or after a final one).
    bool allowEmptyString() const { return m_allowEmptyString; }
    void setAllowEmptyString(bool value) { m_allowEmptyString = value; }
    const QStringList &stringList() const { return m_stringList; }
    void setStringList(const QStringList &value) { m_stringList = value; }

    // Fills StringList with the pieces of BaseString; an empty BreakString
    // gives the whole text as one piece.
    void execute();

private:
    QString m_breakString;
    QString m_baseString;
    bool m_allowEmptyString = false;
    QStringList m_stringList;
};
