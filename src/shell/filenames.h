#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// Names stored in a Study List (media, icon and help files, NAME.SWJ and its siblings) were chosen
// on a desktop that ignores letter case, but the disk here does not. Every such name is looked up
// through ResolveName: an exact match wins, else the first entry whose name equals it without
// regard to case; when nothing matches, the path is returned as given so a new file is created
// under that name. Relative names resolve against `directory`; every component is looked up.
QString ResolveName(const QString& directory, const QString& name);

// True when a file or directory of that name exists, letter case ignored as above.
bool NameExists(const QString& directory, const QString& name);

// A mask is one or more wildcard patterns separated by ";" ("*.BMP;*.JPG"); it matches without
// regard to case.
bool MatchesMask(const QString& fileName, const QString& mask);

// The files (not directories) of `directory` matching the mask, sorted by name without regard to
// case, as the file lists of the dialogs show them.
QStringList ListMatchingFiles(const QString& directory, const QString& mask);

// The name without directory.
QString FileNameOf(const QString& path);

// `name` with its extension (from the last "." of the file name on) replaced by `extension`,
// which starts with ".". A name without extension gets it appended.
QString ChangeExtension(const QString& name, const QString& extension);

// The extension of the file name, from its last "." on ("" when there is none).
QString ExtensionOf(const QString& name);

// A directory path with exactly one trailing "/".
QString WithTrailingSeparator(const QString& directory);

} // namespace shell
