#include "datafile.h"

#include "linecodec.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

std::optional<QStringList> readDataFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QStringList lines;
    int phase = 0;
    while (!stream.atEnd()) {
        ++phase;
        lines.append(descrambleLine(stream.readLine(), phase));
    }
    return lines;
}
