#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// A parsed filter text, independent of any table.
//
// The language is the one the panel's filters use: comparisons `field = value`, `<>`, `<`, `>`,
// `<=`, `>=`, `field Like 'pattern'` (% any run, _ one character), `and`, `or`, `not`,
// parentheses (with or without blanks around them), `True`/`False`, numbers, single-quoted texts
// with doubled inner quotes, [bracketed names]. Keywords ignore case. A quoted text ending in *
// compared with `=` is a prefix match ('TSM*').
//
// parse() keeps the texts it has seen, so parsing the same text again costs a hash look-up.
class FilterExpression final
{
public:
    struct Node
    {
        enum class Kind
        {
            Or,
            And,
            Not,
            Compare,
            Like,
            Field,
            Literal,
        };
        enum class Op
        {
            Equal,
            NotEqual,
            Less,
            Greater,
            LessEqual,
            GreaterEqual,
        };
        Kind kind = Kind::Literal;
        Op op = Op::Equal;
        QString name;        // Field: the column name as written
        QVariant value;      // Literal: QString (quoted), qint64/double (number), bool (True/False)
        bool quoted = false; // Literal: written in quotes
        QList<Node> children;
    };

    // Throws FilterError with the position of the fault.
    static std::shared_ptr<const FilterExpression> parse(const QString &text);
    // A text as a filter literal: in single quotes, inner quotes doubled ("O'Neil" -> 'O''Neil').
    static QString quote(const QString &text);

    const QString &text() const { return m_text; }
    const Node &root() const { return m_root; }
    // Column names the expression uses, as written.
    QStringList fieldNames() const;

private:
    FilterExpression() = default;
    QString m_text;
    Node m_root;
};
