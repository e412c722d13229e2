// Covers platform/picture: JPEG decoding at reduced DCT scales, content detection, BMP loading,
// and refusal of damaged or oversized pictures.
#include "platform/picture.h"
#include "support/pictures.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <jpeglib.h>

namespace {

// The fixtures of these tests are encoded at one fixed quality, so decoded colours are stable.
QByteArray EncodeAs(const QImage& image, const char* format)
{
    return EncodeImage(image, format, 90);
}

QImage Solid(int width, int height, QRgb color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(QColor::fromRgb(color));
    return image;
}

// A CMYK JPEG as Adobe programs write it (ink stored inverted), one colour throughout.
QByteArray CmykJpeg(int width, int height, const uchar cmyk[4])
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(width * 4, Qt::Uninitialized);
    for (int x = 0; x < width; ++x)
        memcpy(row.data() + 4 * x, cmyk, 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rowPointer = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    free(out);
    return bytes;
}

// Rewrites the frame size in the first SOF0 marker of a JPEG stream.
QByteArray WithFrameSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        qFatal("fixture has no SOF0 marker");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

bool Near(QRgb a, QRgb b, int tolerance = 12)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scaleDenominator_data();
    void scaleDenominator();
    void loadJpeg_decodesAtSmallestCoveringScale_data();
    void loadJpeg_decodesAtSmallestCoveringScale();
    void loadJpeg_keepsColour();
    void loadJpeg_grayscaleBecomesRgb();
    void loadJpeg_adobeCmykBecomesRgb();
    void loadJpeg_namedBmp_detectedByContent();
    void loadBmp_namedJpg_detectedByContent();
    void loadBmp_readsPixels();
    void loadWmf_drawsMetafile();
    void isJpegData_data();
    void isJpegData();
    void loadMissingOrEmptyFile_givesNull();
    void decodeJpeg_oversizedFrame_refused_data();
    void decodeJpeg_oversizedFrame_refused();
    void decodeJpeg_truncatedHeader_givesNull();
    void decodeJpeg_truncatedData_decodesWhatIsThere();
    void decodeJpeg_garbageAfterStart_givesNull();
    void decodeBmp_oversizedHeader_refused();
    void decodeBmp_hugeClaimOfTinyFile_refused();
    void decode_mutatedPictures_neverCrash();
};

void TestPicture::scaleDenominator_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<int>("denominator");
    QTest::newRow("24 megapixels for 640x480") << QSize(6000, 4000) << QSize(640, 480) << 8;
    QTest::newRow("no target") << QSize(6000, 4000) << QSize() << 1;
    QTest::newRow("empty target") << QSize(6000, 4000) << QSize(0, 480) << 1;
    QTest::newRow("exactly eight times") << QSize(5120, 3840) << QSize(640, 480) << 8;
    QTest::newRow("rounded up covers") << QSize(5113, 3833) << QSize(640, 480) << 8;
    QTest::newRow("one short of eight") << QSize(5111, 3840) << QSize(640, 480) << 4;
    QTest::newRow("height decides") << QSize(6000, 1000) << QSize(640, 480) << 2;
    QTest::newRow("smaller than target") << QSize(320, 240) << QSize(640, 480) << 1;
    QTest::newRow("1600x1200 for 640x480") << QSize(1600, 1200) << QSize(640, 480) << 2;
    QTest::newRow("full screen target") << QSize(6000, 4000) << QSize(1920, 1080) << 2;
}

void TestPicture::scaleDenominator()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, target);
    QFETCH(int, denominator);
    QCOMPARE(platform::JpegScaleDenominator(picture, target), denominator);
}

void TestPicture::loadJpeg_decodesAtSmallestCoveringScale_data()
{
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("full size") << QSize() << QSize(1600, 1200);
    QTest::newRow("half") << QSize(640, 480) << QSize(800, 600);
    QTest::newRow("quarter") << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("eighth") << QSize(100, 100) << QSize(200, 150);
    QTest::newRow("larger than picture") << QSize(2000, 2000) << QSize(1600, 1200);
}

void TestPicture::loadJpeg_decodesAtSmallestCoveringScale()
{
    QFETCH(QSize, target);
    QFETCH(QSize, decoded);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PHOTO.JPG"));
    WriteAll(path, EncodeAs(Solid(1600, 1200, qRgb(30, 120, 200)), "jpg"));
    const QImage image = platform::LoadPicture(path, target);
    QCOMPARE(image.size(), decoded);
    QCOMPARE(image.format(), QImage::Format_RGB32);
}

