#include "mediafixtures.h"

#include <QtEndian>
#include <cmath>
#include <numbers>

namespace {

void Put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void PutBig16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    out.append(bytes, 2);
}

void PutBig32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// A RIFF chunk: four-character code, little-endian size, data padded to an even length.
QByteArray Chunk(const char* code, const QByteArray& data)
{
    QByteArray out(code, 4);
    Put32(out, quint32(data.size()));
    out += data;
    if (data.size() % 2 != 0)
        out.append('\0');
    return out;
}

QByteArray List(const char* type, const QByteArray& data)
{
    return Chunk("LIST", QByteArray(type, 4) + data);
}

} // namespace

QByteArray MakeWave(int milliseconds, int frequency, int sampleRate)
{
    const int samples = int(qint64(sampleRate) * milliseconds / 1000);
    QByteArray fmt;
    Put16(fmt, 1); // PCM
    Put16(fmt, 1); // mono
    Put32(fmt, quint32(sampleRate));
    Put32(fmt, quint32(sampleRate * 2));
    Put16(fmt, 2);
    Put16(fmt, 16);
    QByteArray data;
    data.reserve(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const double value = std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate);
        Put16(data, quint16(qint16(value * 12000)));
    }
    return Chunk("RIFF", QByteArray("WAVE") + Chunk("fmt ", fmt) + Chunk("data", data));
}

QByteArray MakeMidi(int notes)
{
    QByteArray track;
    // Tempo 500000 microseconds a quarter note, then a piano.
    track += QByteArray::fromHex("00FF510307A120");
    track += QByteArray::fromHex("00C000");
    const char pitches[] = {60, 64, 67, 72};
    for (int i = 0; i < notes; ++i) {
        const char pitch = pitches[i % 4];
        track += QByteArray::fromHex("0090") + QByteArray(1, pitch) + QByteArray(1, char(100));
        // 96 ticks (one quarter note at 96 ticks a quarter) as a variable-length delta: 0x60.
        track += QByteArray::fromHex("6080") + QByteArray(1, pitch) + QByteArray(1, char(64));
    }
    track += QByteArray::fromHex("00FF2F00");

    QByteArray out("MThd");
    PutBig32(out, 6);
    PutBig16(out, 0);  // type 0
    PutBig16(out, 1);  // one track
    PutBig16(out, 96); // ticks a quarter note
    out += "MTrk";
    PutBig32(out, quint32(track.size()));
    out += track;
    return out;
}

QByteArray MakeAvi(QSize size, int frames, int framesPerSecond)
{
    const int width = size.width();
    const int height = size.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int frameBytes = rowBytes * height;

    QByteArray avih;
    Put32(avih, quint32(1000000 / framesPerSecond));
    Put32(avih, quint32(frameBytes * framesPerSecond));
    Put32(avih, 0);
    Put32(avih, 0x10); // has index
    Put32(avih, quint32(frames));
    Put32(avih, 0);
    Put32(avih, 1);
    Put32(avih, quint32(frameBytes));
    Put32(avih, quint32(width));
    Put32(avih, quint32(height));
    for (int i = 0; i < 4; ++i)
        Put32(avih, 0);

    QByteArray strh("vids");
    strh += QByteArray("DIB ");
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put32(strh, 0);
    Put32(strh, 1);
    Put32(strh, quint32(framesPerSecond));
    Put32(strh, 0);
    Put32(strh, quint32(frames));
    Put32(strh, quint32(frameBytes));
    Put32(strh, 0xFFFFFFFF);
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, quint16(width));
    Put16(strh, quint16(height));

    QByteArray strf;
    Put32(strf, 40);
    Put32(strf, quint32(width));
    Put32(strf, quint32(height));
    Put16(strf, 1);
    Put16(strf, 24);
    Put32(strf, 0);
    Put32(strf, quint32(frameBytes));
    for (int i = 0; i < 4; ++i)
        Put32(strf, 0);

    QByteArray movi;
    QByteArray index;
    for (int f = 0; f < frames; ++f) {
        QByteArray frame(frameBytes, '\0');
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                char* pixel = frame.data() + y * rowBytes + x * 3;
                // A moving diagonal band over a blue field, stored as BGR.
                const bool band = ((x + y + f * 6) / 8) % 4 == 0;
                pixel[0] = char(band ? 0x30 : 0xC0);
                pixel[1] = char(band ? 0xD0 : 0x60);
                pixel[2] = char(band ? 0xF0 : 0x20);
            }
        }
        index += QByteArray("00db");
        Put32(index, 0x10); // key frame
        Put32(index, quint32(4 + movi.size()));
        Put32(index, quint32(frameBytes));
        movi += Chunk("00db", frame);
    }

    const QByteArray hdrl =
        List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    return Chunk("RIFF", QByteArray("AVI ") + hdrl + List("movi", movi) + Chunk("idx1", index));
}
