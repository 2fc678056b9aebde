#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// Writes bytes to a file (creating its folders) and returns its path.
QString writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Folder in the build tree where tests leave pictures for reviewers.
QString outputDir();

} // namespace TestSupport
