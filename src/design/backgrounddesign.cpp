#include "design/backgrounddesign.h"

#include "shell/filenames.h"
#include "shell/utilities.h"
#include "storage/settingsrecord.h"

namespace design {

namespace {

BackDesignVariant MakeVariant(BackVariant which)
{
    BackDesignVariant v;
    v.variant = which;
    v.helpContext = 480;
    v.chooserHelpContext = 510;
    v.wallpaperCaption = QStringLiteral("WallPaper (.BMP only)");
    v.wallpaperFindCaption = QStringLiteral("Find File");
    v.hasAdjustWindow = true;
    v.graphicFilter = QStringLiteral("Graphic Files|*.BMP;*.JPG");
    v.wallpaperFilter = QStringLiteral("Wallpaper Files|*.BMP");
    switch (which) {
    case BackVariant::Program:
        v.helpContext = 410;
        v.wallpaperCaption = QStringLiteral(" WallPaper (.BMP only) ");
        v.hasView = true;
        v.hasAdjustWindow = false;
        v.upperCaseGraphic = true;
        break;
    case BackVariant::MenuScreen:
        v.chooserHelpContext = 325;
        v.wallpaperCaption = QStringLiteral(" WallPaper (.BMP only) ");
        v.wallpaperFindCaption = QStringLiteral("&Find File");
        v.wallpaperFilter = QStringLiteral("Graphic Files|*.BMP;*.JPG"); // the chooser keeps its first filter
        v.autoPickClearsOther = false;
        v.doubleClickPicks = false;
        break;
    case BackVariant::DesignedPage:
        v.wallpaperFilter = QStringLiteral("BMP Wallpaper Files|*.BMP");
        v.dropJpgWallpaper = false;
        v.okClearsUnchosen = false;
        v.doubleClickPicks = false;
        break;
    case BackVariant::Introduction:
        break;
    }
    return v;
}

} // namespace

const BackDesignVariant& VariantOf(BackVariant variant)
{
    static const BackDesignVariant program = MakeVariant(BackVariant::Program);
    static const BackDesignVariant menu = MakeVariant(BackVariant::MenuScreen);
    static const BackDesignVariant page = MakeVariant(BackVariant::DesignedPage);
    static const BackDesignVariant intro = MakeVariant(BackVariant::Introduction);
    switch (variant) {
    case BackVariant::MenuScreen:
        return menu;
    case BackVariant::DesignedPage:
        return page;
    case BackVariant::Introduction:
        return intro;
    case BackVariant::Program:
        break;
    }
    return program;
}

QString CutFileName(const QString& name)
{
    return name.left(storage::kFileNameWidth);
}

void ApplyBackground(storage::WindowDesign& window, const runtime::BackgroundFields& fields)
{
    window.BackgroundKind = fields.Kind;
    window.BackgroundColor = fields.Color;
    window.BackgroundGraphic = fields.Graphic;
    window.BackgroundTile = fields.Tile;
}

void ApplyBackground(storage::ProgramSettings& program, const runtime::BackgroundFields& fields)
{
    program.BackgroundKind = fields.Kind;
    program.BackgroundColor = fields.Color;
    program.BackgroundGraphic = fields.Graphic;
    program.BackgroundTile = fields.Tile;
}

int ShownKind(qint32 storedKind)
{
    return storedKind >= 1 && storedKind <= 3 ? storedKind : 1;
}

void SelectKind(runtime::BackgroundFields& fields, int kind, const BackDesignVariant& variant,
                const QString& directory)
{
    kind = ShownKind(kind);
    fields.Kind = kind;
    if (kind == 2) {
        if (fields.Graphic.isEmpty()) {
            auto found = shell::FindInWorkingDirectory(directory, QStringLiteral("*.jpg"));
            if (!found)
                found = shell::FindInWorkingDirectory(directory, QStringLiteral("*.bmp"));
            if (found) {
                fields.Graphic = CutFileName(*found);
                if (variant.autoPickClearsOther)
                    fields.Tile.clear();
            }
        }
    } else if (kind == 3) {
        if (variant.dropJpgWallpaper && shell::ExtensionOf(fields.Tile).toUpper() == QStringLiteral(".JPG"))
            fields.Tile.clear();
        if (fields.Tile.isEmpty()) {
            if (const auto found = shell::FindInWorkingDirectory(directory, QStringLiteral("*.bmp"))) {
                fields.Tile = CutFileName(*found);
                if (variant.autoPickClearsOther)
                    fields.Graphic.clear();
            }
        }
    }
}

void FinishBackground(runtime::BackgroundFields& fields, int selectedKind, const BackDesignVariant& variant)
{
    if (!variant.okClearsUnchosen)
        return;
    if (selectedKind == 2) {
        fields.Tile.clear();
    } else if (selectedKind == 3) {
        fields.Graphic.clear();
    } else {
        fields.Graphic.clear();
        fields.Tile.clear();
    }
}

} // namespace design
