#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace varnel {

class Settings;

// Decoders of stored picture blobs; on any failure (empty blob, wrong format) the result is a
// copy of the blank picture. No message.
QImage LoadJpegBlob(const QByteArray& blob, const QImage& blank);
QImage LoadPngBlob(const QByteArray& blob, const QImage& blank);
// JPEG or PNG by the file name's last three characters ("PNG" in any case means PNG).
QImage loadPictureBlobByName(const QString& fileName, const QByteArray& blob, const QImage& blank);

// The picture loader: reads a .JPG/.JPEG/.BMP file, shrinks it with FitBitmap(400, 520, keep
// aspect) and returns it in BMP file format. std::nullopt for a missing file, another
// extension or a file that does not decode.
std::optional<QByteArray> loadPictureFile(const QString& path);
// Decodes a stored participant or prize picture (BMP stream); blank on failure.
QImage loadParticipantPicture(const QByteArray& blob, const QImage& blank);

// Shrinks `image` in place to fit width x height (keeping the aspect when asked); small
// pictures are left alone unless `force`. Sizes round halves to even; smooth scaling.
void FitBitmap(int width, int height, bool keepAspect, bool force, QImage& image);

// Encodes an image as JPEG bytes (the layout preview, the blank picture of a new project).
QByteArray encodeJpeg(const QImage& image, int quality = 90);

// The draw screen's background for an item: the item's own background (fileName not empty),
// else the project background "抽奖界面背景图", else the blank picture.
QImage backgroundPicture(const Settings& settings, const QString& fileName,
                         const QByteArray& itemBlob, const QImage& blank);
// The prize picture for an item: PNG or JPEG by file name; blank when the name is empty.
QImage prizePicture(const QString& fileName, const QByteArray& blob, const QImage& blank);

} // namespace varnel
