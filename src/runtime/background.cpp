#include "runtime/background.h"

#include "shell/filenames.h"

#include <QFileInfo>

namespace runtime {

namespace {

// A name that is present in the directory and is a file (a directory of that name is no picture).
bool FileExists(const QString& directory, const QString& name)
{
    if (name.isEmpty())
        return false;
    return QFileInfo(shell::ResolveName(directory, name)).isFile();
}

} // namespace

BackgroundFields BackgroundOf(const storage::WindowDesign& window)
{
    return {window.BackgroundKind, window.BackgroundColor, window.BackgroundGraphic, window.BackgroundTile};
}

BackgroundFields BackgroundOf(const storage::ProgramSettings& program)
{
    return {program.BackgroundKind, program.BackgroundColor, program.BackgroundGraphic, program.BackgroundTile};
}

QString GraphicNotFoundMessage(const QString& name)
{
    return QStringLiteral("The graphic file ") + name + QStringLiteral(" was not found");
}

QString WallpaperNotBmpMessage(const QString& name)
{
    return QStringLiteral("Wallpaper must be a .BMP file.") + QStringLiteral("\n\r\n\r") + QStringLiteral("Replace ") +
           name + QStringLiteral(" with a .BMP Graphic.");
}

QString WallpaperNotFoundMessage(const QString& name)
{
    return QStringLiteral("The Wallpaper file ") + name + QStringLiteral(" was not found");
}

BackgroundPlan PlanBackground(const BackgroundFields& fields, const QString& directory, ColourRule rule)
{
    BackgroundPlan plan;
    if (rule == ColourRule::ColourFirst)
        plan.color = fields.Color;

    switch (fields.Kind) {
    case 1:
        plan.color = fields.Color;
        break;
    case 2:
        if (FileExists(directory, fields.Graphic)) {
            plan.layer = BackgroundLayer::Stretched;
            plan.picturePath = shell::ResolveName(directory, fields.Graphic);
        } else {
            plan.message = GraphicNotFoundMessage(fields.Graphic);
            plan.color = fields.Color;
        }
        break;
    case 3:
        // Only the name counts here: a JPEG file called .BMP still tiles, a BMP called .JPG does not.
        if (shell::ExtensionOf(fields.Tile).toUpper() == QStringLiteral(".JPG")) {
            plan.message = WallpaperNotBmpMessage(fields.Tile);
        } else if (FileExists(directory, fields.Tile)) {
            plan.layer = BackgroundLayer::Tiled;
            plan.picturePath = shell::ResolveName(directory, fields.Tile);
        } else {
            plan.message = WallpaperNotFoundMessage(fields.Tile);
            plan.color = fields.Color;
        }
        break;
    default:
        break;
    }
    return plan;
}

} // namespace runtime
