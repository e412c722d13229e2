// Covers the picture loading of the media show: stretching to the window and refusing hostile files.
#include "runtime/mediapicture.h"

#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// A BMP file header and info header claiming the given size, with no pixels after them.
QByteArray BmpHeader(qint32 width, qint32 height)
{
    QByteArray out(54, '\0');
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(54 + 16, out.data() + 2);
    qToLittleEndian<quint32>(54, out.data() + 10);
    qToLittleEndian<quint32>(40, out.data() + 14);
    qToLittleEndian<qint32>(width, out.data() + 18);
    qToLittleEndian<qint32>(height, out.data() + 22);
    qToLittleEndian<quint16>(1, out.data() + 26);
    qToLittleEndian<quint16>(24, out.data() + 28);
    return out + QByteArray(16, '\x7f');
}

} // namespace

class TestMediaPicture : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void picture_isStretchedToTheTarget_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("bmp") << "BMP";
        QTest::newRow("jpeg") << "JPG";
    }

    void picture_isStretchedToTheTarget()
    {
        QFETCH(QString, format);
        QImage image(300, 60, QImage::Format_RGB32);
        image.fill(QColor(10, 20, 230));
        // The left half red, so stretching (not cropping) can be seen.
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 150; ++x)
                image.setPixelColor(x, y, QColor(230, 20, 10));
        const QString file = path(QStringLiteral("stretch.") + format);
        QVERIFY(image.save(file, qPrintable(format)));
        const QImage shown = runtime::LoadMediaPicture(file, QSize(640, 480));
        QCOMPARE(shown.size(), QSize(640, 480));
        QVERIFY(shown.pixelColor(100, 400).red() > 180);
        QVERIFY(shown.pixelColor(540, 400).blue() > 180);
    }

    // Wider than a screen by far, yet an ordinary phone panorama: the shared decoder's bounds let
    // it through and the window shows it squeezed.
    void panoramaJpeg_isShown()
    {
        QImage image(24000, 60, QImage::Format_RGB32);
        image.fill(QColor(240, 200, 20));
        const QString file = path(QStringLiteral("PANORAMA.JPG"));
        QVERIFY(image.save(file, "JPG"));
        const QImage shown = runtime::LoadMediaPicture(file, QSize(640, 480));
        QCOMPARE(shown.size(), QSize(640, 480));
        QVERIFY(shown.pixelColor(320, 240).red() > 200);
    }

    void hostileFiles_giveNoPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("huge width") << BmpHeader(1000000, 10);
        QTest::newRow("huge both") << BmpHeader(30000, 30000);
        QTest::newRow("negative size") << BmpHeader(-5, -5);
        QTest::newRow("header only") << BmpHeader(64, 64).left(30);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("jpeg start only") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
    }

    void hostileFiles_giveNoPicture()
    {
        QFETCH(QByteArray, bytes);
        WriteAll(path(QStringLiteral("hostile.bmp")), bytes);
        QElapsedTimer clock;
        clock.start();
        const QImage shown = runtime::LoadMediaPicture(path(QStringLiteral("hostile.bmp")), QSize(640, 480));
        QVERIFY(shown.isNull());
        QVERIFY(clock.elapsed() < 2000);
    }

    void missingFile_givesNoPicture()
    {
        QVERIFY(runtime::LoadMediaPicture(path(QStringLiteral("none.jpg")), QSize(640, 480)).isNull());
    }
};

QTEST_GUILESS_MAIN(TestMediaPicture)
#include "tst_mediapicture.moc"
