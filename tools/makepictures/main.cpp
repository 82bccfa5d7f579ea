// Draws the game's pictures and writes them into the directory given as the
// only argument, then reads every file back and fails if anything is off.

#include "drawings.h"

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QtEndian>

#include <functional>
#include <iostream>
#include <limits>
#include <stdexcept>

namespace {

using IconDrawing = std::function<void(QPainter &, qreal pixel)>;

struct IconFile
{
    QString name;
    IconDrawing draw;
    QList<int> sizes;
};

// Extra colour-table entry of the quantised images that means "see-through".
constexpr uint transparentIndex = 16;
const QSize backgroundSize(726, 545);
const QList<int> desktopIconSizes{32, 48, 64, 128};
// Below this, blended edge pixels quantise to muddy colours; crisp is better.
constexpr int smallestSmoothSize = 32;

void require(bool condition, const QString &what)
{
    if (!condition)
        throw std::runtime_error(what.toStdString());
}

QImage renderFullColour(const IconDrawing &draw, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, size >= smallestSmoothSize);
    const qreal scale = size / drawings::canvasSize;
    painter.scale(scale, scale);
    draw(painter, 1.0 / scale);
    return image;
}

int colourDistance(QRgb a, QRgb b)
{
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

uint nearestPaletteIndex(QRgb colour)
{
    uint best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (uint index = 0; index < vga::palette.size(); ++index) {
        const int distance = colourDistance(colour, vga::palette[index]);
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

QImage quantised(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    QList<QRgb> table(vga::palette.begin(), vga::palette.end());
    table.append(qRgba(0, 0, 0, 0));
    indexed.setColorTable(table);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb colour = argb.pixel(x, y);
            indexed.setPixel(x, y, qAlpha(colour) < 128 ? transparentIndex : nearestPaletteIndex(colour));
        }
    }
    return indexed;
}

int rowStride(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

uint colourBits(uint index)
{
    return index == transparentIndex ? 0 : index;
}
uint maskBit(uint index)
{
    return index == transparentIndex ? 1 : 0;
}

// Packs one value per pixel, most significant bits first, rows bottom-up and
// padded to 4 bytes, as both the colour and the mask planes of an icon want.
QByteArray packedPlane(const QImage &indexed, int bitsPerPixel, uint (*valueOf)(uint))
{
    const int stride = rowStride(indexed.width(), bitsPerPixel);
    QByteArray plane;
    for (int y = indexed.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < indexed.width(); ++x) {
            const int bit = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            const uint value = valueOf(uint(indexed.pixelIndex(x, y))) << shift;
            row[bit / 8] = char(uchar(row[bit / 8]) | value);
        }
        plane.append(row);
    }
    return plane;
}

QByteArray icoBitmap(const QImage &indexed)
{
    const QByteArray colours = packedPlane(indexed, 4, colourBits);
    const QByteArray mask = packedPlane(indexed, 1, maskBit);
    QByteArray bitmap;
    QDataStream out(&bitmap, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // BITMAPINFOHEADER; the height counts the colour and the mask plane.
    out << quint32(40) << qint32(indexed.width()) << qint32(2 * indexed.height()) << quint16(1) << quint16(4)
        << quint32(0) << quint32(colours.size() + mask.size()) << qint32(0) << qint32(0) << quint32(vga::palette.size())
        << quint32(0);
    for (const QRgb colour : vga::palette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    out.writeRawData(colours.constData(), int(colours.size()));
    out.writeRawData(mask.constData(), int(mask.size()));
    return bitmap;
}

QByteArray icoFile(const QList<QImage> &images)
{
    constexpr int directorySize = 6;
    constexpr int entrySize = 16;
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    QList<QByteArray> bitmaps;
    auto offset = quint32(directorySize + entrySize * images.size());
    for (const QImage &image : images) {
        bitmaps.append(icoBitmap(image));
        const auto length = quint32(bitmaps.last().size());
        out << quint8(image.width()) << quint8(image.height()) << quint8(vga::palette.size()) << quint8(0) << quint16(1)
            << quint16(4) << length << offset;
        offset += length;
    }
    for (const QByteArray &bitmap : bitmaps)
        out.writeRawData(bitmap.constData(), int(bitmap.size()));
    return file;
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size(),
        QStringLiteral("cannot write %1").arg(path));
}

void saveImage(const QImage &image, const QString &path)
{
    require(image.save(path), QStringLiteral("cannot write %1").arg(path));
}

bool samePixels(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb l = left.pixel(x, y);
            const QRgb r = right.pixel(x, y);
            if (qAlpha(l) != qAlpha(r) || (qAlpha(l) != 0 && l != r))
                return false;
        }
    }
    return true;
}

void verifyIcon(const QString &path, const QList<QImage> &expected)
{
    QImageReader reader(path, "ico");
    require(reader.imageCount() == expected.size(),
        QStringLiteral("%1: %2 images instead of %3").arg(path).arg(reader.imageCount()).arg(expected.size()));
    for (int number = 0; number < expected.size(); ++number) {
        require(reader.jumpToImage(number), QStringLiteral("%1: no image %2").arg(path).arg(number));
        const QImage read = reader.read();
        require(read.size() == expected[number].size() && samePixels(read, expected[number]),
            QStringLiteral("%1: image %2 does not read back as drawn").arg(path).arg(number));
    }
}

void makeIcon(const QDir &folder, const IconFile &icon)
{
    QList<QImage> images;
    for (const int size : icon.sizes)
        images.append(quantised(renderFullColour(icon.draw, size)));
    const QString path = folder.filePath(icon.name);
    writeFile(path, icoFile(images));
    verifyIcon(path, images);
}

