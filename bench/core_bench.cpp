#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/bitmap24.h"
#include "core/ini_file.h"
#include "core/luminance.h"

namespace {

// Every row of a 2000 x 2000 picture through Luminance, as the grey-scale
// operation walks it.
void BM_LuminanceRows(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    kelbo::Bitmap24 picture(side, side);
    for (int y = 0; y < side; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int i = 0; i < side * 3; ++i) row[i] = static_cast<std::uint8_t>((i * 7 + y * 13) & 0xFF);
    }
    for (auto _ : state) {
        unsigned sum = 0;
        for (int y = 0; y < side; ++y) {
            const std::uint8_t* p = picture.Row(y);
            for (int x = 0; x < side; ++x, p += 3) sum += kelbo::Luminance(p[2], p[1], p[0]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_LuminanceRows)->Arg(2000)->Unit(benchmark::kMillisecond);

// A settings file of the program's size: about 60 keys in 9 sections, with
// Slovak text, parsed and read back key by key.
std::string SettingsText() {
    std::string text = "; kelbo settings\r\n";
    for (int section = 0; section < 9; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 7; ++key) {
            text += "Key" + std::to_string(key) + "=Hodnota \xE8\xED\x9Alo " + std::to_string(key) + "\r\n";
        }
    }
    return text;
}

void BM_IniParseAndRead(benchmark::State& state) {
    const std::string text = SettingsText();
    for (auto _ : state) {
        const kelbo::IniFile ini = kelbo::IniFile::Parse(text);
        int found = 0;
        for (int section = 0; section < 9; ++section) {
            for (int key = 0; key < 7; ++key) {
                found += ini.HasKey("section" + std::to_string(section), "KEY" + std::to_string(key));
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_IniParseAndRead);

// The same file read from disk, as at program start.
void BM_IniLoadFile(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kelbo-bench-settings.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << SettingsText();
    }
    for (auto _ : state) {
        const kelbo::IniFile ini(path);
        benchmark::DoNotOptimize(ini.ReadInteger("Section8", "Key6", 0));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniLoadFile);

}  // namespace
