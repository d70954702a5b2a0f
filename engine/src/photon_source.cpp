#include "photon_source.h"

#include "deposit_buffer.h"
#include "engine_state.h"
#include "photon_transport.h"
#include "run_sequence.h"
#include "stored_float.h"
#include "transport_tables.h"

#include <array>
#include <cmath>
#include <limits>
#include <ostream>

namespace {

constexpr float pi = 3.141592f;
constexpr int stageCount = 9;
constexpr int firstEmittedBin = 10;
constexpr double referenceWindowHalfWidth = 0.5; // cm at the rotation centre, in x and in y

// The tables live in static storage: built once per run, before the first photon.
TransportTables transportTables;

// The rounded-end quadratic of the ray z = x/t - K, for the end at x = +A (right) or -A.
bool endEntry(bool rightEnd, bool upperRoot, double slope, float k, const PhantomSection& phantom,
              float& entryX, float& entryZ)
{
    const double a = phantom.halfFlatLength, b = phantom.radius, kd = k;
    const float qa = stored(1.0 / (slope * slope) + 1.0);
    const float qc = stored((a * a - b * b) + kd * kd);
    const double flat = phantom.flatLength;
    const float qb = rightEnd ? stored(-(kd * (2.0 / slope) + flat)) : stored(flat - kd * (2.0 / slope));
    const double qbd = qb, qad = qa;
    const float disc = stored(qbd * qbd - (static_cast<double>(qc) * qad) * 4.0);
    if (!(disc > 0.0f)) return false;
    const double root = std::sqrt(static_cast<double>(disc));
    entryX = upperRoot ? stored((root + (-qbd)) / (qad * 2.0)) : stored((-qbd - root) / (qad * 2.0));
    entryZ = stored(static_cast<double>(entryX) / slope - kd);
    return true;
}

// The entry point's distance from the source along the central ray (the projection of its
// offset from the source onto the direction towards the rotation centre), in double.
inline double alongCentralRay(float entryX, float entryZ, double sx, double sz, double d)
{
    return ((entryX - sx) * (-sx) + (entryZ - sz) * (-sz)) / d;
}

} // namespace

ScanStage makeStage(std::int32_t stageIndex, float sourceAxisDistance)
{
    ScanStage stage;
    stage.tubeAngleDegrees = stored(stageIndex * 10.0 - 5.0);
    stage.tubeAngle = stored((static_cast<double>(stage.tubeAngleDegrees) * pi) / 180.0);
    const double theta = stage.tubeAngle, d = sourceAxisDistance;
    stage.sourceX = stored(std::sin(theta) * d);
    stage.sourceZ = stored(-(std::cos(theta) * d));
    return stage;
}

bool findEntryPoint(float sourceX, float sourceZ, float alpha, float slope,
                    const PhantomSection& phantom, float& entryX, float& entryZ)
{
    // A ray parallel to z has no line z = x/t - K; it is taken as a miss.
    if (slope == 0.0f) return false;
    const double t = slope, sx = sourceX, sz = sourceZ;
    const float k = stored(sx / t + (-sz));
    const float a = phantom.halfFlatLength, b = phantom.radius;

    // Case A: the source is level with or above the bottom face; the ray meets the right end.
    if (!(-b > sourceZ)) return endEntry(true, true, t, k, phantom, entryX, entryZ);

    // Case B: the source is below the bottom face.
    if (!(-(pi * 0.5) < alpha)) return false;
    const float bottomX = stored(((-static_cast<double>(b) - sz) + sx / t) * t);
    if (!(-a > bottomX) && !(bottomX > a)) {
        entryX = bottomX;
        entryZ = -b;
        return true;
    }
    if (bottomX < -a) return endEntry(false, true, t, k, phantom, entryX, entryZ);
    return endEntry(true, !(alpha >= 0.0f), t, k, phantom, entryX, entryZ);
}

float bowtiePath(const RunConditions& c, float lateralOffset)
{
    const std::int32_t last = c.filterPointCount + 2;
    std::int32_t k = 1;
    while (k < last && c.filterDistance[k] < lateralOffset) ++k;
    // Beyond the profile's last point the filtration stays at its last thickness.
    if (c.filterDistance[k] < lateralOffset) return c.filterThickness[last];
    const double previousDistance = k == 1 ? 0.0 : c.filterDistance[k - 1];
    const double previousThickness = k == 1 ? 0.0 : c.filterThickness[k - 1];
    // Only an offset of exactly 0 with a first point at 0 meets a zero-width interval.
    if (static_cast<double>(c.filterDistance[k]) == previousDistance) return c.filterThickness[k];
    return stored(((c.filterThickness[k] - previousThickness) * (lateralOffset - previousDistance)) /
                      (c.filterDistance[k] - previousDistance) +
                  previousThickness);
}

