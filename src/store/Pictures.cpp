#include "store/Pictures.h"

#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

namespace varnel {

namespace {

bool looksLikeJpeg(const QByteArray& b)
{
    return b.size() >= 3 && uchar(b[0]) == 0xFF && uchar(b[1]) == 0xD8 && uchar(b[2]) == 0xFF;
}

bool looksLikePng(const QByteArray& b)
{
    return b.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8));
}

bool looksLikeBmp(const QByteArray& b)
{
    return b.size() >= 26 && b.startsWith("BM");
}

// Decodes with exactly one format: a blob named PNG that holds JPEG bytes must not show.
QImage decodeAs(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

QImage decodeJpeg(const QByteArray& b)
{
    return looksLikeJpeg(b) ? decodeAs(b, "jpeg") : QImage();
}

QImage decodePng(const QByteArray& b)
{
    return looksLikePng(b) ? decodeAs(b, "png") : QImage();
}

QImage decodeBmp(const QByteArray& b)
{
    return looksLikeBmp(b) ? decodeAs(b, "bmp") : QImage();
}

} // namespace

QImage LoadJpegBlob(const QByteArray& blob, const QImage& blank)
{
    QImage img = decodeJpeg(blob);
    return img.isNull() ? blank.copy() : img;
}

QImage LoadPngBlob(const QByteArray& blob, const QImage& blank)
{
    QImage img = decodePng(blob);
    return img.isNull() ? blank.copy() : img;
}

QImage loadPictureBlobByName(const QString& fileName, const QByteArray& blob, const QImage& blank)
{
    if (fileName.right(3).toUpper() == QLatin1String("PNG"))
        return LoadPngBlob(blob, blank);
    return LoadJpegBlob(blob, blank);
}

std::optional<QByteArray> loadPictureFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    const QString ext = info.suffix().toUpper();
    const bool jpeg = ext == QLatin1String("JPG") || ext == QLatin1String("JPEG");
    const bool bmp = ext == QLatin1String("BMP");
    if (!jpeg && !bmp)
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    QImage img = jpeg ? decodeJpeg(bytes) : decodeBmp(bytes);
    if (img.isNull())
        return std::nullopt;
    // Stored pictures are plain 24-bit bitmaps: transparency has no meaning in the cells.
    if (img.format() != QImage::Format_RGB888)
        img = img.convertToFormat(QImage::Format_RGB888);
    FitBitmap(400, 520, true, false, img);
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(img))
        return std::nullopt;
    return out;
}

QImage loadParticipantPicture(const QByteArray& blob, const QImage& blank)
{
    QImage img = decodeBmp(blob);
    return img.isNull() ? blank.copy() : img;
}

void FitBitmap(int width, int height, bool keepAspect, bool force, QImage& image)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return;
    if (!force && image.width() <= width && image.height() <= height)
        return;
    if (keepAspect) {
        const int w = roundHalfEven(double(image.width()) * height / image.height());
        if (width < w)
            height = roundHalfEven(double(image.height()) * width / image.width());
        else
            width = w;
    }
    // A very long thin picture would round to zero pixels; keep at least one.
    width = std::max(width, 1);
    height = std::max(height, 1);
    image = image.convertToFormat(QImage::Format_RGB888)
                .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    const QImage rgb =
        image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!writer.write(rgb))
        return {};
    return out;
}

QImage backgroundPicture(const Settings& settings, const QString& fileName,
                         const QByteArray& itemBlob, const QImage& blank)
{
    if (!fileName.isEmpty())
        return LoadJpegBlob(itemBlob, blank);
    const QString key = QStringLiteral("抽奖界面背景图");
    if (!settings.read(key).isEmpty())
        return LoadJpegBlob(settings.readBlob(key), blank);
    return blank.copy();
}

QImage prizePicture(const QString& fileName, const QByteArray& blob, const QImage& blank)
{
    if (fileName.isEmpty())
        return blank.copy();
    return loadPictureBlobByName(fileName, blob, blank);
}

} // namespace varnel
