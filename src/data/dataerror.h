#pragma once

#include <QString>

#include <exception>

// Errors of the table engine. Two kinds matter to callers of the project load:
// - DatasetError: the table's content is wrong (malformed XML, a value that does not fit its
//   column, an unknown column in a filter). Loading the project catches it per table: the table
//   stays closed and the others load.
// - DataFileError: the file itself cannot be read or written (missing folder, no permission, a
//   locked file). Nobody on the way catches it: it goes to the caller.
class DataError : public std::exception
{
public:
    explicit DataError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

class DatasetError : public DataError
{
public:
    using DataError::DataError;
};

// A filter text that does not parse or names a column the table does not have. The view keeps
// the filter it had.
class FilterError : public DatasetError
{
public:
    using DatasetError::DatasetError;
};

class DataFileError : public DataError
{
public:
    using DataError::DataError;
};
