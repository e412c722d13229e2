#include "platform/helpengine.h"

#include <QtGlobal>

namespace platform {

namespace {
HelpEngine* installed = nullptr;
}

HelpEngine& help()
{
    Q_ASSERT_X(installed, "platform::help", "no help engine installed");
    return *installed;
}

void InstallHelpEngine(HelpEngine* implementation)
{
    installed = implementation;
}

} // namespace platform
