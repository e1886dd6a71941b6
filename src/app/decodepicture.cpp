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
    // The stored size is before the photo's own rotation, which is applied after scaling:
    // the limits hold for the picture as shown.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = reader.size();
    const QSize shown = turned ? stored.transposed() : stored;
    if (stored.isValid() && DecodedSize(shown) != shown)
        reader.setScaledSize(turned ? DecodedSize(shown).transposed() : DecodedSize(shown));
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
