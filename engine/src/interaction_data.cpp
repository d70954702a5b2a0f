#include "interaction_data.h"

#include "io_error.h"
#include "text_layout.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The highest photon energy of a run (bin 300) must lie inside the tissue table.
constexpr float highestPhotonEnergyKeV = 150.0f;
// The transport looks up the incoherent function below this momentum transfer.
constexpr float incoherentLookupLimit = 10.0f;

float toFloat(double value) { return static_cast<float>(value); }
float logOf(float value) { return toFloat(std::log(static_cast<double>(value))); }

std::string shown(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// A coefficient that is zero, negative or infinite would break the logarithms or the
// probabilities of the transport.
void requirePositive(const TextInput& in, float value, const std::string& what)
{
    if (!(std::isfinite(value) && value > 0.0f))
        throwReadError(in.fileName(), in.lineNumber(),
                       what + " as a positive number, found " + shown(value));
}

std::string rowName(const char* table, int row, int rows)
{
    return std::string(table) + " " + std::to_string(row) + " of " + std::to_string(rows);
}

void readTissueRows(InteractionData& data, TextInput& in)
{
    const int rows = data.tissueRowCount;
    for (int i = 1; i <= rows; ++i) {
        const std::string row = rowName("tissue row", i, rows);
        FixedRecord record(in, in.nextRecord(row + " (E9.3,3E10.3)"));
        float energyMeV = record.real(9, 3, row + " energy in MeV (E9.3)");
        data.energyKeV[i] = toFloat(static_cast<double>(energyMeV) * 1000.0);
        data.coherent[i] = record.real(10, 3, row + " coherent coefficient (E10.3)");
        data.incoherent[i] = record.real(10, 3, row + " incoherent coefficient (E10.3)");
        data.photoelectric[i] = record.real(10, 3, row + " photoelectric coefficient (E10.3)");

        requirePositive(in, data.energyKeV[i], row + " energy");
        requirePositive(in, data.coherent[i], row + " coherent coefficient");
        requirePositive(in, data.incoherent[i], row + " incoherent coefficient");
        requirePositive(in, data.photoelectric[i], row + " photoelectric coefficient");
        if (i > 1 && !(data.energyKeV[i] > data.energyKeV[i - 1]))
            throwReadError(in.fileName(), in.lineNumber(),
                           row + " energy above the previous " + shown(data.energyKeV[i - 1]) +
                               " keV, found " + shown(data.energyKeV[i]) + " keV");
    }
    if (!(data.energyKeV[rows] > highestPhotonEnergyKeV))
        throwReadError(in.fileName(), in.lineNumber(),
                       "a last tissue energy above 150 keV, found " +
                           shown(data.energyKeV[rows]) + " keV");
}

void readScatteringRows(InteractionData& data, TextInput& in)
{
    constexpr int rows = InteractionData::scatteringRowCount;
    for (int i = 1; i <= rows; ++i) {
        const std::string row = rowName("scattering-function row", i, rows);
        FixedRecord record(in, in.nextRecord(row + " (E10.3,2E12.5)"));
        data.momentumTransferGrid[i] = record.real(10, 3, row + " momentum transfer (E10.3)");
        data.coherentCumulative[i] = record.real(12, 5, row + " coherent cumulative (E12.5)");
        data.incoherentFunction[i] = record.real(12, 5, row + " incoherent function (E12.5)");

        const float x = data.momentumTransferGrid[i];
        if (i == 1 ? !(x >= 0.0f) : !(x > data.momentumTransferGrid[i - 1]))
            throwReadError(in.fileName(), in.lineNumber(),
                           row + " momentum transfer " +
                               (i == 1 ? std::string("of at least 0")
                                       : "above the previous " +
                                             shown(data.momentumTransferGrid[i - 1])) +
                               ", found " + shown(x));
        const float c = data.coherentCumulative[i];
        if (i == 1 ? !(c >= 0.0f) : !(c >= data.coherentCumulative[i - 1]))
            throwReadError(in.fileName(), in.lineNumber(),
                           row + " coherent cumulative " +
                               (i == 1 ? std::string("of at least 0")
                                       : "not below the previous " +
                                             shown(data.coherentCumulative[i - 1])) +
                               ", found " + shown(c));
        if (!(data.incoherentFunction[i] >= 0.0f && std::isfinite(data.incoherentFunction[i])))
            throwReadError(in.fileName(), in.lineNumber(),
                           row + " incoherent function of at least 0, found " +
                               shown(data.incoherentFunction[i]));
    }
    if (!(data.momentumTransferGrid[rows] >= incoherentLookupLimit))
        throwReadError(in.fileName(), in.lineNumber(),
                       "a last momentum transfer of at least 10, found " +
                           shown(data.momentumTransferGrid[rows]));
    requirePositive(in, data.coherentCumulative[rows], "the last coherent cumulative");
    requirePositive(in, data.incoherentFunction[rows], "the last incoherent function");
}

} // namespace

