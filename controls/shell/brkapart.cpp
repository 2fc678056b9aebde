#include "shell/brkapart.h"

TBrkApart::TBrkApart(QObject *owner)
    : QObject(owner)
{
}

void TBrkApart::execute()
{
    m_stringList.clear();
    if (m_breakString.isEmpty()) {
        if (!m_baseString.isEmpty() || m_allowEmptyString)
            m_stringList.append(m_baseString);
        return;
    }
    qsizetype start = 0;
    for (;;) {
        const qsizetype found = m_baseString.indexOf(m_breakString, start);
        const QString piece = m_baseString.mid(start, found < 0 ? -1 : found - start);
        if (!piece.isEmpty() || m_allowEmptyString)
            m_stringList.append(piece);
        if (found < 0)
            return;
        start = found + m_breakString.size();
    }
}
