#pragma once
// Quantities the transport would otherwise recompute in every flight although they depend only
// on the interaction tables, the energy bin or one of the generator's 16384 values. Each is
// computed by the same expression, from the same stored values, as the transport's own formula,
// so using them changes no bit of any result.

#include "interaction_data.h"
#include "uniform_random.h"

#include <array>
#include <cstdint>

// The tissue coefficients at one energy, as the transport stores them.
struct TissueCoefficients {
    float coherent = 0;      // per cm
    float incoherent = 0;    // per cm
    float photoelectric = 0; // per cm
    float total = 0;
    float photoelectricShare = 0;         // Ppe
    float photoelectricCoherentShare = 0; // Ppc
};

// The uniform number of generator value v, v / 16384.1 rounded to float. For every one of the
// 16384 values the product with the reciprocal rounds to the same float as the quotient (a
// test checks them all), and a product is quicker than a quotient.
inline float uniformFromValue(std::int32_t value)
{
    constexpr double inverseDivisor = 1.0 / static_cast<double>(UniformRandom::divisor);
    return static_cast<float>(static_cast<double>(value) * inverseDivisor);
}

// Starting points for the linear search "k = first; while values[k] <= key, k = k + 1" (bounded
// at last) on an ascending column: the key's cell in a uniform partition gives a row at or
// before the answer, so the search visits a row or two instead of up to 45, and still stops at
// exactly the same row.
struct SearchIndex {
    static constexpr int cellCount = 1024;
    double scale = 0; // cells per unit of the key
    std::array<std::int16_t, cellCount + 1> start{};
};

inline std::int32_t firstIndexAbove(const float* values, std::int32_t last,
                                    const SearchIndex& index, float key)
{
    const double scaled = static_cast<double>(key) * index.scale;
    int cell = 0;
    if (scaled >= 1.0) cell = scaled < SearchIndex::cellCount ? static_cast<int>(scaled) : SearchIndex::cellCount;
    std::int32_t k = index.start[cell];
    while (k < last && values[k] <= key) ++k;
    return k;
}

// What the incoherent sampling derives from the energy E alone, each by the sampling's own
// expression: Kahn's a = 511 / E and b, and the factors its formulas form from E and a.
struct IncoherentConstants {
    static constexpr double electronRestEnergy = 511.0; // keV
    static constexpr float hc = 12.4f;                  // keV * angstrom, as stored: 12.3999996

    double energy = 0;         // E
    float a = 0;               // 511 / E, stored
    float b = 0;               // (a + 2) / (9a + 2), stored
    double twoOverA = 0;       // 2 / a
    double inverseA = 0;       // 1 / a, for the cosine's g / a
    double restOverEnergy = 0; // 511 / E, in double
    double energyOverHc = 0;   // E / hc
    double energyOverRest = 0; // E / 511
};

inline IncoherentConstants incoherentConstants(float energy)
{
    IncoherentConstants k;
    k.energy = energy;
    k.a = static_cast<float>(IncoherentConstants::electronRestEnergy / k.energy);
    const double ad = k.a;
    k.b = static_cast<float>((ad + 2.0) / (ad * 9.0 + 2.0));
    k.twoOverA = 2.0 / ad;
    k.inverseA = 1.0 / ad;
    k.restOverEnergy = IncoherentConstants::electronRestEnergy / k.energy;
    k.energyOverHc = k.energy / IncoherentConstants::hc;
    k.energyOverRest = k.energy / IncoherentConstants::electronRestEnergy;
    return k;
}

struct TransportTables {
    static constexpr int uniformCount = 16384;

    // Tissue table: the stored logarithms of the four columns, and the differences between
    // neighbouring rows as the interpolation forms them (in double, from the stored logarithms).
    std::int32_t tissueRowCount = 0;
    std::array<float, InteractionData::tissueCapacity + 1> energyKeV{};
    SearchIndex energySearch;
    std::array<float, InteractionData::tissueCapacity + 1> logEnergy{};
    std::array<float, InteractionData::tissueCapacity + 1> logCoherent{};
    std::array<float, InteractionData::tissueCapacity + 1> logIncoherent{};
    std::array<float, InteractionData::tissueCapacity + 1> logPhotoelectric{};
    // Row k holds ln(row k) - ln(row k-1), k = 2..rows.
    std::array<double, InteractionData::tissueCapacity + 1> logEnergyStep{};
    std::array<double, InteractionData::tissueCapacity + 1> inverseLogEnergyStep{}; // 1 / step
    std::array<double, InteractionData::tissueCapacity + 1> logCoherentStep{};
    std::array<double, InteractionData::tissueCapacity + 1> logIncoherentStep{};
    std::array<double, InteractionData::tissueCapacity + 1> logPhotoelectricStep{};

    // The coefficients at each bin energy 0.5 * bin keV, bins 1..300.
    std::array<TissueCoefficients, InteractionData::binCount + 1> atBin{};
    // The incoherent sampling's constants at each bin energy: every primary photon's first
    // scatter happens there.
    std::array<IncoherentConstants, InteractionData::binCount + 1> incoherentAtBin{};

    // Scattering-function grid: X, C, S and, for k = 2..45, X(k) - X(k-1), C(k) - C(k-1) and
    // the slope (S(k) - S(k-1)) / (X(k) - X(k-1)), all as the sampling formulas form them.
    std::array<float, InteractionData::scatteringRowCount + 1> momentumTransfer{};
    std::array<float, InteractionData::scatteringRowCount + 1> coherentCumulative{};
    std::array<float, InteractionData::scatteringRowCount + 1> incoherentFunction{};
    std::array<double, InteractionData::scatteringRowCount + 1> momentumTransferStep{};
    std::array<double, InteractionData::scatteringRowCount + 1> coherentCumulativeStep{};
    std::array<double, InteractionData::scatteringRowCount + 1> incoherentFunctionSlope{};
    SearchIndex momentumTransferSearch;   // keys 0 to 10
    SearchIndex coherentCumulativeSearch; // keys 0 to coherentCumulativeMax
    float coherentCumulativeMax = 0;
    float incoherentFunctionMax = 0;

    // For each generator value v: ln of the uniform number v / 16384.1 (in double, as the step
    // length uses it), and cos and sin of the scattering azimuth (u * pi) * 2.0 as stored.
    std::array<double, uniformCount> logUniform{};
    struct Azimuth {
        float cos, sin; // side by side: one cache line per scatter
    };
    std::array<Azimuth, uniformCount> azimuth{};
};

// Fills `tables` from `data`; allocates nothing (the tables live where the caller put them).
void buildTransportTables(const InteractionData& data, TransportTables& tables);

// The log-log interpolation of the tissue coefficients at energy E (keV) in the transport's
// order of operations, from the first row above E.
TissueCoefficients interpolateTissueCoefficients(const TransportTables& tables, float energy);
