#pragma once

#include <QString>
#include <QStringList>

// The names of the 16 function codes, as the bus monitor shows them and the reaction table compares
// them. Built once from Functions.ini (section FunctionText, keys "0".."15") with the default names
// where the file or a key is missing; never written back.
class FunctionList
{
public:
    FunctionList();                                    // the default names
    explicit FunctionList(const QString &iniFileName); // Functions.ini, defaults filled in

    static QStringList defaultNames();

    // The name of a code; an empty text for a code outside 0..15.
    QString name(int code) const;
    const QStringList &names() const { return m_names; }
    int count() const { return int(m_names.size()); }

private:
    QStringList m_names;
};
