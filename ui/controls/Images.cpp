// Loading the button pictures, the program icon and the database-wait pointer.

#include "ui/controls/Images.h"

#include <QBitmap>
#include <QFile>
#include <QImage>
#include <QPixmap>

namespace {

QPixmap WithTransparentBottomLeft(const QImage& image) {
    QImage rgba = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = rgba.pixel(0, rgba.height() - 1);
    for (int y = 0; y < rgba.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(rgba.scanLine(y));
        for (int x = 0; x < rgba.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(rgba);
}

}  // namespace

QIcon TwoStateGlyph(const QString& path) {
    const QImage image(path);
    QIcon icon;
    if (image.isNull())
        return icon;
    const QPixmap both = WithTransparentBottomLeft(image);
    const int side = both.height();
    icon.addPixmap(both.copy(0, 0, side, side), QIcon::Normal);
    icon.addPixmap(both.copy(side, 0, side, side), QIcon::Disabled);
    return icon;
}

QIcon NormalAndDisabled(const QString& normalPath, const QString& disabledPath) {
    QIcon icon;
    icon.addPixmap(QPixmap(normalPath), QIcon::Normal);
    icon.addPixmap(QPixmap(disabledPath), QIcon::Disabled);
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/images/icon/lantor-%1.png").arg(size), QSize(size, size));
    return icon;
}

namespace {

QCursor LoadDatabaseWaitCursor() {
    const QPixmap picture(QStringLiteral(":/images/cursor_sqlwait.png"));
    if (picture.isNull())
        return QCursor(Qt::WaitCursor);
    int hotX = picture.width() / 2;
    int hotY = picture.height() / 2;
    QFile hotspot(QStringLiteral(":/images/cursor_sqlwait.hotspot"));
    if (hotspot.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> parts = hotspot.readAll().simplified().split(' ');
        if (parts.size() == 2) {
            hotX = parts.at(0).toInt();
            hotY = parts.at(1).toInt();
        }
    }
    return QCursor(picture, hotX, hotY);
}

}  // namespace

QCursor DatabaseWaitCursor() {
    // Read once: every search and reset shows it.
    static const QCursor cursor = LoadDatabaseWaitCursor();
    return cursor;
}
