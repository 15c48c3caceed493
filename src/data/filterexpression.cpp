#include "data/filterexpression.h"

#include "data/dataerror.h"

#include <QHash>
#include <QMutex>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxDepth = 100;
constexpr qsizetype kCacheLimit = 4096;

struct Token
{
    enum class Type
    {
        End,
        LParen,
        RParen,
        Op,
        Text,
        Number,
        Name,
    };
    Type type = Type::End;
    QString text;           // Op: "=", "<>"...; Text: unquoted content; Name: the identifier
    QVariant number;        // Number: qint64 or double
    bool bracketed = false; // Name written as [name]
    qsizetype position = 0;
};

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) { advance(); }

    FilterExpression::Node parseAll()
    {
        FilterExpression::Node node = parseOr(0);
        if (m_token.type != Token::Type::End)
            error(u"unexpected '%1'"_s.arg(tokenText()));
        return node;
    }

private:
    using Node = FilterExpression::Node;

    [[noreturn]] void error(const QString &what) const
    {
        throw FilterError(u"filter \"%1\": %2 at position %3"_s.arg(m_text, what).arg(m_token.position + 1));
    }

    QString tokenText() const
    {
        switch (m_token.type) {
        case Token::Type::End:
            return u"end of text"_s;
        case Token::Type::LParen:
            return u"("_s;
        case Token::Type::RParen:
            return u")"_s;
        case Token::Type::Text:
            return u"'"_s + m_token.text + u"'"_s;
        case Token::Type::Number:
            return m_token.number.toString();
        case Token::Type::Op:
        case Token::Type::Name:
            break;
        }
        return m_token.text;
    }

    bool isKeyword(QStringView word) const
    {
        return m_token.type == Token::Type::Name && !m_token.bracketed &&
               m_token.text.compare(word, Qt::CaseInsensitive) == 0;
    }

    void advance()
    {
        const qsizetype n = m_text.size();
        while (m_pos < n && m_text.at(m_pos).isSpace())
            ++m_pos;
        m_token = Token();
        m_token.position = m_pos;
        if (m_pos >= n)
            return;
        const QChar c = m_text.at(m_pos);
        if (c == u'(' || c == u')') {
            m_token.type = c == u'(' ? Token::Type::LParen : Token::Type::RParen;
            ++m_pos;
            return;
        }
        if (c == u'=' || c == u'<' || c == u'>' || c == u'!') {
            m_token.type = Token::Type::Op;
            const QChar d = m_pos + 1 < n ? m_text.at(m_pos + 1) : QChar();
            if ((c == u'<' && (d == u'>' || d == u'=')) || (c == u'>' && d == u'=') ||
                (c == u'!' && d == u'=')) {
                m_token.text = m_text.mid(m_pos, 2);
                m_pos += 2;
            } else if (c == u'!') {
                error(u"unexpected '!'"_s);
            } else {
                m_token.text = c;
                ++m_pos;
            }
            if (m_token.text == u"!="_s)
                m_token.text = u"<>"_s;
            return;
        }
        if (c == u'\'') {
            QString value;
            ++m_pos;
            for (;;) {
                if (m_pos >= n)
                    error(u"unterminated quoted text"_s);
                const QChar q = m_text.at(m_pos++);
                if (q == u'\'') {
                    if (m_pos < n && m_text.at(m_pos) == u'\'') {
                        value += u'\'';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                value += q;
            }
            m_token.type = Token::Type::Text;
            m_token.text = value;
            return;
        }
        if (c == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_pos + 1);
            if (close < 0)
                error(u"unterminated [name]"_s);
            m_token.type = Token::Type::Name;
            m_token.bracketed = true;
            m_token.text = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return;
        }
        if (c.isDigit() || ((c == u'-' || c == u'.') && m_pos + 1 < n && (m_text.at(m_pos + 1).isDigit()))) {
            qsizetype end = m_pos + 1;
            while (end < n && (m_text.at(end).isDigit() || m_text.at(end) == u'.'))
                ++end;
            const QString digits = m_text.mid(m_pos, end - m_pos);
            bool ok = false;
            const qint64 whole = digits.toLongLong(&ok);
            if (ok) {
                m_token.number = whole;
            } else {
                const double real = digits.toDouble(&ok);
                if (!ok)
                    error(u"bad number '%1'"_s.arg(digits));
                m_token.number = real;
            }
            m_token.type = Token::Type::Number;
            m_pos = end;
            return;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype end = m_pos + 1;
            while (end < n && (m_text.at(end).isLetterOrNumber() || m_text.at(end) == u'_'))
                ++end;
            m_token.type = Token::Type::Name;
            m_token.text = m_text.mid(m_pos, end - m_pos);
            m_pos = end;
            return;
        }
        error(u"unexpected character '%1'"_s.arg(c));
    }

    Node parseOr(int depth)
    {
        Node left = parseAnd(depth);
        while (isKeyword(u"or")) {
            advance();
            Node right = parseAnd(depth);
            left = combine(Node::Kind::Or, std::move(left), std::move(right));
        }
        return left;
    }

    Node parseAnd(int depth)
    {
        Node left = parseNot(depth);
        while (isKeyword(u"and")) {
            advance();
            Node right = parseNot(depth);
            left = combine(Node::Kind::And, std::move(left), std::move(right));
        }
        return left;
    }

    static Node combine(Node::Kind kind, Node left, Node right)
    {
        if (left.kind == kind) {
            left.children.append(std::move(right));
            return left;
        }
        Node node;
        node.kind = kind;
        node.children = {std::move(left), std::move(right)};
        return node;
    }

    Node parseNot(int depth)
    {
        if (isKeyword(u"not")) {
            if (depth > kMaxDepth)
                error(u"expression nested too deeply"_s);
            advance();
            Node node;
            node.kind = Node::Kind::Not;
            node.children.append(parseNot(depth + 1));
            return node;
        }
        return parseComparison(depth);
    }

    Node parseComparison(int depth)
    {
        if (m_token.type == Token::Type::LParen) {
            if (depth > kMaxDepth)
                error(u"expression nested too deeply"_s);
            advance();
            Node inner = parseOr(depth + 1);
            if (m_token.type != Token::Type::RParen)
                error(u"')' expected, found %1"_s.arg(tokenText()));
            advance();
            return inner;
        }
        Node left = parseOperand();
        if (m_token.type == Token::Type::Op) {
            Node node;
            node.kind = Node::Kind::Compare;
            const QString op = m_token.text;
            node.op = op == u"="_s    ? Node::Op::Equal
                      : op == u"<>"_s ? Node::Op::NotEqual
                      : op == u"<"_s  ? Node::Op::Less
                      : op == u">"_s  ? Node::Op::Greater
                      : op == u"<="_s ? Node::Op::LessEqual
                                      : Node::Op::GreaterEqual;
            advance();
            node.children = {std::move(left), parseOperand()};
            return node;
        }
        if (isKeyword(u"like")) {
            advance();
            Node node;
            node.kind = Node::Kind::Like;
            node.children = {std::move(left), parseOperand()};
            return node;
        }
        return left;
    }

    Node parseOperand()
    {
        Node node;
        switch (m_token.type) {
        case Token::Type::Text:
            node.kind = Node::Kind::Literal;
            node.value = m_token.text;
            node.quoted = true;
            break;
        case Token::Type::Number:
            node.kind = Node::Kind::Literal;
            node.value = m_token.number;
            break;
        case Token::Type::Name:
            if (isKeyword(u"true") || isKeyword(u"false")) {
                node.kind = Node::Kind::Literal;
                node.value = isKeyword(u"true");
            } else if (isKeyword(u"and") || isKeyword(u"or") || isKeyword(u"not") || isKeyword(u"like")) {
                error(u"operand expected, found '%1'"_s.arg(m_token.text));
            } else {
                node.kind = Node::Kind::Field;
                node.name = m_token.text;
            }
            break;
        default:
            error(u"operand expected, found %1"_s.arg(tokenText()));
        }
        advance();
        return node;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
    Token m_token;
};

void collectFields(const FilterExpression::Node &node, QStringList &names)
{
    if (node.kind == FilterExpression::Node::Kind::Field && !names.contains(node.name, Qt::CaseInsensitive))
        names.append(node.name);
    for (const auto &child : node.children)
        collectFields(child, names);
}

} // namespace

std::shared_ptr<const FilterExpression> FilterExpression::parse(const QString &text)
{
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const FilterExpression>> cache;
    {
        QMutexLocker lock(&mutex);
        if (const auto it = cache.constFind(text); it != cache.cend())
            return *it;
    }
    std::shared_ptr<FilterExpression> expression(new FilterExpression);
    expression->m_text = text;
    if (!text.trimmed().isEmpty()) {
        Parser parser(text);
        expression->m_root = parser.parseAll();
    } else {
        expression->m_root.kind = Node::Kind::Literal;
        expression->m_root.value = true;
    }
    QMutexLocker lock(&mutex);
    if (cache.size() >= kCacheLimit)
        cache.clear();
    cache.insert(text, expression);
    return expression;
}

QStringList FilterExpression::fieldNames() const
{
    QStringList names;
    collectFields(m_root, names);
    return names;
}

QString FilterExpression::quote(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'\'', u"''"_s);
    return u'\'' + quoted + u'\'';
}
