#pragma once

#include <QString>
#include <QStringList>

// The designer's recent projects, newest first, kept in the registry under
// "\Software\Zeltrin Software\Dodorurav\2.1\Historia" as values F0, F1, ...
// (F0 the newest) and nothing else.
class RecentProjects
{
public:
    static inline const QString KeyPath = QStringLiteral("\\Software\\Zeltrin Software\\Dodorurav\\2.1\\Historia");
    static constexpr int Maximum = 5;

    // A name already listed (in any letter case) moves to the top as it
    // was stored; a new one goes on top and the oldest beyond the maximum
    // are dropped.
    void add(const QString &fileName);
    // Moves a chosen entry to the top when its file exists; else removes
    // it. True when the file exists.
    bool choose(const QString &fileName);
    const QStringList &files() const { return m_files; }

    void load();
    void save() const;

private:
    qsizetype indexOf(const QString &fileName) const;

    QStringList m_files;
};
