// The byte-family reply decoders, one receive tick's work each, on a typical reply and on 1024
// garbled bytes. The baseline counts the FD bytes of the same reply: one plain pass over it,
// the least a decoder that scans the whole reply (CI-V) must do. The tick comes every 50 ms at
// the fastest; a decoder should stay in the microseconds.
#include "RandomBytes.h"
#include "rig/CatCodec.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using qf::rig::CatDecoder;

struct Family {
    const char* name;
    CatDecoder decoder;
    QByteArray typical;
};

std::vector<Family> families() {
    using namespace qf::rig;
    const QByteArray block = QByteArray::fromHex("00001579A8000002555555555555555555");
    return {
        {"Yaesu", ParseYaesuFreqMode, QByteArray::fromHex("0140740002")},
        {"Yaesu890", ParseYaesu890, block},
        {"Yaesu990", ParseYaesu990, block},
        {"Yaesu1000", ParseYaesu1000, block},
        {"Yaesu920", ParseYaesu920, block},
        {"Yaesu757", ParseYaesu757, QByteArray::fromHex("0000000000007440010400000000000000")},
        {"IcomFreq", ParseIcomFreq, QByteArray::fromHex("FEFE64E003FDFEFEE064030040071400FD")},
        {"Icom735Freq", ParseIcom735Freq, QByteArray::fromHex("FEFE04E003FDFEFEE0040300400714FD")},
        {"IcomMode", ParseIcomMode, QByteArray::fromHex("FEFE64E004FDFEFEE064040301FD")},
        {"PanelFreq", ParseTenTecPanelFreq, QByteArray::fromHex("4100D6C0900D")},
        {"PanelMode", ParseTenTecPanelMode, QByteArray::fromHex("4D33330D")},
    };
}

// 1024 bytes of every value from a fixed seed, with a CI-V preamble and frequency command now
// and then so the scanner keeps entering frames that never complete.
QByteArray garbled() {
    QByteArray b = qf::bench::randomBytes(1024);
    for (int i = 0; i + 5 < b.size(); i += 97) b.replace(i, 5, QByteArray::fromHex("FEFEE06403"));
    return b;
}

void Decode(benchmark::State& state, int family, bool noise) {
    const Family f = families()[static_cast<size_t>(family)];
    const QByteArray reply = noise ? garbled() : f.typical;
    const qf::rig::CatQueries queries;
    for (auto _ : state) benchmark::DoNotOptimize(f.decoder(reply, queries));
    state.SetLabel(f.name);
}

void Baseline(benchmark::State& state, int family, bool noise) {
    const Family f = families()[static_cast<size_t>(family)];
    const QByteArray reply = noise ? garbled() : f.typical;
    for (auto _ : state) benchmark::DoNotOptimize(reply.count('\xFD'));
    state.SetLabel(f.name);
}

void registerAll() {
    const std::vector<Family> all = families();
    for (size_t i = 0; i < all.size(); ++i) {
        for (bool noise : {false, true}) {
            const std::string tail =
                std::string(all[i].name) + (noise ? "/garbled1024" : "/typical");
            benchmark::RegisterBenchmark(("Baseline_ByteScan/" + tail).c_str(), Baseline,
                                         static_cast<int>(i), noise);
            benchmark::RegisterBenchmark(("Decode/" + tail).c_str(), Decode, static_cast<int>(i),
                                         noise);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
