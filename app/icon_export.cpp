// Build tool: writes each image of an .ico file as <out>/<size>/gauss-converter.png, the form a
// desktop's icon theme reads.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: gk_icon_export <icon.ico> <output-dir>\n");
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "ico");
    const QString out = QString::fromLocal8Bit(argv[2]);
    int written = 0;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        const QString dir = out + "/" + QString::number(image.width());
        QDir().mkpath(dir);
        if (!image.save(dir + "/gauss-converter.png", "PNG")) {
            std::fprintf(stderr, "gk_icon_export: cannot write %s\n", qPrintable(dir));
            return 1;
        }
        ++written;
    } while (reader.jumpToNextImage());
    if (written == 0) {
        std::fprintf(stderr, "gk_icon_export: no image in %s: %s\n", argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
