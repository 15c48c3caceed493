#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An INI file with the semantics of Windows private-profile files, so that kvx.ini files written by
// earlier panels keep working:
//  - section and key names are compared without regard to case;
//  - every read goes to the file (nothing is cached), every write updates the file at once;
//  - a write changes that one value in place and keeps every other line, comment and the order;
//  - a missing file, section or key gives the caller's default; so does an integer that does not
//    parse;
//  - booleans are written "1"/"0" and read as integers (non-zero is true);
//  - texts are returned as written (surrounding blanks trimmed, as Windows does).
// Writes go through a temporary file and an atomic rename. A UTF-8 byte-order mark is tolerated
// and kept; files that are not valid UTF-8 are read and written as Windows-1252.
class IniFile
{
public:
    explicit IniFile(QString fileName);

    const QString &fileName() const { return m_fileName; }
    bool exists() const;

    // The raw value, or nothing when the file, section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // False when the file could not be written; the file is then unchanged.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);

    // Sections and keys in file order, as spelled in the file.
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Integer text as Windows programs accept it: optional sign, decimal digits, or "$"/"0x" with
    // hexadecimal digits; surrounding blanks ignored; must fit 32 bits.
    static std::optional<int> parseInteger(const QString &text);

private:
    struct Content;
    Content load() const;

    QString m_fileName;
};
