#pragma once

#include <QIcon>
#include <QString>

// The program's icon, read from a PNG file (a resource) the first time a
// pixmap of it is asked for, which is when a platform with a task bar shows
// the window (never on the offscreen platform), or when the about box opens.
// Read by Qt's own PNG reader alone, since guessing the format would first
// load and query every image-format plugin.
QIcon LazyPngIcon(const QString& path);
