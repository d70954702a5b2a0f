#include "photon_source.h"

#include "engine_state.h"
#include "photon_transport.h"
#include "run_sequence.h"
#include "stored_float.h"
#include "transport_tables.h"

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

bool emitPhoton(const ScanStage& stage, std::int32_t energyBin, const RunConditions& c,
                const InteractionData& data, UniformRandom& random, float& airKermaSum,
                PhotonState& photon)
{
    const float energy = stored(energyBin * 0.5);
    const float r1 = random.nextUniform();
    const float r2 = random.nextUniform();
    const float fan = stored((static_cast<double>(r1) - 0.5) * c.fullFanAngle);
    const float cone = stored(static_cast<double>(r2) * c.halfConeAngle);
    const float alpha = stored(-static_cast<double>(stage.tubeAngle) + fan);
    const float slope = stored(std::tan(static_cast<double>(alpha)));

    const PhantomSection phantom{c.phantomHalfFlatLength, c.phantomRadius, c.phantomFlatLength};
    float x0, z0;
    if (!findEntryPoint(stage.sourceX, stage.sourceZ, alpha, slope, phantom, x0, z0)) return false;

    // Body-axis offset: tan(cone) times the entry point's distance from the source along the
    // central ray, so every ray meets the rotation-centre plane at tan(cone) * D.
    const double sx = stage.sourceX, sz = stage.sourceZ, d = c.sourceAxisDistance;
    const double tanCone = std::tan(static_cast<double>(cone));
    const double alongCentralRay = ((x0 - sx) * (-sx) + (z0 - sz) * (-sz)) / d;
    const float y0 = stored(tanCone * alongCentralRay);

    const float dx = stored(x0 - sx);
    const float dy = stored(static_cast<double>(y0) - 0.0);
    const float dz = stored(z0 - sz);
    const double dxd = dx, dyd = dy, dzd = dz;
    const float rhoXY = stored(std::sqrt(dyd * dyd + dxd * dxd));
    const float rho = stored(std::sqrt((dyd * dyd + dzd * dzd) + dxd * dxd));
    photon.x = x0;
    photon.y = y0;
    photon.z = z0;
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

    const float lateralOffset = stored(std::fabs(std::tan(static_cast<double>(fan)) * d));
    const float bodyAxisOffset = stored(tanCone * d);
    const float excess = stored(static_cast<double>(bowtiePath(c, lateralOffset)) - c.filterThickness[1]);
    const float weight =
        stored(std::exp(-(static_cast<double>(excess) * data.filterAttenuation[energyBin])));

    if (lateralOffset <= referenceWindowHalfWidth && bodyAxisOffset <= referenceWindowHalfWidth)
        airKermaSum = stored((static_cast<double>(data.airEnergyTransfer[energyBin]) * energy) * weight +
                             airKermaSum);

    photon.photonEnergy = energy;
    photon.photonWeight = weight;
    photon.doseComponent = 1;
    return true;
}

void runStages(EngineState& state, std::ostream& out)
{
    const RunConditions& c = state.conditions;
    buildTransportTables(state.data, transportTables);
    TransportContext context{transportTables, state.random, state.dose, c.phantomHalfFlatLength,
                             c.phantomRadius, c.phantomHalfLength};
    PhotonState photon;
    for (std::int32_t stageIndex = 1; stageIndex <= stageCount; ++stageIndex) {
        const ScanStage stage = makeStage(stageIndex, c.sourceAxisDistance);
        for (std::int32_t bin = firstEmittedBin; bin <= c.topEnergyBin; ++bin) {
            out << progressLine(stageIndex, bin, c.topEnergyBin) << '\n';
            const std::int32_t count = photonsPerBin(c.spectrumFluence[bin], c.historyCount);
            for (std::int32_t i = 0; i < count; ++i) {
                if (emitPhoton(stage, bin, c, state.data, state.random, state.airKermaSum, photon))
                    transportPhoton(photon, context);
            }
        }
    }
    out.flush();
}
