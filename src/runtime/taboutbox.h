#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

class QLabel;

namespace runtime {

enum class AboutMode
{
    Designed, // a Study List's own about box
    Own       // the authoring program's about box
};

// The about box display: program name, version, author, four comment lines and an icon.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // `directory` is where a designed box's icon file is looked up (the Study List directory).
    // `scale` is the factor the reader draws its design at: places, fonts and the icon grow with it.
    TAboutBox(const storage::AboutBoxSettings& box, AboutMode mode, const QString& directory,
              QWidget* parent = nullptr, double scale = 1.0);

    // The comment text: each non-empty line followed by a blank, each empty line a paragraph break.
    static QString CommentText(const std::array<QString, 4>& comments);

private:
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* AuthorLbl = nullptr;
    QLabel* Comms = nullptr;
};

// The fixed about box of the authoring program.
storage::AboutBoxSettings OwnAboutBox();

// Shows the box modally. A designed box whose icon file is missing shows only the message
// "The Icon file NAME is missing".
void ShowAboutBox(const storage::AboutBoxSettings& box, AboutMode mode, const QString& directory,
                  QWidget* parent = nullptr, double scale = 1.0);

} // namespace runtime
