#include "aboutfile.h"

#include "datafile.h"
#include "datafilenames.h"

std::optional<QStringList> readAboutLines(const QString &dir)
{
    return readDataFile(dataFilePath(dir, aboutFileName()));
}
