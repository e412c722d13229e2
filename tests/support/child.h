#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

// The named child of a window, for tests that click through it; a missing child is a broken
// window, so the test stops at once instead of crashing later on a null pointer.
template <typename T> T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

template <typename T> T* Child(QWidget* parent, const char* name)
{
    return Child<T>(*parent, name);
}
