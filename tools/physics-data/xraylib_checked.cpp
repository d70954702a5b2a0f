#include "xraylib_checked.h"

#include <xraylib.h>

#include <stdexcept>
#include <string>

namespace {

// Calls one xraylib function and throws with xraylib's own message when it reports an error.
template <typename Function, typename... Arguments>
double checked(const char* what, Function function, Arguments... arguments)
{
    xrl_error* error = nullptr;
    double value = function(arguments..., &error);
    if (error != nullptr) {
        std::string message = std::string("xraylib ") + what + ": " + error->message;
        xrl_error_free(error);
        throw std::runtime_error(message);
    }
    return value;
}

} // namespace

Material nistMaterial(int compoundIndex)
{
    xrl_error* error = nullptr;
    compoundDataNIST* data = GetCompoundDataNISTByIndex(compoundIndex, &error);
    if (data == nullptr) {
        std::string message = "xraylib has no NIST compound " + std::to_string(compoundIndex);
        if (error != nullptr) {
            message += std::string(": ") + error->message;
            xrl_error_free(error);
        }
        throw std::runtime_error(message);
    }
    Material material{data->name, data->density, {}};
    for (int i = 0; i < data->nElements; ++i)
        material.elements.push_back({data->Elements[i], data->massFractions[i]});
    FreeCompoundDataNIST(data);
    return material;
}

Material elementMaterial(int atomicNumber, double density)
{
    return {"Z=" + std::to_string(atomicNumber), density, {{atomicNumber, 1.0}}};
}

double photoelectricCrossSection(int atomicNumber, double energyKeV)
{
    return checked("CS_Photo", CS_Photo, atomicNumber, energyKeV);
}

double coherentCrossSection(int atomicNumber, double energyKeV)
{
    return checked("CS_Rayl", CS_Rayl, atomicNumber, energyKeV);
}

double incoherentCrossSection(int atomicNumber, double energyKeV)
{
    return checked("CS_Compt", CS_Compt, atomicNumber, energyKeV);
}

double kleinNishinaDifferentialCrossSection(double energyKeV, double theta)
{
    return checked("DCS_KN", DCS_KN, energyKeV, theta);
}

double fluorescenceEscapeCrossSection(int atomicNumber, double energyKeV)
{
    double sum = 0.0;
    // Line codes KL1 (-1) to L3Q1 (-113) are all K and L lines. A line that an element does
    // not have, or whose shell this energy cannot ionise, is reported as an error: it adds 0.
    for (int line = KL1_LINE; line >= L3Q1_LINE; --line) {
        xrl_error* error = nullptr;
        double crossSection = CS_FluorLine_Kissel_Cascade(atomicNumber, line, energyKeV, &error);
        if (error != nullptr) {
            xrl_error_free(error);
            continue;
        }
        if (crossSection <= 0.0) continue;
        double lineEnergy = checked("LineEnergy", LineEnergy, atomicNumber, line);
        sum += crossSection * lineEnergy / energyKeV;
    }
    return sum;
}

double atomicWeight(int atomicNumber)
{
    return checked("AtomicWeight", AtomicWeight, atomicNumber);
}

double atomicFormFactor(int atomicNumber, double momentumTransfer)
{
    return checked("FF_Rayl", FF_Rayl, atomicNumber, momentumTransfer);
}

double incoherentScatteringFunction(int atomicNumber, double momentumTransfer)
{
    constexpr double firstTabulated = 0.001;
    if (momentumTransfer <= 0.0) return 0.0;
    if (momentumTransfer < firstTabulated) {
        double ratio = momentumTransfer / firstTabulated;
        return checked("SF_Compt", SF_Compt, atomicNumber, firstTabulated) * ratio * ratio;
    }
    return checked("SF_Compt", SF_Compt, atomicNumber, momentumTransfer);
}

double avogadroPerBarn() { return AVOGNUM; }
