#pragma once

#include <QList>
#include <QString>

class TDataModuleKVX;

// What an installer must fix in a loaded project: actions and buttons that name a member that does
// not exist, button names that are empty, repeated on one screen or not identifiers, pictures
// outside the icon set, groups and addresses outside the bus's ranges, navigation pictures that
// are not numbers. Reads the tables without moving any cursor the panel uses.
namespace ProjectCheck {

struct Problem
{
    QString fileName; // "MTBut.xml"
    int row = 0;      // 1-based row in the file's stored order
    QString message;
};

QList<Problem> check(const TDataModuleKVX &dm);

// True for a name that can be a C-style identifier: a letter or '_' then letters, digits, '_'.
bool isIdentifier(const QString &name);

} // namespace ProjectCheck
