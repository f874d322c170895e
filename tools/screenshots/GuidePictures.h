#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace tess::guide {

// Where the pictures of the user's guide go: written into a folder, or
// held against the pictures already there (a picture that differs, is
// missing, or is there without being made, is stale).
class PictureBook {
public:
    enum class Mode { Write, Check };
    PictureBook(const QDir &folder, Mode mode);

    // Adds one picture, reduced as it is kept (a palette of at most 256
    // colours). False when it could not be written, or differs from the one
    // kept.
    bool add(const QString &name, const QImage &picture);
    // In Check mode: the pictures kept in the folder that were not made.
    QStringList notMade() const;

    const QStringList &made() const { return made_; }
    const QStringList &problems() const { return problems_; }

    // The picture as it is kept.
    static QImage reduced(const QImage &picture);

private:
    QDir folder_;
    Mode mode_;
    QStringList made_;
    QStringList problems_;
};

}  // namespace tess::guide
