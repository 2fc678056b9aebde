#pragma once

#include <QHash>
#include <QString>

// The help texts of the hint window: "key=text" lines of HINTS.TXT beside
// the program. Keys are found without regard to letter case; the first of
// duplicate keys wins. The designer only reads the file.
class HintTexts
{
public:
    // The property that gives a control a hint window key of its own, in
    // place of its hint; the main window passes it on when the pointer
    // enters the control.
    static constexpr const char *KeyProperty = "AsystaKey";

    // A missing or unreadable file leaves the list empty.
    void load(const QString &fileName);
    void loadText(const QString &text);
    // The text of a key; empty when none.
    QString value(const QString &key) const;
    int count() const { return int(m_texts.size()); }

private:
    QHash<QString, QString> m_texts;
};