std::int32_t photonsPerBin(float fluence, float historyCount)
{
    const double n = (static_cast<double>(fluence) * historyCount) / 9.0;
    if (!(n > 0.0)) return 0;
    if (n >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(n);
}

FanRay traceFanRay(const ScanStage& stage, float r1, const RunConditions& c)
{
    FanRay ray;
    const float fan = stored((static_cast<double>(r1) - 0.5) * c.fullFanAngle);
    const float alpha = stored(-static_cast<double>(stage.tubeAngle) + fan);
    const float slope = stored(std::tan(static_cast<double>(alpha)));
    const PhantomSection phantom{c.phantomHalfFlatLength, c.phantomRadius, c.phantomFlatLength};
    ray.entersPhantom =
        findEntryPoint(stage.sourceX, stage.sourceZ, alpha, slope, phantom, ray.entryX, ray.entryZ);
    if (!ray.entersPhantom) return ray;

    const double sx = stage.sourceX, sz = stage.sourceZ, d = c.sourceAxisDistance;
    ray.alongCentralRay = alongCentralRay(ray.entryX, ray.entryZ, sx, sz, d);
    ray.deltaX = stored(ray.entryX - sx);
    ray.deltaZ = stored(ray.entryZ - sz);
    ray.lateralOffset = stored(std::fabs(std::tan(static_cast<double>(fan)) * d));
    ray.excessPath =
        stored(static_cast<double>(bowtiePath(c, ray.lateralOffset)) - c.filterThickness[1]);
    return ray;
}

ConeRay traceConeRay(float r2, const RunConditions& c)
{
    ConeRay ray;
    const float cone = stored(static_cast<double>(r2) * c.halfConeAngle);
    ray.tanCone = std::tan(static_cast<double>(cone));
    ray.bodyAxisOffset = stored(ray.tanCone * c.sourceAxisDistance);
    return ray;
}

float bowtieWeight(float excessPath, float filterAttenuation)
{
    return stored(std::exp(-(static_cast<double>(excessPath) * filterAttenuation)));
}

void startPhoton(const FanRay& fan, const ConeRay& cone, float energy,
                 float weight, PhotonState& photon)
{
    // Body-axis offset: tan(cone) times the entry point's distance from the source along the
    // central ray, so every ray meets the rotation-centre plane at tan(cone) * D.
    const float y0 = stored(cone.tanCone * fan.alongCentralRay);
    const float dy = stored(static_cast<double>(y0) - 0.0);
    const double dxd = fan.deltaX, dyd = dy, dzd = fan.deltaZ;
    const float rhoXY = stored(std::sqrt(dyd * dyd + dxd * dxd));
    const float rho = stored(std::sqrt((dyd * dyd + dzd * dzd) + dxd * dxd));
    photon.x = fan.entryX;
    photon.y = y0;
    photon.z = fan.entryZ;
    photon.cosTheta = stored(dzd / rho);
    photon.sinTheta = stored(rhoXY / static_cast<double>(rho));
    if (rhoXY == 0.0f) {
        // Along z: no azimuth; the first flight ends such a history by the stuck test.
        photon.cosPhi = 1.0f;
        photon.sinPhi = 0.0f;
    } else {
        photon.cosPhi = stored(dxd / rhoXY);
        photon.sinPhi = stored(dyd / rhoXY);
    }
    photon.photonEnergy = energy;
    photon.photonWeight = weight;
    photon.doseComponent = 1;
}

namespace {

inline bool inReferenceWindow(const FanRay& fan, const ConeRay& cone)
{
    return fan.lateralOffset <= referenceWindowHalfWidth &&
           cone.bodyAxisOffset <= referenceWindowHalfWidth;
}

inline void scoreAirKerma(float& airKermaSum, float airEnergyTransfer, float energy, float weight)
{
    airKermaSum = stored((static_cast<double>(airEnergyTransfer) * energy) * weight + airKermaSum);
}

} // namespace

bool emitPhoton(const ScanStage& stage, std::int32_t energyBin, const RunConditions& c,
                const InteractionData& data, UniformRandom& random, float& airKermaSum,
                PhotonState& photon)
{
    const float energy = stored(energyBin * 0.5);
    const float r1 = random.nextUniform();
    const float r2 = random.nextUniform();
    const FanRay fan = traceFanRay(stage, r1, c);
    if (!fan.entersPhantom) return false;
    const ConeRay cone = traceConeRay(r2, c);
    const float weight = bowtieWeight(fan.excessPath, data.filterAttenuation[energyBin]);
    startPhoton(fan, cone, energy, weight, photon);
    if (inReferenceWindow(fan, cone))
        scoreAirKerma(airKermaSum, data.airEnergyTransfer[energyBin], energy, weight);
    return true;
}

namespace {

// The loop's own copy of the emission: R1 and R2 each take one of 16384 values, so the fan
// rays of a stage, the cone rays of the run and the bowtie weights of a bin are computed once
// per value, by the same functions emitPhoton calls. An entry is packed into 16 bytes: the
// table is read at random, once per photon, and should stay in the near caches.
struct alignas(16) FanEntry {
    float entryX, entryZ;
    float weight;              // for the bin of weightStamp
    std::uint16_t weightStamp; // stage and bin, counted from 1
    bool entersPhantom;
    bool inLateralWindow;      // d <= 0.5
};
static_assert(sizeof(FanEntry) == 16);

struct EmissionTables {
    static constexpr int valueCount = UniformRandom::modulus;
    std::array<FanEntry, valueCount> fans;
    std::array<float, valueCount> excessPath;
    std::array<double, valueCount> tanCone;
    std::array<bool, valueCount> inBodyAxisWindow; // e <= 0.5
};

EmissionTables emissionTables;
DepositBuffer depositBuffer;

} // namespace

void runStages(EngineState& state, std::ostream& out)
{
    const RunConditions& c = state.conditions;
    buildTransportTables(state.data, transportTables);
    EmissionTables& tables = emissionTables;
    for (int v = 0; v < EmissionTables::valueCount; ++v) {
        const ConeRay cone = traceConeRay(uniformFromValue(v), c);
        tables.tanCone[v] = cone.tanCone;
        tables.inBodyAxisWindow[v] = cone.bodyAxisOffset <= referenceWindowHalfWidth;
    }
    std::uint16_t stamp = 0; // at most 9 x 291 bins

    depositBuffer.count = 0;
    TransportContext context{transportTables, state.random, state.dose, c.phantomHalfFlatLength,
                             c.phantomRadius, c.phantomHalfLength, &depositBuffer,
                             reinterpret_cast<const char*>(tables.fans.data())};
    UniformRandom& random = state.random;
    PhotonState photon;
    for (std::int32_t stageIndex = 1; stageIndex <= stageCount; ++stageIndex) {
        const ScanStage stage = makeStage(stageIndex, c.sourceAxisDistance);
        for (int v = 0; v < EmissionTables::valueCount; ++v) {
            const FanRay fan = traceFanRay(stage, uniformFromValue(v), c);
            FanEntry& entry = tables.fans[v];
            entry.entersPhantom = fan.entersPhantom;
            entry.entryX = fan.entryX;
            entry.entryZ = fan.entryZ;
            tables.excessPath[v] = fan.excessPath;
            entry.inLateralWindow = fan.lateralOffset <= referenceWindowHalfWidth;
            entry.weightStamp = 0;
        }
        const double sx = stage.sourceX, sz = stage.sourceZ, d = c.sourceAxisDistance;
        for (std::int32_t bin = firstEmittedBin; bin <= c.topEnergyBin; ++bin) {
            out << progressLine(stageIndex, bin, c.topEnergyBin) << '\n';
            const std::int32_t count = photonsPerBin(c.spectrumFluence[bin], c.historyCount);
            const float energy = stored(bin * 0.5);
            const float filterAttenuation = state.data.filterAttenuation[bin];
            const float airEnergyTransfer = state.data.airEnergyTransfer[bin];
            ++stamp;
            for (std::int32_t i = 0; i < count; ++i) {
                const std::int32_t v1 = random.nextValue();
                const std::int32_t v2 = random.nextValue();
                __builtin_prefetch(&transportTables.logUniform[upcomingValue(random)]);
                FanEntry& entry = tables.fans[v1];
                if (!entry.entersPhantom) continue;
                if (entry.weightStamp != stamp) {
                    entry.weight = bowtieWeight(tables.excessPath[v1], filterAttenuation);
                    entry.weightStamp = stamp;
                }
                FanRay fan;
                fan.entryX = entry.entryX;
                fan.entryZ = entry.entryZ;
                fan.deltaX = stored(entry.entryX - sx);
                fan.deltaZ = stored(entry.entryZ - sz);
                fan.alongCentralRay = alongCentralRay(entry.entryX, entry.entryZ, sx, sz, d);
                ConeRay cone;
                cone.tanCone = tables.tanCone[v2];
                startPhoton(fan, cone, energy, entry.weight, photon);
                if (entry.inLateralWindow && tables.inBodyAxisWindow[v2])
                    scoreAirKerma(state.airKermaSum, airEnergyTransfer, energy, entry.weight);
                transportPhoton(photon, context);
            }
        }
    }
    depositBuffer.flushInto(state.dose);
    out.flush();
}
