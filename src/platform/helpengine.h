#pragma once

#include <QString>

namespace platform {

// Opens help topics by context number. A help file is an HTML document whose topics are anchors
// named by their number (<a name="145">); the current file can be switched, as the preview does
// when a Study List brings its own help.
class HelpEngine
{
public:
    virtual ~HelpEngine() = default;
    virtual void setHelpFile(const QString& path) = 0;
    virtual QString helpFile() const = 0;
    virtual void showHelp(int context) = 0;
};

HelpEngine& help();
void InstallHelpEngine(HelpEngine* implementation);

} // namespace platform
