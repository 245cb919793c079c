#pragma once

#include <QMap>
#include <QString>
#include <optional>

// Display names of one locale of the Unicode Common Locale Data Repository, read from
// its XML file: the names of languages and territories, and the wide names of the
// Gregorian months and days as they stand in running text. Keys are "language:fr",
// "territory:ML", "month:1" and "day:sun"; alternative forms (alt="...") are left out.
class CldrNames
{
public:
    using Names = QMap<QString, QString>;

    static std::optional<Names> readFile(const QString &path, QString *error);
    static std::optional<Names> parse(const QByteArray &xml, QString *error);
};
