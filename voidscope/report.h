// Writing the report picture.
#pragma once

#include <QImage>
#include <QString>

// Writes `picture` as BMP data under `fileName`, whatever its extension. The
// file is replaced only once the whole picture is written; on failure an
// earlier file stays and `error` says what went wrong, naming the file.
bool WriteReport(const QImage& picture, const QString& fileName, QString& error);