void loadSoftTissueTable(InteractionData& data, const std::string& fileName)
{
    {
        TextInput in(fileName);
        data.tissueRowCount = in.readFreeInteger("the number of tissue rows");
        if (data.tissueRowCount < 2 || data.tissueRowCount > InteractionData::tissueCapacity)
            throwReadError(fileName, in.lineNumber(),
                           "a number of tissue rows from 2 to 35, found " +
                               std::to_string(data.tissueRowCount));
        data.tissueHeaderValue = in.readFreeReal("the header value");
        readTissueRows(data, in);
        readScatteringRows(data, in);
    }
    data.incoherentFunctionMax = data.incoherentFunction[InteractionData::scatteringRowCount];
    data.coherentCumulativeMax = data.coherentCumulative[InteractionData::scatteringRowCount];

    computeTissueLogarithms(data);
}

void loadAirEnergyTransfer(InteractionData& data, const std::string& fileName)
{
    TextInput in(fileName);
    for (int i = 1; i <= InteractionData::binCount; ++i) {
        const std::string row = rowName("air record", i, InteractionData::binCount);
        FixedRecord record(in, in.nextRecord(row + " (E9.3,E12.4)"));
        record.real(9, 3, row + " energy (E9.3)"); // the bin's energy is 0.5 i keV
        data.airEnergyTransfer[i] = record.real(12, 4, row + " energy-transfer coefficient (E12.4)");
        requirePositive(in, data.airEnergyTransfer[i], row + " energy-transfer coefficient");
    }
}

void loadFilterAttenuation(InteractionData& data, const std::string& fileName)
{
    TextInput in(fileName);
    for (int i = 1; i <= InteractionData::binCount; ++i) {
        const std::string row = rowName("filter record", i, InteractionData::binCount);
        FixedRecord record(in, in.nextRecord(row + " (E10.3,4E13.5)"));
        record.real(10, 3, row + " energy (E10.3)"); // the bin's energy is 0.5 i keV
        record.real(13, 5, row + " second field (E13.5)");
        data.filterAttenuation[i] = record.real(13, 5, row + " attenuation coefficient (E13.5)");
        record.real(13, 5, row + " fourth field (E13.5)");
        record.real(13, 5, row + " fifth field (E13.5)");
        requirePositive(in, data.filterAttenuation[i], row + " attenuation coefficient");
    }
}

void computeTissueLogarithms(InteractionData& data)
{
    for (int i = 1; i <= data.tissueRowCount; ++i) {
        data.logEnergyKeV[i] = logOf(data.energyKeV[i]);
        data.logCoherent[i] = logOf(data.coherent[i]);
        data.logIncoherent[i] = logOf(data.incoherent[i]);
        data.logPhotoelectric[i] = logOf(data.photoelectric[i]);
    }
}

void loadInteractionData(InteractionData& data)
{
    loadSoftTissueTable(data, "ICRUSoft.dat");
    loadAirEnergyTransfer(data, "AirMUtr.dat");
    loadFilterAttenuation(data, "Mus.dat");
}
