#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class TempFolder {
public:
    TempFolder() {
        std::random_device device;
        std::mt19937_64 generator(device());
        const std::filesystem::path parent = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path candidate =
                parent / ("varnok-settings-" + std::to_string(generator()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
                path_ = candidate;
        }
        if (path_.empty())
            throw std::runtime_error("no temporary folder could be made");
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};
