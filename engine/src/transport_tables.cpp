#include "transport_tables.h"

#include "stored_float.h"
#include "uniform_random.h"

#include <cmath>

namespace {
constexpr float pi = 3.141592f;

// Each cell starts at the linear search's answer for the lower edge of the cell before it, so
// that a key anywhere in the cell (allowing for rounding in key * scale) starts at or before
// its own answer.
void buildSearchIndex(const float* values, std::int32_t first, std::int32_t last, double keyRange,
                      SearchIndex& index)
{
    index.scale = keyRange > 0 ? SearchIndex::cellCount / keyRange : 0.0;
    index.start[0] = static_cast<std::int16_t>(first);
    for (int cell = 1; cell <= SearchIndex::cellCount; ++cell) {
        const double edge = (cell - 1) / index.scale;
        std::int32_t k = first;
        while (k < last && values[k] <= edge) ++k;
        index.start[cell] = static_cast<std::int16_t>(index.scale > 0 ? k : first);
    }
}

} // namespace

TissueCoefficients interpolateTissueCoefficients(const TransportTables& t, float energy)
{
    // The first row from 2 upwards above E; an energy beyond the table extrapolates from its
    // last two rows rather than reading past them.
    const std::int32_t k = firstIndexAbove(t.energyKeV.data(), t.tissueRowCount, t.energySearch, energy);

    const float logE = stored(std::log(static_cast<double>(energy)));
    // The fraction's quotient as a product with the tabled reciprocal (within 4e-16 of it,
    // relatively); only a fraction too close to a rounding boundary is divided as written.
    const double fromRow = static_cast<double>(logE) - t.logEnergy[k - 1];
    const double approxF = fromRow * t.inverseLogEnergyStep[k];
    float f;
    if (!storedWithin(approxF, std::fabs(approxF) * 1e-14, f))
        f = stored(fromRow / t.logEnergyStep[k]);
    TissueCoefficients c;
    c.coherent = stored(std::exp(t.logCoherentStep[k] * f + t.logCoherent[k - 1]));
    c.incoherent = stored(std::exp(t.logIncoherentStep[k] * f + t.logIncoherent[k - 1]));
    c.photoelectric = stored(std::exp(t.logPhotoelectricStep[k] * f + t.logPhotoelectric[k - 1]));
    c.total = stored((static_cast<double>(c.incoherent) + c.coherent) + c.photoelectric);
    c.photoelectricShare = stored(static_cast<double>(c.photoelectric) / c.total);
    c.photoelectricCoherentShare =
        stored((static_cast<double>(c.coherent) + c.photoelectric) / c.total);
    return c;
}

void buildTransportTables(const InteractionData& data, TransportTables& t)
{
    t.tissueRowCount = data.tissueRowCount;
    for (int k = 1; k <= data.tissueRowCount && k <= InteractionData::tissueCapacity; ++k) {
        t.energyKeV[k] = data.energyKeV[k];
        t.logEnergy[k] = data.logEnergyKeV[k];
        t.logCoherent[k] = data.logCoherent[k];
        t.logIncoherent[k] = data.logIncoherent[k];
        t.logPhotoelectric[k] = data.logPhotoelectric[k];
        if (k >= 2) {
            t.logEnergyStep[k] = static_cast<double>(t.logEnergy[k]) - t.logEnergy[k - 1];
            t.inverseLogEnergyStep[k] = 1.0 / t.logEnergyStep[k];
            t.logCoherentStep[k] = static_cast<double>(t.logCoherent[k]) - t.logCoherent[k - 1];
            t.logIncoherentStep[k] =
                static_cast<double>(t.logIncoherent[k]) - t.logIncoherent[k - 1];
            t.logPhotoelectricStep[k] =
                static_cast<double>(t.logPhotoelectric[k]) - t.logPhotoelectric[k - 1];
        }
    }
    buildSearchIndex(t.energyKeV.data(), 2, t.tissueRowCount, 160.0, t.energySearch);
    for (int bin = 1; bin <= InteractionData::binCount; ++bin) {
        t.atBin[bin] = interpolateTissueCoefficients(t, stored(bin * 0.5));
        t.incoherentAtBin[bin] = incoherentConstants(stored(bin * 0.5));
    }

    for (int k = 1; k <= InteractionData::scatteringRowCount; ++k) {
        t.momentumTransfer[k] = data.momentumTransferGrid[k];
        t.coherentCumulative[k] = data.coherentCumulative[k];
        t.incoherentFunction[k] = data.incoherentFunction[k];
        if (k >= 2) {
            t.momentumTransferStep[k] = static_cast<double>(data.momentumTransferGrid[k]) -
                                        data.momentumTransferGrid[k - 1];
            t.coherentCumulativeStep[k] =
                static_cast<double>(data.coherentCumulative[k]) - data.coherentCumulative[k - 1];
            t.incoherentFunctionSlope[k] =
                (static_cast<double>(data.incoherentFunction[k]) - data.incoherentFunction[k - 1]) /
                t.momentumTransferStep[k];
        }
    }
    t.coherentCumulativeMax = data.coherentCumulativeMax;
    buildSearchIndex(t.momentumTransfer.data(), 2, InteractionData::scatteringRowCount, 10.0,
                     t.momentumTransferSearch);
    buildSearchIndex(t.coherentCumulative.data(), 2, InteractionData::scatteringRowCount,
                     t.coherentCumulativeMax, t.coherentCumulativeSearch);
    t.incoherentFunctionMax = data.incoherentFunctionMax;

    for (int v = 0; v < TransportTables::uniformCount; ++v) {
        const float u = uniformFromValue(v);
        t.logUniform[v] = std::log(static_cast<double>(u));
        const float azimuth = stored((static_cast<double>(u) * pi) * 2.0);
        t.azimuth[v].cos = stored(std::cos(static_cast<double>(azimuth)));
        t.azimuth[v].sin = stored(std::sin(static_cast<double>(azimuth)));
    }
}
