#pragma once

// The topic store the timed programs share: 10,000 Topics of about 5 KB each make about 50 MB.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <iterator>
#include <random>

// Writes a store of `topics` entries: one in five a command entry, the rest pages of RTF lines,
// about 5 KB per Topic on average. The same seed gives the same store.
inline qint64 GenerateStore(const QString& path, int topics)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot create %s", qPrintable(path));
    std::mt19937 random(1906);
    std::uniform_int_distribution<int> lineCount(40, 110);
    std::uniform_int_distribution<int> wordCount(6, 14);
    static const char* const words[] = {"lava",   "magma",   "\\b basalt\\b0", "ash",  "crater", "plate",
                                        "\\i fault\\i0", "tremor", "pumice", "cone", "vent", "caldera"};
    QByteArray out;
    out.reserve(1 << 20);
    for (int t = 0; t < topics; ++t) {
        const QByteArray name = "Topic number " + QByteArray::number(t) + " about the earth";
        if (t % 5 == 0) {
            out += "[" + name + "]\r\nsource=HYPER\r\ntype=2\r\ncommand=PICTURE" + QByteArray::number(t) +
                   ".BMP,30\r\n]\r\n\r\n";
        } else {
            out += "[" + name +
                   "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=0\r\nfullscreen=true\r\nSbackcolor=clSilver\r\n"
                   "SGraphic=\r\nSWallpaper=\r\nVPBack=clWhite\r\nVPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\n"
                   "VPHeight=200\r\nRLTop=1\r\nRLLeft=1\r\nprint=false\r\ntext=\r\n"
                   "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Times New Roman;}}\r\n";
            const int lines = lineCount(random);
            for (int l = 0; l < lines; ++l) {
                out += "\\par ";
                const int count = wordCount(random);
                for (int w = 0; w < count; ++w) {
                    out += words[random() % std::size(words)];
                    out += ' ';
                }
                out += "\r\n";
            }
            out += "}\r\n]\r\n\r\n";
        }
        if (out.size() > (1 << 20) - 16384) {
            file.write(out);
            out.clear();
        }
    }
    file.write(out);
    file.close();
    return QFileInfo(path).size();
}

