#include "decodepicture.h"

#include <QDir>
#include <QImageReader>

namespace {
const QSize LargestDecodedSize(2560, 2048);
}

QSize DecodedSize(const QSize &original)
{
    if (original.width() <= LargestDecodedSize.width()
        || original.height() <= LargestDecodedSize.height())
        return original;
    return original.scaled(LargestDecodedSize, Qt::KeepAspectRatioByExpanding);
}

bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && DecodedSize(size) != size)
        reader.setScaledSize(DecodedSize(size));
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        if (errorString)
            *errorString = QStringLiteral("Cannot load the picture %1: %2")
                               .arg(QDir::toNativeSeparators(fileName), reader.errorString());
        return false;
    }
    picture = decoded.convertToFormat(QImage::Format_RGB32);
    return true;
}
