#include "bin_tables.h"

#include "io_error.h"
#include "text_layout.h"

#include <cmath>
#include <vector>

namespace {

struct Field {
    int width;
    int decimals;
};

// Reads 300 records of `layout` and keeps field `kept` (0-based) of each.
BinValues readColumn(const std::string& fileName, const std::vector<Field>& layout, int kept,
                     const std::string& quantity)
{
    TextInput in(fileName);
    BinValues values{};
    for (int index = 0; index < binCount; ++index) {
        std::string what = quantity + " of bin " + std::to_string(index + 1);
        FixedRecord record(in, in.nextRecord(what));
        for (int f = 0; f <= kept; ++f) {
            float value = record.real(layout[f].width, layout[f].decimals, what);
            if (f == kept) values[index] = value;
        }
        if (!(values[index] > 0.0) || !std::isfinite(values[index]))
            throwReadError(fileName, in.lineNumber(), "a positive " + what);
    }
    return values;
}

} // namespace

BinValues readAluminiumAttenuation(const std::string& fileName)
{
    return readColumn(fileName, {{10, 3}, {13, 5}, {13, 5}}, 2,
                      "the aluminium attenuation coefficient (third field of E10.3,4E13.5)");
}

BinValues readAirEnergyTransfer(const std::string& fileName)
{
    return readColumn(fileName, {{9, 3}, {12, 4}}, 1,
                      "the air energy-transfer coefficient (second field of E9.3,E12.4)");
}
