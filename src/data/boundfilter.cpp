#include "data/boundfilter.h"

#include "data/dataerror.h"
#include "data/datatable.h"

using namespace Qt::StringLiterals;

using Node = FilterExpression::Node;

struct BoundFilter::Op
{
    enum class Kind
    {
        Or,
        And,
        Not,
        Constant,
        IntCompare,   // integer/boolean column against a number
        TextCompare,  // text column against a text
        TextPrefix,   // text column = 'abc*'
        Like,         // column Like 'pattern'
        FieldCompare, // column against column
        Truth,        // a column read as a condition
    };
    Kind kind = Kind::Constant;
    Node::Op compare = Node::Op::Equal;
    int column = -1;
    int column2 = -1;
    bool constant = false;
    bool useReal = false;
    qint64 integer = 0;
    double real = 0;
    QString text;
    QList<std::shared_ptr<const Op>> children;
};

namespace {

using Op = BoundFilter::Op;

Node::Op mirrored(Node::Op op)
{
    switch (op) {
    case Node::Op::Less:
        return Node::Op::Greater;
    case Node::Op::Greater:
        return Node::Op::Less;
    case Node::Op::LessEqual:
        return Node::Op::GreaterEqual;
    case Node::Op::GreaterEqual:
        return Node::Op::LessEqual;
    default:
        return op;
    }
}

template<typename T> bool holds(Node::Op op, const T &a, const T &b)
{
    switch (op) {
    case Node::Op::Equal:
        return a == b;
    case Node::Op::NotEqual:
        return a != b;
    case Node::Op::Less:
        return a < b;
    case Node::Op::Greater:
        return a > b;
    case Node::Op::LessEqual:
        return a <= b;
    case Node::Op::GreaterEqual:
        return a >= b;
    }
    return false;
}

bool holdsOrder(Node::Op op, int order)
{
    return holds(op, order, 0);
}

// Like with % (any run) and _ (one character); iterative with one back-track point.
bool likeMatch(QStringView text, QStringView pattern, Qt::CaseSensitivity cs)
{
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    auto same = [cs](QChar a, QChar b) {
        return cs == Qt::CaseSensitive ? a == b : a.toCaseFolded() == b.toCaseFolded();
    };
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == u'_' || same(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

bool isIntegerColumn(const DataTable &table, int column)
{
    if (column < 0) {
        return false;
    }
    const ColumnType type = table.columns()[column].type;
    return type == ColumnType::I2 || type == ColumnType::I4 || type == ColumnType::Boolean;
}

bool isTextColumn(const DataTable &table, int column)
{
    return column <= -2 || !isIntegerColumn(table, column);
}

QString columnName(const DataTable &table, int column)
{
    return column >= 0 ? table.columns()[column].name : u"derived column"_s;
}

class Binder
{
public:
    Binder(const FilterExpression &expression, const DataTable &table, QList<int> &columns, bool &usesDerived)
        : m_expression(expression), m_table(table), m_columns(columns), m_usesDerived(usesDerived)
    {}

    std::shared_ptr<const Op> bind(const Node &node)
    {
        auto op = std::make_shared<Op>();
        switch (node.kind) {
        case Node::Kind::Or:
        case Node::Kind::And:
        case Node::Kind::Not:
            op->kind = node.kind == Node::Kind::Or    ? Op::Kind::Or
                       : node.kind == Node::Kind::And ? Op::Kind::And
                                                      : Op::Kind::Not;
            for (const Node &child : node.children)
                op->children.append(bind(child));
            return op;
        case Node::Kind::Literal:
            op->kind = Op::Kind::Constant;
            op->constant = node.value.typeId() == QMetaType::Bool ? node.value.toBool()
                                                                  : !node.value.toString().isEmpty();
            return op;
        case Node::Kind::Field:
            op->kind = Op::Kind::Truth;
            op->column = resolve(node.name);
            return op;
        case Node::Kind::Like:
            return bindLike(node);
        case Node::Kind::Compare:
            return bindCompare(node);
        }
        return op;
    }

private:
    [[noreturn]] void error(const QString &what) const
    {
        throw FilterError(u"filter \"%1\": %2"_s.arg(m_expression.text(), what));
    }

    int resolve(const QString &name)
    {
        const int index = m_table.fieldIndex(name);
        if (index == -1)
            error(u"unknown column '%1'"_s.arg(name));
        if (DataTable::isDerivedIndex(index))
            m_usesDerived = true;
        if (!m_columns.contains(index))
            m_columns.append(index);
        return index;
    }

    std::shared_ptr<const Op> bindLike(const Node &node)
    {
        const Node &left = node.children[0];
        const Node &right = node.children[1];
        if (left.kind != Node::Kind::Field || right.kind != Node::Kind::Literal)
            error(u"Like needs a column and a pattern"_s);
        auto op = std::make_shared<Op>();
        op->kind = Op::Kind::Like;
        op->column = resolve(left.name);
        op->text = right.value.toString();
        return op;
    }

    std::shared_ptr<const Op> bindCompare(const Node &node)
    {
        Node left = node.children[0];
        Node right = node.children[1];
        Node::Op cmp = node.op;
        if (left.kind == Node::Kind::Literal && right.kind == Node::Kind::Field) {
            std::swap(left, right);
            cmp = mirrored(cmp);
        }
        auto op = std::make_shared<Op>();
        op->compare = cmp;
        if (left.kind == Node::Kind::Field && right.kind == Node::Kind::Field) {
            op->kind = Op::Kind::FieldCompare;
            op->column = resolve(left.name);
            op->column2 = resolve(right.name);
            return op;
        }
        if (left.kind == Node::Kind::Literal && right.kind == Node::Kind::Literal) {
            op->kind = Op::Kind::Constant;
            const QVariant &a = left.value;
            const QVariant &b = right.value;
            const int order = QVariant::compare(a, b) == QPartialOrdering::Less      ? -1
                              : QVariant::compare(a, b) == QPartialOrdering::Greater ? 1
                                                                                     : 0;
            op->constant = holdsOrder(cmp, order);
            return op;
        }
        if (left.kind != Node::Kind::Field || right.kind != Node::Kind::Literal)
            error(u"a comparison needs a column and a value"_s);

        op->column = resolve(left.name);
        const QVariant &value = right.value;
        if (isIntegerColumn(m_table, op->column)) {
            op->kind = Op::Kind::IntCompare;
            if (value.typeId() == QMetaType::Bool) {
                op->integer = value.toBool() ? 1 : 0;
            } else if (value.typeId() == QMetaType::Double) {
                op->useReal = true;
                op->real = value.toDouble();
            } else if (value.typeId() == QMetaType::LongLong) {
                op->integer = value.toLongLong();
            } else {
                // A quoted value compared with an integer or boolean column is converted.
                const QString text = value.toString().trimmed();
                bool ok = false;
                op->integer = text.toLongLong(&ok);
                if (!ok && m_table.columns()[op->column].type == ColumnType::Boolean) {
                    if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0)
                        op->integer = 1, ok = true;
                    else if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0)
                        op->integer = 0, ok = true;
                }
                if (!ok) {
                    op->real = text.toDouble(&ok);
                    op->useReal = ok;
                }
                if (!ok)
                    error(u"'%1' is not a value for column %2"_s.arg(value.toString(),
                                                                     columnName(m_table, op->column)));
            }
            return op;
        }
        // Text column (or a derived one, compared as text).
        QString text =
            value.typeId() == QMetaType::Bool ? (value.toBool() ? u"True"_s : u"False"_s) : value.toString();
        if (right.quoted && (cmp == Node::Op::Equal || cmp == Node::Op::NotEqual) && text.endsWith(u'*')) {
            op->kind = Op::Kind::TextPrefix;
            text.chop(1);
        } else {
            op->kind = Op::Kind::TextCompare;
        }
        op->text = text;
        return op;
    }

    const FilterExpression &m_expression;
    const DataTable &m_table;
    QList<int> &m_columns;
    bool &m_usesDerived;
};

bool integerOf(const QVariant &value, qint64 &out)
{
    switch (value.typeId()) {
    case QMetaType::Int:
        out = value.toInt();
        return true;
    case QMetaType::Bool:
        out = value.toBool() ? 1 : 0;
        return true;
    case QMetaType::UnknownType:
        return false;
    default: {
        bool ok = false;
        out = value.toLongLong(&ok);
        return ok;
    }
    }
}

QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(value.constData());
    return value.toString();
}

