#pragma once
// Beam-quality figures of a spectrum on the 300 bins: the fluence-weighted mean energy and
// the aluminium thicknesses that reduce the air kerma (fluence x E x mu_tr/rho of air) to a
// given fraction.

#include "energy_bins.h"

double meanEnergyKeV(const BinValues& fluence);

// The air kerma of `fluence` behind `aluminiumMm` of aluminium, in arbitrary units.
double airKerma(const BinValues& fluence, const BinValues& aluminiumPerCm,
                const BinValues& airEnergyTransfer, double aluminiumMm);

// The aluminium thickness (mm) that leaves `fraction` (0 to 1) of the air kerma, found by
// bisection to better than 1e-6 mm.
double aluminiumForKermaFraction(const BinValues& fluence, const BinValues& aluminiumPerCm,
                                 const BinValues& airEnergyTransfer, double fraction);

struct HalfValueLayers {
    double firstMm;
    double secondMm;
};

HalfValueLayers halfValueLayers(const BinValues& fluence, const BinValues& aluminiumPerCm,
                                const BinValues& airEnergyTransfer);
