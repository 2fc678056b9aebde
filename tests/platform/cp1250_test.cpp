#include <cp1250.h>

#include <gtest/gtest.h>

using namespace Platform;

TEST(Cp1250, PolishLettersMapToTheirBytes)
{
    const QString polish = QStringLiteral("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    const QByteArray bytes("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(toCp1250(polish), bytes);
    EXPECT_EQ(fromCp1250(bytes), polish);
}

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toCp1250(fromCp1250(all)), all);
    EXPECT_TRUE(isCp1250Encodable(fromCp1250(all)));
}

TEST(Cp1250, UnencodableCharactersBecomeOneQuestionMarkEach)
{
    const struct {
        QString text;
        QByteArray expected;
    } cases[] = {
        {QStringLiteral("a\u4E2Db"), "a?b"},           // CJK
        {QStringLiteral("x\U0001F600y"), "x?y"},       // outside the BMP: one character, one '?'
        {QStringLiteral("\u00E5"), "?"},               // å is not in the Central European set
        {QStringLiteral("\u20AC\u2122"), "\x80\x99"},  // € and ™ are
    };
    for (const auto &c : cases) {
        EXPECT_EQ(toCp1250(c.text), c.expected) << c.text.toStdString();
    }
    EXPECT_FALSE(isCp1250Encodable(QStringLiteral("\u4E2D")));
}
