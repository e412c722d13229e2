#pragma once

#include "storage/settingsrecord.h"

#include <QString>
#include <optional>

// The decision half of drawing a screen background: from the four background fields, what to
// paint and which message to show. The widget half (BackgroundView, ShowBackground) carries it out.
namespace runtime {

// The four fields every designed screen carries, whatever record they come from.
struct BackgroundFields
{
    qint32 Kind = 1; // 1 colour, 2 graphic stretched, 3 BMP wallpaper tiled
    quint32 Color = shell::kSilver;
    QString Graphic;
    QString Tile;
};

BackgroundFields BackgroundOf(const storage::WindowDesign& window);
BackgroundFields BackgroundOf(const storage::ProgramSettings& program);

// Where the screen colour goes when there is no picture to show.
enum class ColourRule
{
    // The designers, the menu screen and the adjusters paint the colour first, whatever the kind.
    ColourFirst,
    // The backdrop and the designed page take the colour for kind 1 and as the fallback for a
    // missing file; a ".JPG" wallpaper or an unknown kind leaves the screen's default colour.
    ColourByKind,
};

enum class BackgroundLayer
{
    None,      // colour only
    Stretched, // picturePath stretched over the whole area, aspect ratio not kept
    Tiled,     // picturePath repeated from the top-left corner, row by row
};

struct BackgroundPlan
{
    // The colour to paint; nothing leaves the screen in its default colour.
    std::optional<quint32> color;
    BackgroundLayer layer = BackgroundLayer::None;
    // The file to load, resolved in the Study List directory.
    QString picturePath;
    // Shown in an error box when not empty; the screen keeps the colour.
    QString message;
    bool operator==(const BackgroundPlan&) const = default;
};

// Decides the background. File names are resolved in `directory` (the Study List directory)
// without regard to letter case; only their existence is checked here.
BackgroundPlan PlanBackground(const BackgroundFields& fields, const QString& directory, ColourRule rule);

// The three messages, exactly as the reader sees them.
QString GraphicNotFoundMessage(const QString& name);
QString WallpaperNotBmpMessage(const QString& name);
QString WallpaperNotFoundMessage(const QString& name);

} // namespace runtime
