#include "hinttexts.h"

#include <textfile.h>

void HintTexts::load(const QString &fileName)
{
    m_texts.clear();
    if (const std::optional<QString> text = Platform::readTextFile(fileName))
        loadText(*text);
}

void HintTexts::loadText(const QString &text)
{
    m_texts.clear();
    for (const QString &line : text.split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).toCaseFolded();
        if (!m_texts.contains(key))
            m_texts.insert(key, line.mid(equals + 1));
    }
}

QString HintTexts::value(const QString &key) const
{
    return m_texts.value(key.toCaseFolded());
}
