#pragma once

#include <QSyntaxHighlighter>

class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit Highlighter(QTextDocument *parent);

protected:
    void highlightBlock(const QString &text) override;
};
