#pragma once

// Topic store text for the build tests, written directly with CR LF lines as the store writer
// writes it.

#include <QByteArray>
#include <QList>
#include <QtEndian>

inline QByteArray CommandEntryText(const QByteArray& name, int type, const QByteArray& command,
                                   const QByteArray& kind = "HYPER")
{
    return "[" + name + "]\r\nsource=" + kind + "\r\ntype=" + QByteArray::number(type) + "\r\ncommand=" + command +
           "\r\n]\r\n\r\n";
}

// The lines of a page entry after its kind line and before its tail.
inline QList<QByteArray> PageEntryLines(int type, const QList<QByteArray>& text)
{
    QList<QByteArray> lines{"type=" + QByteArray::number(type),
                            type == 5 ? "displaytype=2" : "displaytype=0",
                            "fullscreen=false",
                            "Sbackcolor=clSilver",
                            type == 5 ? "SGraphic=BACK.BMP" : "SGraphic=",
                            "SWallpaper=",
                            "VPBack=clWhite",
                            "VPLeft=120",
                            "VPTop=80",
                            "VPWidth=400",
                            "VPHeight=200",
                            "RLTop=1",
                            "RLLeft=1",
                            "print=false",
                            "text="};
    lines += text;
    return lines;
}

inline QByteArray PageEntryText(const QByteArray& name, int type, const QList<QByteArray>& text)
{
    QByteArray entry = "[" + name + "]\r\nsource=HYPER\r\n";
    for (const QByteArray& line : PageEntryLines(type, text))
        entry += line + "\r\n";
    return entry + "]\r\n\r\n";
}

inline QByteArray IntroEntryText(const QList<QByteArray>& text)
{
    QByteArray entry = "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n";
    for (const QByteArray& line : text)
        entry += line + "\r\n";
    return entry + "]\r\n\r\n";
}

inline QByteArray Le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

inline qint32 ReadLe32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}
