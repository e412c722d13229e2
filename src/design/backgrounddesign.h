#pragma once

#include "runtime/background.h"

#include <QString>

// The rules of the background designer, apart from its window: what choosing a kind does to the
// file names, what OK keeps, and how the four variants (program, topic menu screen, designed page,
// introduction) differ. The dialog only shows the result.
namespace design {

enum class BackVariant
{
    Program,
    MenuScreen,
    DesignedPage,
    Introduction,
};

// Everything in which the variants differ.
struct BackDesignVariant
{
    BackVariant variant = BackVariant::Program;
    int helpContext = 0;
    int chooserHelpContext = 0;
    QString wallpaperCaption;
    QString wallpaperFindCaption;
    // Extra controls: "View" (program) or "&Adjust Window" with its label (the others).
    bool hasView = false;
    bool hasAdjustWindow = false;
    // File chooser filters set on choosing kind 2 and kind 3.
    QString graphicFilter;
    QString wallpaperFilter;
    bool dropJpgWallpaper = true;
    bool autoPickClearsOther = true;
    bool okClearsUnchosen = true;
    bool upperCaseGraphic = false;
    bool doubleClickPicks = true;
};

const BackDesignVariant& VariantOf(BackVariant variant);

// The pattern of each file list, and the text of its name field before a name is shown.
inline const QString kGraphicMask = QStringLiteral("*.BMP;*.JPG");
inline const QString kWallpaperMask = QStringLiteral("*.BMP");
inline const QString kChooserTitle = QStringLiteral("Select a Graphic File");
inline const QString kDefaultGraphicFilter = QStringLiteral("Graphic Files|*.BMP;*.JPG");

// A stored file name is cut to the width of its field.
QString CutFileName(const QString& name);

// Selecting a kind button: sets the kind and, when the kind's file is not named yet, names the
// first matching file of the Study List directory ("*.jpg" before "*.bmp" for a graphic, "*.bmp"
// for a wallpaper). The variant decides whether a ".JPG" wallpaper name is dropped first and
// whether an automatic pick empties the other kind's name. Kinds other than 1 to 3 count as 1.
void SelectKind(runtime::BackgroundFields& fields, int kind, const BackDesignVariant& variant,
                const QString& directory);

// Closing with OK: in the variants that do so, the names of the kinds not chosen are emptied.
void FinishBackground(runtime::BackgroundFields& fields, int selectedKind, const BackDesignVariant& variant);

// Writes the four fields back into a record.
void ApplyBackground(storage::WindowDesign& window, const runtime::BackgroundFields& fields);
void ApplyBackground(storage::ProgramSettings& program, const runtime::BackgroundFields& fields);

// The kind button an opening dialog selects: 1, 2 or 3 as stored, any other value gives 1.
int ShownKind(qint32 storedKind);

} // namespace design
