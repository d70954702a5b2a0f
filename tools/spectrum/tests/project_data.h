#pragma once
// The project's own data files, loaded once for all tests.

#include <unistd.h>
#include "bin_tables.h"
#include "tasmip_model.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string dataPath(const std::string& name)
{
    return std::string(ORVELL_SOURCE_DIR) + "/data/" + name;
}

inline const TasmipTable& projectTasmipTable()
{
    static const TasmipTable table = readTasmipTable(dataPath("tasmip-coefficients.csv"));
    return table;
}

inline const BinValues& projectAluminium()
{
    static const BinValues mu = readAluminiumAttenuation(dataPath("Mus.dat"));
    return mu;
}

inline const BinValues& projectAirEnergyTransfer()
{
    static const BinValues muTr = readAirEnergyTransfer(dataPath("AirMUtr.dat"));
    return muTr;
}

// A file in the temporary directory, removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("spectrum_tests_" + std::to_string(::getpid()) + "_" + name))
    {
    }
    ScratchFile(const std::string& name, const std::string& text) : ScratchFile(name)
    {
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        std::filesystem::remove(path_.string() + ".tmp", ignored);
    }
    std::string path() const { return path_.string(); }
    std::string text() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::filesystem::path path_;
};

// The message of the exception `action` throws, or "no error".
template <typename Action> std::string errorOf(Action action)
{
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}
