#include "platform/inifile.h"

#include "platform/logging.h"
#include "platform/windows1252.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

// The file as lines, plus what is needed to write it back byte for byte where it is not changed.
struct IniFile::Content
{
    QStringList lines;
    bool exists = false;
    bool bom = false;
    bool ansi = false; // Windows-1252 rather than UTF-8
    QString eol = u"\n"_s;
    bool finalNewline = true;
};

namespace {

QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isSectionLine(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.indexOf(u']') > 0;
}

bool isComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

// The key of a "key=value" line, or an empty text when the line holds none.
QString keyOf(const QString &line)
{
    if (isComment(line) || isSectionLine(line))
        return {};
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return {};
    return line.left(eq).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)) {}

bool IniFile::exists() const
{
    return QFile::exists(m_fileName);
}

IniFile::Content IniFile::load() const
{
    Content content;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return content;
    QByteArray bytes = file.readAll();
    content.exists = true;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        content.bom = true;
        bytes.remove(0, 3);
    }
    QString text;
    if (Windows1252::isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes);
    } else {
        content.ansi = true;
        text = Windows1252::decode(bytes);
    }
    if (text.contains(u"\r\n"_s))
        content.eol = u"\r\n"_s;
    text.replace(u"\r\n"_s, u"\n"_s);
    content.finalNewline = text.isEmpty() || text.endsWith(u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (!text.isEmpty())
        content.lines = text.split(u'\n');
    for (QString &line : content.lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return content;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Content content = load();
    bool inSection = false;
    for (const QString &line : content.lines) {
        if (isSectionLine(line)) {
            inSection = sameName(sectionName(line), section);
            continue;
        }
        if (!inSection)
            continue;
        const QString k = keyOf(line);
        if (!k.isEmpty() && sameName(k, key))
            return line.mid(line.indexOf(u'=') + 1).trimmed();
    }
    return std::nullopt;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

std::optional<int> IniFile::parseInteger(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t.startsWith(u'-');
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(u"0x"_s, Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty())
        return std::nullopt;
    for (const QChar ch : t) {
        const bool digit = base == 10 ? ch.isDigit() && ch.unicode() < 128
                                      : QStringView(u"0123456789abcdefABCDEF").contains(ch);
        if (!digit)
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong magnitude = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFLL) // hexadecimal wraps like a Windows integer
        return static_cast<int>(static_cast<quint32>(magnitude));
    const qlonglong v = negative ? -magnitude : magnitude;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto raw = value(section, key);
    if (!raw)
        return defaultValue;
    return parseInteger(*raw).value_or(defaultValue);
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Content content = load();
    QStringList &lines = content.lines;

    qsizetype sectionLine = -1;
    qsizetype lastInSection = -1; // last key or comment line of the section
    qsizetype keyLine = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (isSectionLine(line)) {
            if (inSection)
                break; // the first matching section is the one Windows uses
            inSection = sameName(sectionName(line), section);
            if (inSection) {
                sectionLine = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!line.trimmed().isEmpty())
            lastInSection = i;
        const QString k = keyOf(line);
        if (!k.isEmpty() && sameName(k, key)) {
            keyLine = i;
            break;
        }
    }

    if (keyLine >= 0) {
        const QString &line = lines.at(keyLine);
        lines[keyLine] = line.left(line.indexOf(u'=') + 1) + value;
    } else if (sectionLine >= 0) {
        lines.insert(lastInSection + 1, key + u'=' + value);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section + u']');
        lines.append(key + u'=' + value);
    }

    QString text = lines.join(content.eol);
    if (content.finalNewline || !content.exists)
        text += content.eol;
    QByteArray bytes = content.ansi ? Windows1252::encode(text) : text.toUtf8();
    if (content.bom)
        bytes.prepend("\xEF\xBB\xBF");

    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCWarning(lcPlatform) << "cannot write" << m_fileName << file.errorString();
        return false;
    }
    return true;
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? u"1"_s : u"0"_s);
}

QStringList IniFile::sections() const
{
    QStringList result;
    for (const QString &line : load().lines) {
        if (isSectionLine(line))
            result.append(sectionName(line));
    }
    return result;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList result;
    bool inSection = false;
    for (const QString &line : load().lines) {
        if (isSectionLine(line)) {
            inSection = sameName(sectionName(line), section);
            continue;
        }
        if (!inSection)
            continue;
        const QString k = keyOf(line);
        if (!k.isEmpty())
            result.append(k);
    }
    return result;
}
