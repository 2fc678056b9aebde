#include <registry.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Platform;

TEST(Registry, KeysAndValuesPersistAndIgnoreLetterCase)
{
    QTemporaryDir dir;
    Registry::setStorageFile(dir.filePath(QStringLiteral("registry.ini")));
    const QString key = QStringLiteral("\\Software\\Zeltrin Software\\Dodorurav\\2.1\\Historia");
    {
        Registry registry;
        EXPECT_FALSE(registry.openKey(key, false));
        ASSERT_TRUE(registry.openKey(key, true));
        registry.writeString(QStringLiteral("F0"), QStringLiteral("C:\\a/b.KLV"));
        registry.writeString(QStringLiteral("F1"), QStringLiteral("ąę"));
        registry.closeKey();
    }
    Registry registry;
    EXPECT_TRUE(registry.keyExists(QStringLiteral("\\SOFTWARE\\Zeltrin Software")));
    ASSERT_TRUE(registry.openKey(key.toUpper(), false));
    EXPECT_EQ(registry.readString(QStringLiteral("f0")), QStringLiteral("C:\\a/b.KLV"));
    EXPECT_EQ(registry.readString(QStringLiteral("F1")), QStringLiteral("ąę"));
    EXPECT_EQ(registry.readString(QStringLiteral("F9"), QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(registry.valueNames(), QStringList({"F0", "F1"}));
    EXPECT_TRUE(registry.deleteValue(QStringLiteral("F0")));
    EXPECT_FALSE(registry.valueExists(QStringLiteral("F0")));
    EXPECT_TRUE(registry.deleteKey(key));
    EXPECT_FALSE(registry.keyExists(key));
    Registry::setStorageFile({});
}
