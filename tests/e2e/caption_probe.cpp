// Draws a caption as the program's windows draw it, for the end-to-end tests
// to compare with the screen: in the program's own Tahoma, with the room
// around it that no clipping label has.
//
//   lantor_caption_probe caption TEXT PIXELS STYLE WIDTH HEIGHT ROOM FG BG OUT.png
//       TEXT centred at the top of a box WIDTH x HEIGHT, drawn on a picture
//       with ROOM more pixels above and below, nothing clipped.
//   lantor_caption_probe label TEXT PIXELS STYLE FG BG OUT.png
//       TEXT as a label sized to it shows it.
//
// STYLE is regular, bold or bolditalic; FG and BG are colours as #rrggbb.
// The picture is at the scale the X server's settings give the program.

#include "app/TApplication.h"
#include "ui/controls/Fonts.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyle>

#include <cstdio>

namespace {

TFontStyle StyleNamed(const QString& name) {
    if (name == QLatin1String("bold"))
        return TFontStyle::Bold;
    if (name == QLatin1String("bolditalic"))
        return TFontStyle::BoldItalic;
    return TFontStyle::Regular;
}

QPalette Colours(const QString& foreground, const QString& background) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::WindowText, QColor(foreground));
    palette.setColor(QPalette::Window, QColor(background));
    return palette;
}

QImage Caption(const QStringList& args, qreal ratio) {
    const QFont font = TahomaFont(args.at(1).toInt(), StyleNamed(args.at(2)));
    const int width = args.at(3).toInt(), height = args.at(4).toInt(), room = args.at(5).toInt();
    const QPalette palette = Colours(args.at(6), args.at(7));
    QImage picture(QSizeF(QSizeF(width, height + 2 * room) * ratio).toSize(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(palette.color(QPalette::Window));
    QPainter painter(&picture);
    painter.setFont(font);
    QApplication::style()->drawItemText(&painter, QRect(0, room, width, height),
                                        Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, palette, true, args.at(0),
                                        QPalette::WindowText);
    return picture;
}

QImage Label(const QStringList& args) {
    QLabel label(args.at(0));
    label.setTextFormat(Qt::PlainText);
    label.setFont(TahomaFont(args.at(1).toInt(), StyleNamed(args.at(2))));
    label.setPalette(Colours(args.at(3), args.at(4)));
    label.adjustSize();
    return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const QString mode = args.isEmpty() ? QString() : args.takeFirst();
    const qreal ratio = application.devicePixelRatio();
    QImage picture;
    if (mode == QLatin1String("caption") && args.size() == 9)
        picture = Caption(args, ratio);
    else if (mode == QLatin1String("label") && args.size() == 6)
        picture = Label(args);
    if (picture.isNull()) {
        std::fprintf(stderr, "usage: see the comment at the top of caption_probe.cpp\n");
        return 2;
    }
    return picture.save(args.last()) ? 0 : 1;
}
