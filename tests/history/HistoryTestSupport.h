#pragma once
// Small helpers for the recorder tests: a scratch folder, bounded waits, file
// bytes and a hand-made day file.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "DayFileFormat.h"

namespace relvo7::test {

inline constexpr uint32_t kVersion = 31;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "relvo7-history-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> n;
        for (const auto& e : std::filesystem::directory_iterator(path_)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }

private:
    std::string path_;
};

// Polls `done` until it holds or `limit` passes (a guard against hangs, not a
// measure of speed). Returns whether it held.
inline bool eventually(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A day file image: header of `date` and one record per second from `first`.
inline std::vector<uint8_t> dayFileImage(const DayDate& date, int records, int firstSecondOfDay = 0,
                                         uint32_t version = kVersion) {
    const HeaderBytes h = encodeHeader(version, date);
    std::vector<uint8_t> out(h.begin(), h.end());
    for (int k = 0; k < records; ++k) {
        Sample s;
        const int t = firstSecondOfDay + k;
        s.hour = t / 3600;
        s.minute = t / 60 % 60;
        s.second = t % 60;
        s.connected = k % 2;
        s.alarms = 0x01020304u * static_cast<uint32_t>(k + 1);
        for (int i = 0; i < kDayFileValueCount; ++i) s.values[i] = (i - 24) * 1000 + k;
        const RecordBytes r = encodeRecord(s);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

} // namespace relvo7::test
