#include "beam_quality.h"

#include <cmath>

double meanEnergyKeV(const BinValues& fluence)
{
    double photons = 0;
    double energy = 0;
    for (int bin = 0; bin < binCount; ++bin) {
        photons += fluence[bin];
        energy += fluence[bin] * binEnergyKeV(bin);
    }
    return energy / photons;
}

double airKerma(const BinValues& fluence, const BinValues& aluminiumPerCm,
                const BinValues& airEnergyTransfer, double aluminiumMm)
{
    double kerma = 0;
    for (int bin = 0; bin < binCount; ++bin)
        kerma += fluence[bin] * binEnergyKeV(bin) * airEnergyTransfer[bin] *
                 std::exp(-aluminiumPerCm[bin] * 0.1 * aluminiumMm);
    return kerma;
}

double aluminiumForKermaFraction(const BinValues& fluence, const BinValues& aluminiumPerCm,
                                 const BinValues& airEnergyTransfer, double fraction)
{
    const double target = fraction * airKerma(fluence, aluminiumPerCm, airEnergyTransfer, 0.0);
    double thin = 0.0;
    double thick = 1.0;
    while (airKerma(fluence, aluminiumPerCm, airEnergyTransfer, thick) > target) thick *= 2.0;
    while (thick - thin > 1e-7) {
        double middle = 0.5 * (thin + thick);
        if (airKerma(fluence, aluminiumPerCm, airEnergyTransfer, middle) > target) thin = middle;
        else thick = middle;
    }
    return 0.5 * (thin + thick);
}

HalfValueLayers halfValueLayers(const BinValues& fluence, const BinValues& aluminiumPerCm,
                                const BinValues& airEnergyTransfer)
{
    double half = aluminiumForKermaFraction(fluence, aluminiumPerCm, airEnergyTransfer, 0.5);
    double quarter = aluminiumForKermaFraction(fluence, aluminiumPerCm, airEnergyTransfer, 0.25);
    return {half, quarter - half};
}
