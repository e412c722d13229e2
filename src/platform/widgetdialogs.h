#pragma once

#include "platform/dialogs.h"

namespace platform {

// The dialogs shown as real windows: message boxes, Qt's file and colour choosers and our font
// chooser with its text colour.
class WidgetDialogs : public Dialogs
{
public:
    void showError(const QString& message) override;
    void showInfo(const QString& message) override;
    bool askYesNo(const QString& message) override;
    Answer askYesNoCancel(const QString& message) override;
    bool askYesNoHelp(const QString& message, int helpContext) override;
    QString openFileName(const FileRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    QStringList openFileNames(const FileRequest& request) override;
    QString chooseFolder(const FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<FontChoice> chooseFont(const QFont& initial, const QColor& initialColor) override;
    void beep() override;
};

// Qt's form of a filter of the program's texts: "Desc|*.A;*.B" becomes "Desc (*.A *.B)".
QStringList ToQtNameFilters(const QString& filter);

} // namespace platform
