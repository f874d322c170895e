#include "GuidePictures.h"

#include <QImageWriter>
#include <QRect>

namespace tess::guide {

PictureBook::PictureBook(const QDir &folder, Mode mode) : folder_(folder), mode_(mode) {}

QImage PictureBook::reduced(const QImage &picture)
{
    // A window has few colours besides the edges of its text: a palette
    // keeps it exact where it is flat and a fraction of the size.
    return picture.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

namespace {

// Where two pictures of one size differ: the number of pixels and the
// rectangle around them.
struct Difference {
    qsizetype pixels = 0;
    QRect area;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (p[col] != q[col]) {
                ++d.pixels;
                d.area |= QRect(col, row, 1, 1);
            }
        }
    }
    return d;
}

}  // namespace

bool PictureBook::add(const QString &name, const QImage &picture)
{
    const QString file = name + QStringLiteral(".png");
    made_ << file;
    const QImage kept = reduced(picture);
    const QString path = folder_.filePath(file);
    if (mode_ == Mode::Write) {
        QImageWriter writer(path, "png");
        writer.setQuality(0);  // the smallest file (zlib's level 9)
        if (!writer.write(kept)) {
            problems_ << QStringLiteral("%1: cannot write it (%2)").arg(path, writer.errorString());
            return false;
        }
        return true;
    }
    const QImage old(path);
    if (old.isNull()) {
        problems_ << QStringLiteral("%1: missing").arg(file);
        return false;
    }
    if (old.size() != kept.size()) {
        problems_ << QStringLiteral("%1: %2x%3 kept, %4x%5 now")
                         .arg(file)
                         .arg(old.width())
                         .arg(old.height())
                         .arg(kept.width())
                         .arg(kept.height());
        return false;
    }
    const Difference d = compare(old, kept);
    if (d.pixels > 0) {
        problems_ << QStringLiteral("%1: %2 pixels differ, within %3x%4 at %5,%6")
                         .arg(file)
                         .arg(d.pixels)
                         .arg(d.area.width())
                         .arg(d.area.height())
                         .arg(d.area.x())
                         .arg(d.area.y());
        return false;
    }
    return true;
}

QStringList PictureBook::notMade() const
{
    QStringList left;
    for (const QString &file : folder_.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        if (!made_.contains(file))
            left << file;
    }
    return left;
}

}  // namespace tess::guide
