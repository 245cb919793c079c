#include "cldrnames.h"

#include <QFile>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

namespace {

struct Element
{
    QString name;
    QString type;
};

bool hasElement(const QVector<Element> &path, const QString &name, const QString &type)
{
    for (const Element &element : path) {
        if (element.name == name && element.type == type)
            return true;
    }
    return false;
}

bool underName(const QVector<Element> &path, const QString &name)
{
    return path.size() >= 2 && path.at(path.size() - 2).name == name;
}

// The key under which the element at the end of `path` is kept, or nothing.
QString keyOf(const QVector<Element> &path)
{
    const Element &leaf = path.constLast();
    if (leaf.name == QLatin1String("language") && underName(path, QStringLiteral("languages")))
        return QStringLiteral("language:") + leaf.type;
    if (leaf.name == QLatin1String("territory") && underName(path, QStringLiteral("territories")))
        return QStringLiteral("territory:") + leaf.type;
    if (!hasElement(path, QStringLiteral("calendar"), QStringLiteral("gregorian")))
        return QString();
    if (leaf.name == QLatin1String("month") &&
        hasElement(path, QStringLiteral("monthContext"), QStringLiteral("format")) &&
        hasElement(path, QStringLiteral("monthWidth"), QStringLiteral("wide")))
        return QStringLiteral("month:") + leaf.type;
    if (leaf.name == QLatin1String("day") &&
        hasElement(path, QStringLiteral("dayContext"), QStringLiteral("format")) &&
        hasElement(path, QStringLiteral("dayWidth"), QStringLiteral("wide")))
        return QStringLiteral("day:") + leaf.type;
    return QString();
}

} // namespace

std::optional<CldrNames::Names> CldrNames::readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    const auto names = parse(file.readAll(), error);
    if (!names)
        *error = path + QStringLiteral(": ") + *error;
    return names;
}

std::optional<CldrNames::Names> CldrNames::parse(const QByteArray &xml, QString *error)
{
    Names names;
    QVector<Element> path;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QXmlStreamAttributes attributes = reader.attributes();
            path.append(
                {reader.name().toString(), attributes.value(QStringLiteral("type")).toString()});
            if (attributes.hasAttribute(QStringLiteral("alt")))
                continue;
            const QString key = keyOf(path);
            if (key.isEmpty())
                continue;
            const QString text =
                reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            path.removeLast(); // readElementText consumed the end element
            if (!text.isEmpty() && !names.contains(key))
                names.insert(key, text);
        } else if (reader.isEndElement()) {
            if (!path.isEmpty())
                path.removeLast();
        }
    }
    if (reader.hasError()) {
        *error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
        return std::nullopt;
    }
    return names;
}
