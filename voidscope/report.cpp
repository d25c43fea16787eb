#include "report.h"

#include <QImageWriter>
#include <QSaveFile>

bool WriteReport(const QImage& picture, const QString& fileName, QString& error) {
  QSaveFile file(fileName);
  QString reason;
  if (picture.isNull()) {
    reason = "The picture could not be created.";
  } else if (!file.open(QIODevice::WriteOnly)) {
    reason = file.errorString();
  } else {
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture)) {
      reason = writer.errorString();
      file.cancelWriting();
    } else if (!file.commit()) {
      reason = file.errorString();
    }
  }
  if (reason.isEmpty()) return true;
  error = QString("Cannot write the report \"%1\": %2").arg(fileName, reason);
  return false;
}
