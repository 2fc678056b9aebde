#include <collation.h>

#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

TEST(Collation, PolishLettersFollowTheirBaseLetters)
{
    QStringList words = {"żaba", "Zebra", "ŹRÓDŁO", "łódź", "Lody", "mama", "ąkacz", "Azot", "bęben",
                         "Ćma", "cyrk", "Śruba", "sowa", "órka", "ozon", "ńaa", "nuty"};
    std::sort(words.begin(), words.end(), Platform::textLess);
    EXPECT_EQ(words, QStringList({"Azot", "ąkacz", "bęben", "cyrk", "Ćma", "Lody", "łódź", "mama", "nuty",
                                  "ńaa", "ozon", "órka", "sowa", "Śruba", "Zebra", "ŹRÓDŁO", "żaba"}));
}

TEST(Collation, LetterCaseIsIgnored)
{
    EXPECT_EQ(Platform::compareText(QStringLiteral("ĄBECADŁO"), QStringLiteral("ąbecadło")), 0);
    EXPECT_LT(Platform::compareText(QStringLiteral("abc"), QStringLiteral("ABCD")), 0);
    EXPECT_GT(Platform::compareText(QStringLiteral("b"), QStringLiteral("Ab")), 0);
}
