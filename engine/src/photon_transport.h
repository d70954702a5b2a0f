#pragma once
// One photon's history in the phantom: flights, photoelectric absorption, coherent and
// incoherent scattering, until it is absorbed, escapes, gets stuck or falls below 5 keV.

#include "deposit_buffer.h"
#include "dose_grid.h"
#include "photon_state.h"
#include "transport_tables.h"
#include "uniform_random.h"

#include <cmath>

// What a history reads and writes besides its own state.
struct TransportContext {
    const TransportTables& tables;
    UniformRandom& random;
    DoseGrid& dose;
    float phantomHalfFlatLength; // A
    float phantomRadius;         // B
    float phantomHalfLength;     // along y
    // When set, deposits are held here and reach `dose` when it is flushed (same sums).
    DepositBuffer* deposits = nullptr;
    // When set, the caller's 16-byte-per-value table of the next photon's first draw, fetched
    // ahead at each flight.
    const char* upcomingPhotonTable = nullptr;
};

// The escape test of a flight's end point, in its order: the end faces, the flat faces, the
// straight part, then the rounded ends. Points on the surface are inside.
inline bool insidePhantom(float x, float y, float z, float halfFlatLength, float radius,
                          float halfLength)
{
    if (std::fabs(y) > halfLength) return false;
    if (std::fabs(z) > radius) return false;
    const double ax = std::fabs(static_cast<double>(x));
    if (ax <= halfFlatLength) return true;
    const double fromEnd = ax - halfFlatLength;
    const double zd = z;
    return std::sqrt(fromEnd * fromEnd + zd * zd) <= radius;
}

// The value the generator will return next, without drawing it: the history loop uses it to
// fetch the step table's entry ahead of the flight that will draw it.
inline std::int32_t upcomingValue(const UniformRandom& random)
{
    return (random.table[random.indexShort] + random.table[random.indexLong]) &
           (UniformRandom::modulus - 1);
}

// Runs the history of `photon` to its end, scoring its deposits into context.dose.
void transportPhoton(PhotonState& photon, TransportContext& context);

// The tissue coefficients at E: from the per-bin table at a bin energy, else interpolated.
TissueCoefficients lookupCoefficients(const TransportTables& tables, float energy);

struct IncoherentScatter {
    float cosAngle = 1;
    float sinAngle = 0;
    float scatteredEnergy = 0; // keV
};

// Kahn's method for the Klein-Nishina distribution with a rejection by the incoherent
// scattering function below a momentum transfer of 10 per angstrom.
IncoherentScatter sampleIncoherent(const TransportTables& tables, UniformRandom& random,
                                   float energy);
// The same from the constants of the photon's energy (tabled at the bin energies).
IncoherentScatter sampleIncoherent(const TransportTables& tables, UniformRandom& random,
                                   const IncoherentConstants& constants);

struct CoherentScatter {
    float cosAngle = 1;
    float sinAngle = 0;
};

// Inversion of the cumulative coherent distribution with a (1 + cos^2)/2 rejection.
CoherentScatter sampleCoherent(const TransportTables& tables, UniformRandom& random, float energy);

// Turns the stored direction by the scattering angle (cos, sin) and the azimuth given by its
// stored cosine and sine.
void rotateDirection(PhotonState& photon, float cosAngle, float sinAngle, float cosAzimuth,
                     float sinAzimuth);