IconDrawing nextArrowIn(drawings::ButtonState state)
{
    return [state](QPainter &painter, qreal pixel) { drawings::nextArrow(painter, pixel, state); };
}

QList<IconFile> iconFiles()
{
    using drawings::ButtonState;
    return {
        {QStringLiteral("tavola.ico"), drawings::abacus, {32}},
        {QStringLiteral("next.ico"), nextArrowIn(ButtonState::Up), {32, 16}},
        {QStringLiteral("nextdown.ico"), nextArrowIn(ButtonState::Down), {32, 16}},
        {QStringLiteral("nextdisabled.ico"), nextArrowIn(ButtonState::Disabled), {32, 16}},
        {QStringLiteral("exit.ico"), drawings::exitDoor, {32, 16}},
        {QStringLiteral("clock.ico"), drawings::alarmClock, {32, 16}},
    };
}

void verifyIconsDiffer(const QDir &folder, const QList<IconFile> &icons)
{
    QSet<QByteArray> contents;
    for (const IconFile &icon : icons) {
        QFile file(folder.filePath(icon.name));
        require(file.open(QIODevice::ReadOnly), QStringLiteral("cannot read %1").arg(icon.name));
        contents.insert(file.readAll());
    }
    require(contents.size() == icons.size(), QStringLiteral("two icons are identical"));
}

bool isMonochrome(QRgb pixel)
{
    return qAlpha(pixel) == 0 || pixel == vga::black || pixel == vga::white;
}

void verifyPointer(const QString &path)
{
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    require(image.size() == QSize(32, 32), QStringLiteral("%1: not 32×32").arg(path));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            require(isMonochrome(image.pixel(x, y)), QStringLiteral("%1: not monochrome").arg(path));
    const int tipX = drawings::pointerHotSpotX;
    const int tipY = drawings::pointerHotSpotY;
    require(image.pixel(tipX, tipY) == vga::black, QStringLiteral("%1: no tip at hot spot").arg(path));
    for (int x = 0; x < tipX; ++x)
        require(qAlpha(image.pixel(x, tipY)) == 0, QStringLiteral("%1: tip not leftmost").arg(path));
}

void makePointer(const QDir &folder)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        drawings::pointer(painter);
    }
    const QString path = folder.filePath(QStringLiteral("pointer.png"));
    saveImage(image, path);
    verifyPointer(path);
}

template <typename Number>
Number headerField(const QByteArray &header, int offset)
{
    return qFromLittleEndian<Number>(header.constData() + offset);
}

void verifyBackground(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), QStringLiteral("cannot read %1").arg(path));
    const QByteArray header = file.read(54);
    require(header.size() == 54 && header.startsWith("BM"), QStringLiteral("%1: not a BMP").arg(path));
    require(headerField<qint32>(header, 18) == backgroundSize.width()
            && headerField<qint32>(header, 22) == backgroundSize.height(),
        QStringLiteral("%1: wrong size").arg(path));
    require(headerField<quint16>(header, 28) == 24 && headerField<quint32>(header, 30) == 0,
        QStringLiteral("%1: not 24-bit uncompressed").arg(path));
}

void makeBackground(const QDir &folder)
{
    QImage image(backgroundSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        drawings::nightSky(painter, backgroundSize);
    }
    const QString path = folder.filePath(QStringLiteral("background.bmp"));
    saveImage(image, path);
    verifyBackground(path);
}

QString makeScalableIcon(const QDir &folder)
{
    const QString path = folder.filePath(QStringLiteral("mcm-mcd.svg"));
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(QSize(32, 32));
    generator.setViewBox(QRectF(0, 0, drawings::canvasSize, drawings::canvasSize));
    generator.setTitle(QStringLiteral("mcm-mcd"));
    generator.setDescription(QStringLiteral("Pallottoliere: icona di mcm-mcd"));
    QPainter painter(&generator);
    painter.setRenderHint(QPainter::Antialiasing);
    drawings::abacus(painter, 1.0);
    require(painter.end(), QStringLiteral("cannot write %1").arg(path));
    return path;
}

// Rendered from the SVG file itself, so the desktop icons always match it.
void makeDesktopIcons(const QDir &folder, const QString &svgPath)
{
    QSvgRenderer svg(svgPath);
    require(svg.isValid(), QStringLiteral("%1: not a valid SVG").arg(svgPath));
    require(folder.mkpath(QStringLiteral("hicolor")), QStringLiteral("cannot create hicolor"));
    for (const int size : desktopIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            svg.render(&painter);
        }
        const QString path = folder.filePath(QStringLiteral("hicolor/mcm-mcd-%1.png").arg(size));
        saveImage(image, path);
        require(QImage(path).size() == QSize(size, size), QStringLiteral("%1: wrong size").arg(path));
    }
}

void makeAllPictures(const QDir &folder)
{
    const QList<IconFile> icons = iconFiles();
    for (const IconFile &icon : icons)
        makeIcon(folder, icon);
    verifyIconsDiffer(folder, icons);
    makePointer(folder);
    makeBackground(folder);
    makeDesktopIcons(folder, makeScalableIcon(folder));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: makepictures OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    try {
        require(folder.exists(), QStringLiteral("%1 does not exist").arg(folder.path()));
        makeAllPictures(folder);
    } catch (const std::exception &error) {
        std::cerr << "makepictures: " << error.what() << '\n';
        return 1;
    }
    std::cout << "makepictures: all pictures written and checked in " << folder.path().toStdString() << '\n';
    return 0;
}
