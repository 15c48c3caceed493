// Any filter text: a FilterError or a filter that evaluates every row, never a crash or a hang.
#include "data/dataerror.h"
#include "data/datatable.h"
#include "data/dataview.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<DataTable> makeTable()
{
    auto table = std::make_shared<DataTable>(u"fuzz"_s);
    table->createEmpty({DataColumn::declared(u"Name"_s, ColumnType::String, 20),
                        DataColumn::declared(u"Address"_s, ColumnType::I4),
                        DataColumn::declared(u"Group"_s, ColumnType::I4),
                        DataColumn::declared(u"On_Off"_s, ColumnType::Boolean),
                        DataColumn::declared(u"Version"_s, ColumnType::String, 20)});
    table->addDerivedColumn(u"AName"_s, [](const DataTable &t, int row) { return t.value(row, 0); });
    const QVariant names[] = {u"B1"_s, u"it's"_s, QString(), QVariant(), u"TSM_1"_s};
    for (int i = 0; i < 10; ++i) {
        const int row = table->appendRow();
        table->setValue(row, 0, names[i % 5]);
        if (i % 4 != 3)
            table->setValue(row, 1, i * 3);
        table->setValue(row, 2, i % 3);
        table->setValue(row, 3, i % 2 == 0);
        table->setValue(row, 4, names[(i + 2) % 5]);
    }
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::shared_ptr<DataTable> table = makeTable();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    DataView view(u"view"_s);
    view.attach(table);
    for (bool caseInsensitive : {false, true}) {
        view.setFilterCaseInsensitive(caseInsensitive);
        try {
            view.setFilter(text);
        } catch (const DatasetError &) {
            return 0;
        }
        int count = 0;
        for (view.first(); !view.eof(); view.next())
            ++count;
        if (count != view.recordCount())
            __builtin_trap();
    }
    return 0;
}
