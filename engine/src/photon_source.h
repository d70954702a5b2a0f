#pragma once
// The scan: nine tube positions, the energy bins of the spectrum, and the photons each emits:
// direction in the fan and half-cone, entry point on the phantom, bowtie weight and the
// air-kerma reference at the rotation centre.

#include "photon_state.h"

#include <cstdint>
#include <iosfwd>

struct EngineState;
struct RunConditions;
struct InteractionData;
struct UniformRandom;

// Runs the nine stages, printing one progress line at the start of every energy bin, and
// transports every photon that enters the phantom.
void runStages(EngineState& state, std::ostream& out);

// One tube position: the angle (degrees as stored first, then radians) and the focal spot.
struct ScanStage {
    float tubeAngleDegrees = 0;
    float tubeAngle = 0; // radians, from -z towards +x
    float sourceX = 0;
    float sourceZ = 0;
};

ScanStage makeStage(std::int32_t stageIndex, float sourceAxisDistance);

// The phantom's cross-section as the entry search uses it.
struct PhantomSection {
    float halfFlatLength = 0; // A
    float radius = 0;         // B
    float flatLength = 0;     // a = 2A, as read
};

// Where the axial ray from (sourceX, sourceZ) with angle alpha and slope t = tan(alpha) first
// meets the phantom. Returns false when it misses (also for a slope of exactly 0).
bool findEntryPoint(float sourceX, float sourceZ, float alpha, float slope,
                    const PhantomSection& phantom, float& entryX, float& entryZ);

// The filtration path at lateral offset d (at the rotation-centre distance), interpolated in
// the profile; beyond the last point the last point's thickness.
float bowtiePath(const RunConditions& conditions, float lateralOffset);

// Emits one photon of `energyBin` from `stage`: two draws, then geometry. Returns false when
// the ray misses the phantom (the draws stay used). A photon that enters and passes through
// the reference window adds to airKermaSum.
bool emitPhoton(const ScanStage& stage, std::int32_t energyBin, const RunConditions& conditions,
                const InteractionData& data, UniformRandom& random, float& airKermaSum,
                PhotonState& photon);

// Photons one stage emits in a bin: trunc(F(bin) * H / 9), at least 0.
std::int32_t photonsPerBin(float fluence, float historyCount);