void TestPicture::loadJpeg_keepsColour()
{
    QImage source(64, 64, QImage::Format_RGB32);
    source.fill(QColor(200, 40, 40));
    for (int y = 32; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            source.setPixel(x, y, qRgb(20, 180, 60));
    const QImage image = platform::DecodePicture(EncodeAs(source, "jpg"), QSize(16, 16));
    QCOMPARE(image.size(), QSize(16, 16));
    QVERIFY2(Near(image.pixel(8, 3), qRgb(200, 40, 40)), qPrintable(QString::number(image.pixel(8, 3), 16)));
    QVERIFY2(Near(image.pixel(8, 12), qRgb(20, 180, 60)), qPrintable(QString::number(image.pixel(8, 12), 16)));
}

void TestPicture::loadJpeg_grayscaleBecomesRgb()
{
    const QByteArray jpeg = EncodeAs(Solid(40, 30, qRgb(100, 100, 100), QImage::Format_Grayscale8), "jpg");
    const QImage image = platform::DecodePicture(jpeg);
    QCOMPARE(image.size(), QSize(40, 30));
    QVERIFY(Near(image.pixel(20, 15), qRgb(100, 100, 100), 3));
}

void TestPicture::loadJpeg_adobeCmykBecomesRgb()
{
    const uchar red[4] = {255, 0, 0, 255}; // no cyan, full magenta and yellow, no black (inverted)
    const QImage image = platform::DecodePicture(CmykJpeg(32, 16, red));
    QCOMPARE(image.size(), QSize(32, 16));
    QVERIFY2(Near(image.pixel(16, 8), qRgb(255, 0, 0)), qPrintable(QString::number(image.pixel(16, 8), 16)));
}

void TestPicture::loadJpeg_namedBmp_detectedByContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.bmp"));
    WriteAll(path, EncodeAs(Solid(800, 600, qRgb(0, 0, 255)), "jpg"));
    QCOMPARE(platform::LoadPicture(path, QSize(100, 75)).size(), QSize(100, 75));
}

void TestPicture::loadBmp_namedJpg_detectedByContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.JPG"));
    WriteAll(path, EncodeAs(Solid(30, 20, qRgb(0, 255, 0)), "bmp"));
    const QImage image = platform::LoadPicture(path, QSize(10, 10));
    QCOMPARE(image.size(), QSize(30, 20));
    QCOMPARE(QColor(image.pixel(5, 5)), QColor(0, 255, 0));
}

void TestPicture::loadWmf_drawsMetafile()
{
    // The placeable header says 96 units an inch: one unit a pixel.
    const QByteArray data = SolidMetafile(120, 60, Qt::blue, true);
    const QSize size(120, 60);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CHART.WMF"));
    WriteAll(path, data);
    const QImage image = platform::LoadPicture(path);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixel(size.width() / 2, size.height() / 2), qRgb(0, 0, 255));
    QVERIFY(platform::LoadPicture(path.chopped(3) + QStringLiteral("X")).isNull());
    WriteAll(path, data.left(30));
    QVERIFY(platform::LoadPicture(path).isNull());

    // An enhanced metafile, known by its signature whatever the file is called.
    WriteAll(path, SolidEnhancedMetafile(90, 40, Qt::red));
    const QImage enhanced = platform::LoadPicture(path);
    QCOMPARE(enhanced.size(), QSize(90, 40));
    QCOMPARE(enhanced.pixel(45, 20), qRgb(255, 0, 0));
}

void TestPicture::loadBmp_readsPixels()
{
    QTemporaryDir dir;
    QImage source(3, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 255, 0));
    source.setPixel(2, 0, qRgb(0, 0, 255));
    source.setPixel(0, 1, qRgb(1, 2, 3));
    source.setPixel(1, 1, qRgb(250, 250, 250));
    source.setPixel(2, 1, qRgb(0, 0, 0));
    const QString path = dir.filePath(QStringLiteral("TILE.BMP"));
    WriteAll(path, EncodeAs(source, "bmp"));
    const QImage image = platform::LoadPicture(path);
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(image.pixel(2, 0), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(0, 1), qRgb(1, 2, 3));
}

void TestPicture::isJpegData_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("jpeg");
    QTest::newRow("jfif") << QByteArray("\xFF\xD8\xFF\xE0", 4) << true;
    QTest::newRow("exif") << QByteArray("\xFF\xD8\xFF\xE1", 4) << true;
    QTest::newRow("bmp") << QByteArray("BM\x36\x00", 4) << false;
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2) << true;
    QTest::newRow("too short") << QByteArray("\xFF", 1) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestPicture::isJpegData()
{
    QFETCH(QByteArray, head);
    QFETCH(bool, jpeg);
    QCOMPARE(platform::IsJpegData(head), jpeg);
}

void TestPicture::loadMissingOrEmptyFile_givesNull()
{
    QTemporaryDir dir;
    QVERIFY(platform::LoadPicture(dir.filePath(QStringLiteral("NONE.JPG"))).isNull());
    const QString empty = dir.filePath(QStringLiteral("EMPTY.BMP"));
    WriteAll(empty, {});
    QVERIFY(platform::LoadPicture(empty).isNull());
    const QString text = dir.filePath(QStringLiteral("TEXT.JPG"));
    WriteAll(text, "this is not a picture at all");
    QVERIFY(platform::LoadPicture(text).isNull());
}

