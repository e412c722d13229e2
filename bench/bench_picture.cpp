// Decoding a 24-megapixel JPEG for a 640 x 480 screen against decoding it whole, in the same run.
// The photos are generated here, 6000 x 4000 at quality 90: gradients with grain, so they compress
// like photographs. The "camera" photo (grain of 16 levels, about 5 MB, the size a 24-megapixel
// camera writes) is held to the limit; the "grainy" one (48 levels, about 10 MB) is shown for
// information, because entropy decoding, which no scale can skip, weighs more the noisier the
// picture. Exits non-zero when the camera photo's scaled decode costs more than a third of its full
// decode in processor time (wall time is shown too; on a busy machine it mostly measures waiting).
#include "platform/picture.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <vector>

namespace {

QImage MakePhoto(int width, int height, int grain)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(24);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(grain));
            const int r = int(128 + 100 * std::sin(x * 0.0031 + y * 0.0017)) + noise - grain / 2;
            const int g = int(128 + 90 * std::sin(y * 0.0042)) + noise - grain / 2;
            const int b = int(128 + 80 * std::cos((x + y) * 0.0023)) + noise - grain / 2;
            row[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing
{
    double wall = 0;
    double cpu = 0;
};

// One decode: wall-clock and processor time (the latter is what the decode costs, whatever else
// the machine is doing); the decoded size goes to *size.
Timing TimeDecode(const QString& path, QSize target, QSize* size)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = ThreadCpuMs();
    const QImage image = platform::LoadPicture(path, target);
    const Timing timing{double(timer.nsecsElapsed()) / 1e6, ThreadCpuMs() - cpuStart};
    *size = image.size();
    return timing;
}

} // namespace

struct Result
{
    Timing full;
    Timing scaled;
    bool sizesRight = false;
};

static Result Measure(QTextStream& out, const QString& name, int grain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PHOTO.JPG"));
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    if (!writer.write(MakePhoto(6000, 4000, grain))) {
        out << "cannot write the test photo: " << writer.errorString() << Qt::endl;
        return {};
    }
    QSize fullSize;
    QSize scaledSize;
    Result result;
    // Runs alternate so that other work on the machine weighs on both alike; the best of each is
    // kept, the time the decode itself needs.
    Timing best[2] = {{1e9, 1e9}, {1e9, 1e9}};
    for (int run = 0; run < 7; ++run) {
        for (int scaled = 0; scaled < 2; ++scaled) {
            const Timing t = TimeDecode(path, scaled ? QSize(640, 480) : QSize(), scaled ? &scaledSize : &fullSize);
            best[scaled].wall = std::min(best[scaled].wall, t.wall);
            best[scaled].cpu = std::min(best[scaled].cpu, t.cpu);
        }
    }
    result.full = best[0];
    result.scaled = best[1];
    result.sizesRight = fullSize == QSize(6000, 4000) && scaledSize == QSize(750, 500);
    out << QStringLiteral("%1 photo, 6000 x 4000, %2 KiB\n").arg(name).arg(QFileInfo(path).size() / 1024);
    out << QStringLiteral("  full decode:    %1 ms processor, %2 ms wall (%3 x %4)\n")
               .arg(result.full.cpu, 0, 'f', 1)
               .arg(result.full.wall, 0, 'f', 1)
               .arg(fullSize.width())
               .arg(fullSize.height());
    out << QStringLiteral("  640x480 decode: %1 ms processor, %2 ms wall (%3 x %4)\n")
               .arg(result.scaled.cpu, 0, 'f', 1)
               .arg(result.scaled.wall, 0, 'f', 1)
               .arg(scaledSize.width())
               .arg(scaledSize.height());
    out << QStringLiteral("  (best of 7 runs each)\n");
    out << QStringLiteral("  ratio scaled / full: %1 processor time, %2 wall time")
               .arg(result.scaled.cpu / result.full.cpu, 0, 'f', 3)
               .arg(result.scaled.wall / result.full.wall, 0, 'f', 3)
        << Qt::endl;
    return result;
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const Result camera = Measure(out, QStringLiteral("camera"), 16);
    Measure(out, QStringLiteral("grainy"), 48);
    if (!camera.sizesRight) {
        out << "FAIL: unexpected decoded sizes" << Qt::endl;
        return 1;
    }
    const double ratio = camera.scaled.cpu / camera.full.cpu;
    out << QStringLiteral("camera photo, processor time ratio %1, limit 0.333: ").arg(ratio, 0, 'f', 3)
        << (ratio <= 1.0 / 3.0 ? "PASS" : "FAIL") << Qt::endl;
    return ratio <= 1.0 / 3.0 ? 0 : 1;
}
