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

// Everything about a photon that depends only on its stage and its first draw R1 (the fan
// angle): whether and where the ray enters, and its bowtie path.
struct FanRay {
    bool entersPhantom = false;
    float entryX = 0, entryZ = 0;
    float deltaX = 0, deltaZ = 0;  // entry point minus source
    double alongCentralRay = 0;    // the entry's distance from the source along the central ray
    float lateralOffset = 0;       // d = |tan(fan) * D|
    float excessPath = 0;          // filtration path beyond the central ray's
};
FanRay traceFanRay(const ScanStage& stage, float r1, const RunConditions& conditions);

// What depends only on the second draw R2 (the cone angle).
struct ConeRay {
    double tanCone = 0;
    float bodyAxisOffset = 0; // e = tan(cone) * D
};
ConeRay traceConeRay(float r2, const RunConditions& conditions);

// The bowtie transmission exp(-(excess * mu_f)).
float bowtieWeight(float excessPath, float filterAttenuation);

// The photon at the entry point of `fan`, offset along the body axis by `cone`.
void startPhoton(const FanRay& fan, const ConeRay& cone, float energy,
                 float weight, PhotonState& photon);

// Emits one photon of `energyBin` from `stage`: two draws, then geometry. Returns false when
// the ray misses the phantom (the draws stay used). A photon that enters and passes through
// the reference window adds to airKermaSum.
bool emitPhoton(const ScanStage& stage, std::int32_t energyBin, const RunConditions& conditions,
                const InteractionData& data, UniformRandom& random, float& airKermaSum,
                PhotonState& photon);

// Photons one stage emits in a bin: trunc(F(bin) * H / 9), at least 0.
std::int32_t photonsPerBin(float fluence, float historyCount);
