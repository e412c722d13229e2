#pragma once

#include <QGuiApplication>

// Starts the offscreen application that fonts, picture plugins and documents need, once for the
// whole run; call it from LLVMFuzzerInitialize.
inline void StartOffscreenApplication(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
}