// Three-valued, as in SQL: a comparison with a null value is unknown, `not unknown` is unknown,
// and only rows for which the whole filter is true are shown.
enum class Truth
{
    False,
    True,
    Unknown,
};

Truth truth(bool value)
{
    return value ? Truth::True : Truth::False;
}

Truth evaluate(const Op &op, const DataTable &table, int row, Qt::CaseSensitivity cs)
{
    switch (op.kind) {
    case Op::Kind::Or:
    case Op::Kind::And: {
        const Truth decisive = op.kind == Op::Kind::Or ? Truth::True : Truth::False;
        Truth result = op.kind == Op::Kind::Or ? Truth::False : Truth::True;
        for (const auto &child : op.children) {
            const Truth t = evaluate(*child, table, row, cs);
            if (t == decisive)
                return t;
            if (t == Truth::Unknown)
                result = Truth::Unknown;
        }
        return result;
    }
    case Op::Kind::Not: {
        const Truth t = evaluate(*op.children.first(), table, row, cs);
        return t == Truth::Unknown ? t : truth(t == Truth::False);
    }
    case Op::Kind::Constant:
        return truth(op.constant);
    case Op::Kind::IntCompare: {
        // Integer comparisons are only bound to stored columns.
        const QVariant &v = table.rowValues(row)[op.column];
        qint64 number = 0;
        if (!integerOf(v, number))
            return Truth::Unknown; // null equals nothing and differs from nothing
        return truth(op.useReal ? holds(op.compare, double(number), op.real)
                                : holds(op.compare, number, op.integer));
    }
    case Op::Kind::TextCompare:
    case Op::Kind::TextPrefix:
    case Op::Kind::Like: {
        const QVariant v = op.column >= 0 ? table.rowValues(row)[op.column] : table.value(row, op.column);
        if (!v.isValid())
            return Truth::Unknown;
        const QString text = textOf(v);
        if (op.kind == Op::Kind::Like)
            return truth(likeMatch(text, op.text, cs));
        if (op.kind == Op::Kind::TextPrefix) {
            const bool starts = text.startsWith(op.text, cs);
            return truth(op.compare == Node::Op::Equal ? starts : !starts);
        }
        return truth(holdsOrder(op.compare, QString::compare(text, op.text, cs)));
    }
    case Op::Kind::FieldCompare: {
        const QVariant a = table.value(row, op.column);
        const QVariant b = table.value(row, op.column2);
        if (!a.isValid() || !b.isValid())
            return Truth::Unknown;
        qint64 x = 0, y = 0;
        if (!isTextColumn(table, op.column) && !isTextColumn(table, op.column2) && integerOf(a, x) &&
            integerOf(b, y))
            return truth(holds(op.compare, x, y));
        return truth(holdsOrder(op.compare, QString::compare(textOf(a), textOf(b), cs)));
    }
    case Op::Kind::Truth: {
        const QVariant v = table.value(row, op.column);
        if (!v.isValid())
            return Truth::Unknown;
        if (v.typeId() == QMetaType::QString) {
            const QString t = textOf(v);
            return truth(t.compare(u"true"_s, Qt::CaseInsensitive) == 0 || t == u"1"_s);
        }
        return truth(v.toBool());
    }
    }
    return Truth::False;
}

} // namespace

