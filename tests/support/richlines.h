#pragma once

#include "platform/rtf/rtfwriter.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTextDocument>
#include <QWidget>

// Page and introduction text as the store keeps it: plain text written out as RTF lines.
inline QStringList RtfLinesOf(const QString& text)
{
    QTextDocument document;
    document.setPlainText(text);
    return platform::rtf::RtfLines(document);
}

// The plain text of stored RTF lines.
inline QString PlainTextOf(const QStringList& lines)
{
    QTextDocument document;
    platform::rtf::LoadRtfLines(lines, &document);
    return document.toPlainText();
}

// A mouse press delivered straight to the widget, as the designers' handles see it.
inline void PressOn(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint pos = QPoint(5, 5))
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
