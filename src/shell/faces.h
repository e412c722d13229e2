#pragma once

#include <QString>
#include <QStringList>

// Faces that lists written on other desktops name, and the metric twins this system has for
// them. Both programs install the same substitutions, and the publisher names the same twins in
// the style of published pages, so a page breaks its lines alike everywhere.
namespace shell {

// The installed twin of a face ("Arial" -> "Liberation Sans"), or empty when there is none.
// Letter case of the face is ignored.
QString FaceSubstitute(const QString& face);

// The generic CSS family that stands in for the face: "serif", "sans-serif" or "monospace".
QString GenericFamily(const QString& face);

// The faces above as lists spell them ("MS Sans Serif", "Arial", ...).
QStringList SubstitutedFaces();

// QFont::insertSubstitution for every face above; call once at start-up.
void InstallFaceSubstitutions();

} // namespace shell
