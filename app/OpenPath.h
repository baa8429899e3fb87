#pragma once

#include <QString>
#include <optional>

class QMimeData;
class TForm2;

// Opens a folder or a profile file in the window as the user would by hand:
// a folder is made the browser's directory (drive list, directory list and
// file list follow); a file's folder is opened that way, then the file is
// selected in the file list and Analyze is pressed. `path` is absolute or
// relative to the current directory. A path that cannot be opened raises an
// Exception naming it; the browser then shows the file's folder when that
// could be entered. An error of the analysis itself is shown by the Analyze
// button's handler, as after a click.
void OpenPath(TForm2& form, const QString& path);

// OpenPath with its error shown in the application's error box.
void OpenPathShowingErrors(TForm2& form, const QString& path);

// The path a drop carries: the first of its addresses when that is a local
// file or folder; none otherwise.
std::optional<QString> DroppedPath(const QMimeData* data);

// Lets `form` take dropped files and folders, each opened by
// OpenPathShowingErrors once the drop is over.
void AcceptDroppedPaths(TForm2& form);
