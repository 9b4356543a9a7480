// The text-family reply decoders, one receive tick's work each, on a typical reply and on 1024
// bytes of line noise (no marker: the whole reply is scanned). The baseline scans the same
// bytes for the family's marker and nothing else, the least any decoder must do. The tick
// comes every 50 ms at the fastest; a decoder should stay in the microseconds. Whole is the
// tick's look at whether the reply has all come, paid on every receive tick with a reply.
#include "RandomBytes.h"
#include "rig/CatCodec.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using qf::rig::CatDecoder;
using qf::rig::CatQueries;

struct Family {
    const char* name;
    std::vector<CatDecoder> decoders;  // run in order, as the tick does
    QByteArray typical;
    QByteArray marker;
    CatQueries queries;
};

std::vector<Family> families() {
    using namespace qf::rig;
    const CatQueries kenwood{QStringLiteral("FA;"), QStringLiteral("MD;")};
    return {
        {"Kenwood", {ParseKenwoodFreq, ParseKenwoodMode}, "FA00014074000;MD3;", "FA", kenwood},
        {"Kenwood2",
         {ParseKenwoodIF},
         "IF00014074000     +00000000000000020000;",
         "IF",
         CatQueries{QStringLiteral("IF;"), QString()}},
        {"FTdx9000",
         {ParseFTdx9000},
         "FA14074000;",
         "FA",
         CatQueries{QStringLiteral("FA;"), QStringLiteral("MD0;")}},
        {"Orion", {ParseOrionFreq, ParseOrionMode}, "@AF14074000\r@RMM3\r", "@AF", CatQueries{}},
    };
}

// 1024 bytes of every value but the markers' first letters, from a fixed seed.
QByteArray garbled() {
    QByteArray b = qf::bench::randomBytes(1024);
    for (char& c : b)
        if (c == 'F' || c == 'I' || c == 'M' || c == '@') c = '.';
    return b;
}

void Decode(benchmark::State& state, int family, bool noise) {
    const Family f = families()[static_cast<size_t>(family)];
    const QByteArray reply = noise ? garbled() : f.typical;
    for (auto _ : state) {
        for (CatDecoder d : f.decoders) benchmark::DoNotOptimize(d(reply, f.queries));
    }
    state.SetLabel(f.name);
}

void Baseline(benchmark::State& state, int family, bool noise) {
    const Family f = families()[static_cast<size_t>(family)];
    const QByteArray reply = noise ? garbled() : f.typical;
    for (auto _ : state) benchmark::DoNotOptimize(reply.indexOf(f.marker));
    state.SetLabel(f.name);
}

// The receive tick's test that the reply is whole, on what it holds as text: its conversion to
// bytes and a look at the end character, before any decoder runs.
void Whole(benchmark::State& state, int family, bool noise) {
    const Family f = families()[static_cast<size_t>(family)];
    const QString held = QString::fromLatin1(noise ? garbled() : f.typical);
    const qf::rig::ReplyShape shape{f.typical.back(), 0, 0};
    for (auto _ : state) benchmark::DoNotOptimize(qf::rig::ProgressOf(shape, held.toLatin1()));
    state.SetLabel(f.name);
}

void registerAll() {
    const char* names[] = {"Kenwood", "Kenwood2", "FTdx9000", "Orion"};
    for (int i = 0; i < 4; ++i) {
        for (bool noise : {false, true}) {
            const std::string tail = std::string(names[i]) + (noise ? "/garbled1024" : "/typical");
            benchmark::RegisterBenchmark(("Baseline_MarkerScan/" + tail).c_str(), Baseline, i,
                                         noise);
            benchmark::RegisterBenchmark(("Decode/" + tail).c_str(), Decode, i, noise);
            benchmark::RegisterBenchmark(("Whole/" + tail).c_str(), Whole, i, noise);
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
