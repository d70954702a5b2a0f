#pragma once
// One photon history: position, direction, energy, weight and the dose component it scores to.

#include <cstdint>

struct PhotonState {
    float x = 0, y = 0, z = 0; // cm
    // Direction (sin T cos P, sin T sin P, cos T): T the polar angle from +z, P the azimuth in
    // the x-y plane from +x towards +y. The four numbers are kept as stored, never re-normalised.
    float cosTheta = 1, sinTheta = 0, cosPhi = 1, sinPhi = 0;
    float photonEnergy = 0; // keV
    float photonWeight = 1; // bowtie transmission relative to the central ray
    std::int32_t doseComponent = 1; // 1 until the first scatter, then 2
};
