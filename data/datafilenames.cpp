#include "datafilenames.h"

QString dataDirectory()
{
    return QStringLiteral("res");
}

QString headwordFileName()
{
    return QStringLiteral("entries.bna");
}

QString lexiconFileName()
{
    return QStringLiteral("lexic.bna");
}

QString aboutFileName()
{
    return QStringLiteral("about.bna");
}

QString letterFileName(QChar letter)
{
    return QString(letter) + QStringLiteral(".bna");
}

QString dataFilePath(const QString &dir, const QString &name)
{
    return dir.isEmpty() ? name : dir + QLatin1Char('/') + name;
}
