#include "commands.h"

#include "data/dataerror.h"
#include "data/datatable.h"

using namespace Qt::StringLiterals;

// halvanectl datapacket roundtrip IN OUT: loads IN with the panel's own engine (change log folded
// in, every column and row kept) and writes it to OUT in the form the panel writes.
int runDatapacketCommand(const QStringList &args, CommandIo io)
{
    if (args.size() != 3 || args.first() != u"roundtrip"_s) {
        io.err << "usage: halvanectl datapacket roundtrip IN OUT\n";
        return 2;
    }
    DataTable table(args.at(1));
    try {
        table.open(args.at(1));
    } catch (const DataError &e) {
        io.err << "halvanectl: cannot load " << args.at(1) << ": " << e.message() << '\n';
        return 1;
    }
    try {
        table.saveAs(args.at(2));
    } catch (const DataError &e) {
        io.err << "halvanectl: cannot save " << args.at(2) << ": " << e.message() << '\n';
        return 1;
    }
    io.out << args.at(1) << ": " << table.columnCount() << " columns, " << table.rowCount() << " rows -> "
           << args.at(2) << '\n';
    return 0;
}
