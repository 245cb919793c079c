#pragma once

#include <QChar>
#include <QString>

// Names of the data files. The viewer reads them from the directory "res" relative to
// its working directory; the producers' tool reads and writes them in any directory.

QString dataDirectory();              // "res"
QString headwordFileName();           // "entries.bna"
QString lexiconFileName();            // "lexic.bna"
QString aboutFileName();              // "about.bna": whose dictionary it is, optional
QString letterFileName(QChar letter); // for example "ɛ.bna"

// dir + "/" + name, with dir empty meaning the working directory itself.
QString dataFilePath(const QString &dir, const QString &name);