void TestPicture::decodeJpeg_oversizedFrame_refused_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("target");
    QTest::newRow("65000 square") << QSize(65000, 65000) << QSize(640, 480);
    QTest::newRow("over 400 megapixels") << QSize(30000, 20000) << QSize(640, 480);
    QTest::newRow("too many decoded pixels") << QSize(16000, 16000) << QSize();
    QTest::newRow("zero width") << QSize(0, 100) << QSize();
}

void TestPicture::decodeJpeg_oversizedFrame_refused()
{
    QFETCH(QSize, frame);
    QFETCH(QSize, target);
    const QByteArray jpeg = WithFrameSize(EncodeAs(Solid(16, 16, qRgb(9, 9, 9)), "jpg"), frame.width(), frame.height());
    QVERIFY(platform::DecodePicture(jpeg, target).isNull());
}

void TestPicture::decodeJpeg_truncatedHeader_givesNull()
{
    const QByteArray jpeg = EncodeAs(Solid(64, 64, qRgb(9, 90, 9)), "jpg");
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    QVERIFY(platform::DecodePicture(jpeg.left(sof)).isNull());
    QVERIFY(platform::DecodePicture(jpeg.left(3)).isNull());
}

void TestPicture::decodeJpeg_truncatedData_decodesWhatIsThere()
{
    QImage source(256, 256, QImage::Format_RGB32);
    source.fill(QColor(200, 30, 30));
    const QByteArray jpeg = EncodeAs(source, "jpg");
    const QImage image = platform::DecodePicture(jpeg.left(jpeg.size() * 2 / 3));
    QCOMPARE(image.size(), QSize(256, 256));
    QVERIFY(Near(image.pixel(10, 2), qRgb(200, 30, 30)));
}

void TestPicture::decodeJpeg_garbageAfterStart_givesNull()
{
    QVERIFY(platform::DecodePicture(QByteArray("\xFF\xD8\x00\x01\x02", 5)).isNull());
    QByteArray bytes("\xFF\xD8\xFF", 3);
    for (int i = 0; i < 500; ++i)
        bytes.append(char(i * 37));
    QVERIFY(platform::DecodePicture(bytes).isNull());
}

void TestPicture::decodeBmp_oversizedHeader_refused()
{
    QByteArray bmp = EncodeAs(Solid(4, 4, qRgb(1, 1, 1)), "bmp");
    // BITMAPINFOHEADER width and height at 18 and 22: 60000 x 60000.
    const qint32 side = 60000;
    for (int offset : {18, 22})
        for (int i = 0; i < 4; ++i)
            bmp[offset + i] = char((side >> (8 * i)) & 0xFF);
    QVERIFY(platform::DecodePicture(bmp).isNull());
}

void TestPicture::decodeBmp_hugeClaimOfTinyFile_refused()
{
    // Found by fuzzing: 53 bytes claiming a top-down picture of 1 x 50,331,649 pixels.
    const QByteArray bmp = QByteArray::fromBase64("Qk06AAAAAAAAADYAAAAoAAAAAQAAAP////wBACAAAAAAAAQAAAATCwAAAAAAAAAAAAAyECAw/w==");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(platform::DecodePicture(bmp).isNull());
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    // A picture of a flat colour, which compresses well, still decodes.
    QVERIFY(!platform::DecodePicture(EncodeAs(Solid(2000, 2000, qRgb(9, 9, 9)), "png")).isNull());
}

void TestPicture::decode_mutatedPictures_neverCrash()
{
    QImage source(48, 40, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x * 5, y * 6, (x + y) * 2));
    const QList<QByteArray> seeds = {EncodeAs(source, "jpg"), EncodeAs(source, "bmp")};
    QRandomGenerator random(20261208);
    int decoded = 0;
    for (const QByteArray& seed : seeds) {
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes = seed;
            const int flips = 1 + int(random.bounded(8));
            for (int i = 0; i < flips; ++i)
                bytes[qsizetype(random.bounded(quint32(bytes.size())))] = char(random.bounded(256));
            if (random.bounded(4) == 0)
                bytes.truncate(qsizetype(random.bounded(quint32(bytes.size()))));
            const QImage image = platform::DecodePicture(bytes, QSize(24, 20));
            if (!image.isNull()) {
                ++decoded;
                QVERIFY(qint64(image.width()) * image.height() <= platform::kMaxDecodedPixels);
            }
        }
    }
    // Most single-byte damage still decodes; the point is that none of it crashed.
    QVERIFY(decoded > 0);
}

QTEST_GUILESS_MAIN(TestPicture)
#include "tst_picture.moc"
