// Reading measurement rows: a column choice from the first text, the file
// from the rest. Every row found is two decimal numbers.

#include "FieldParsing.h"
#include "FuzzInput.h"
#include "RowInput.h"

#include <cstdlib>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::optional<ColumnChoice> columns = ParseColumnChoice(input.TakeText());
    const RowInput rows = ParseRowInput(input.Rest(), 19, columns);
    if (rows.rows.size() > 19)
        std::abort();
    for (const InputRow& row : rows.rows)
        if (DecimalPrefixLength(row.flowText) != row.flowText.size() || row.flowText.empty())
            std::abort();
    return 0;
}
