#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The about file of a dictionary directory (aboutFileName(), a data file like the others)
// says whose dictionary it is: a few plain lines, by convention its title, its authors,
// its sources and its licence, which the viewer shows as the credits of its information
// text. A dictionary need not have one.

// The lines of the about file in `dir`; nothing when there is none or it cannot be read.
std::optional<QStringList> readAboutLines(const QString &dir);
