#pragma once
#include <QByteArray>
#include <QString>

namespace ulk::test {

// The bytes of a file, or none when it cannot be read.
QByteArray readAll(const QString &path);
// Writes the bytes as the whole file; false when that fails.
bool writeAll(const QString &path, const QByteArray &data);

} // namespace ulk::test