std::shared_ptr<const BoundFilter> BoundFilter::bind(const FilterExpression &expression,
                                                     const DataTable &table)
{
    std::shared_ptr<BoundFilter> filter(new BoundFilter);
    Binder binder(expression, table, filter->m_columns, filter->m_usesDerived);
    filter->m_root = binder.bind(expression.root());

    // A conjunction of `integer column = whole number` can be answered by the equality index.
    QList<const Op *> terms;
    if (filter->m_root->kind == Op::Kind::And) {
        for (const auto &child : filter->m_root->children)
            terms.append(child.get());
    } else {
        terms.append(filter->m_root.get());
    }
    bool simple = true;
    for (const Op *term : terms) {
        simple = simple && term->kind == Op::Kind::IntCompare && term->compare == Node::Op::Equal &&
                 !term->useReal && term->column >= 0 && !filter->m_equalityColumns.contains(term->column);
        if (!simple)
            break;
        filter->m_equalityColumns.append(term->column);
        filter->m_equalityKey.append(term->integer);
    }
    if (!simple) {
        filter->m_equalityColumns.clear();
        filter->m_equalityKey.clear();
    }
    return filter;
}

bool BoundFilter::matches(const DataTable &table, int row, bool caseInsensitive) const
{
    if (row < 0 || row >= table.rowCount())
        return false;
    return evaluate(*m_root, table, row, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) ==
           Truth::True;
}
