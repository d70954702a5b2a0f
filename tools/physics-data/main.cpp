// physics_data_generator [directory]: writes ICRUSoft.dat, AirMUtr.dat and Mus.dat from
// xraylib into the directory (default: the current one). Each file is written under a
// temporary name and renamed, so an interrupted run never leaves half a table behind.

#include "data_files.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& text)
{
    fs::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) throw std::runtime_error("cannot write " + temporary.string());
    }
    fs::rename(temporary, path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: physics_data_generator [output directory]\n";
        return 2;
    }
    const fs::path directory = argc == 2 ? fs::path(argv[1]) : fs::current_path();
    try {
        // Compute every table before writing any, so a failing xraylib call changes nothing.
        const std::string tissue = softTissueFileText();
        const std::string air = airEnergyTransferFileText();
        const std::string filter = filterAttenuationFileText();
        writeFile(directory / "ICRUSoft.dat", tissue);
        writeFile(directory / "AirMUtr.dat", air);
        writeFile(directory / "Mus.dat", filter);
    } catch (const std::exception& error) {
        std::cerr << "physics_data_generator: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
