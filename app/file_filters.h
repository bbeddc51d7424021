#pragma once

#include <QString>
#include <QStringList>

namespace tw::app {

// "Tracking Files (*.tk1)|*.tk1|All Files (*.*)|*.*||" as Qt name filters. Each entry keeps
// its name as shown and gets its patterns appended in Qt's form ("*.*" matches every file);
// the dialog hides that appended part again.
QStringList qtNameFilters(const QString& filter);

// The path with ".ext" appended when its file name has no extension of its own.
QString withDefaultExtension(const QString& path, const QString& extension);

}  // namespace tw::app
