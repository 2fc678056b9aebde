#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace Platform {

// The registry keys the programs use, kept in one settings file of the user
// (on Windows in the real registry). Key paths use "\" as in the registry
// ("\Software\Zeltrin Software\Dodorurav\2.1\Historia").
class Registry
{
public:
    enum class Root { CurrentUser, ClassesRoot };

    explicit Registry(Root root = Root::CurrentUser);
    ~Registry();

    // Opens a key for the value calls below; create makes it when missing.
    // False when the key does not exist and create is off.
    bool openKey(const QString &keyPath, bool create);
    void closeKey();
    bool keyExists(const QString &keyPath) const;
    bool deleteKey(const QString &keyPath);

    bool valueExists(const QString &name) const;
    QString readString(const QString &name, const QString &defaultValue = {}) const;
    void writeString(const QString &name, const QString &value);
    bool deleteValue(const QString &name);
    QStringList valueNames() const;

    // Where the settings file lives; tests point it at a temporary file.
    static void setStorageFile(const QString &fileName);
    static QString storageFile();

private:
    QString groupOf(const QString &keyPath) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_rootGroup;
    QString m_currentGroup;
    bool m_open = false;
};

} // namespace Platform
