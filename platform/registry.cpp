#include "registry.h"

#include "paths.h"

#include <QSettings>

namespace Platform {
namespace {

QString g_storageFile;

// QSettings treats "/" and "\" in keys specially; values and keys keep
// their registry spelling through percent-encoding of the separators.
QString encodeName(QString name)
{
    name.replace(u'%', QStringLiteral("%25"));
    name.replace(u'/', QStringLiteral("%2F"));
    name.replace(u'\\', QStringLiteral("%5C"));
    return name;
}

QString decodeName(QString name)
{
    name.replace(QStringLiteral("%2F"), QStringLiteral("/"));
    name.replace(QStringLiteral("%5C"), QStringLiteral("\\"));
    name.replace(QStringLiteral("%25"), QStringLiteral("%"));
    return name;
}

// Values live under a sub-group so they never mix with child keys.
const QString kValues = QStringLiteral("values");
const QString kKeys = QStringLiteral("keys");

} // namespace

void Registry::setStorageFile(const QString &fileName)
{
    g_storageFile = fileName;
}

QString Registry::storageFile()
{
    if (!g_storageFile.isEmpty())
        return g_storageFile;
    return userSettingsDir() + QStringLiteral("registry.ini");
}

Registry::Registry(Root root)
    : m_settings(std::make_unique<QSettings>(storageFile(), QSettings::IniFormat))
    , m_rootGroup(root == Root::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                            : QStringLiteral("HKEY_CLASSES_ROOT"))
{
}

Registry::~Registry() = default;

QString Registry::groupOf(const QString &keyPath) const
{
    QString group = m_rootGroup;
    for (const QString &part : keyPath.split(u'\\', Qt::SkipEmptyParts))
        group += u'/' + kKeys + u'/' + encodeName(part.toLower());
    return group;
}

bool Registry::keyExists(const QString &keyPath) const
{
    return m_settings->value(groupOf(keyPath) + QStringLiteral("/exists")).toBool();
}

bool Registry::openKey(const QString &keyPath, bool create)
{
    const QString group = groupOf(keyPath);
    if (!keyExists(keyPath)) {
        if (!create)
            return false;
        // Mark the key and every parent as existing, as the registry would.
        QString partial;
        for (const QString &part : keyPath.split(u'\\', Qt::SkipEmptyParts)) {
            partial += u'\\' + part;
            m_settings->setValue(groupOf(partial) + QStringLiteral("/exists"), true);
        }
    }
    m_currentGroup = group;
    m_open = true;
    return true;
}

void Registry::closeKey()
{
    m_settings->sync();
    m_open = false;
    m_currentGroup.clear();
}

bool Registry::deleteKey(const QString &keyPath)
{
    if (!keyExists(keyPath))
        return false;
    m_settings->remove(groupOf(keyPath));
    m_settings->sync();
    return true;
}

bool Registry::valueExists(const QString &name) const
{
    return m_open && m_settings->contains(m_currentGroup + u'/' + kValues + u'/' + encodeName(name.toLower()));
}

QString Registry::readString(const QString &name, const QString &defaultValue) const
{
    if (!m_open)
        return defaultValue;
    const QVariant value = m_settings->value(m_currentGroup + u'/' + kValues + u'/' + encodeName(name.toLower()));
    return value.isValid() ? value.toStringList().value(1) : defaultValue;
}

void Registry::writeString(const QString &name, const QString &value)
{
    if (!m_open)
        return;
    // The name is stored with its spelling; lookups ignore letter case.
    m_settings->setValue(m_currentGroup + u'/' + kValues + u'/' + encodeName(name.toLower()),
                         QStringList{name, value});
}

bool Registry::deleteValue(const QString &name)
{
    if (!valueExists(name))
        return false;
    m_settings->remove(m_currentGroup + u'/' + kValues + u'/' + encodeName(name.toLower()));
    return true;
}

QStringList Registry::valueNames() const
{
    if (!m_open)
        return {};
    QStringList names;
    m_settings->beginGroup(m_currentGroup + u'/' + kValues);
    for (const QString &key : m_settings->childKeys())
        names.append(m_settings->value(key).toStringList().value(0, decodeName(key)));
    m_settings->endGroup();
    return names;
}

} // namespace Platform
