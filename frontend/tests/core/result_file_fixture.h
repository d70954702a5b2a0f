#pragma once
// Result files on disk for the core tests: the texts of result_file_text.h in a scratch
// directory per test.

#include <unistd.h>
#include "result_file_text.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace result_fixture {

// A scratch directory per test, removed afterwards.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("orvell-") + std::to_string(::getpid()) + "-" +
                           info->test_suite_name() + "-" + info->name();
        for (char& c : name) {
            c = c == '/' ? '_' : c;
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(path_); }

    std::string write(const std::string& name, const std::string& contents) const
    {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << contents;
        return file.string();
    }

private:
    std::filesystem::path path_;
};

} // namespace result_fixture
