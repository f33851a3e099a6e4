// Build and decode costs of the codec. The MX reply is the one captured from knotd for the
// tests (tests/dns/data/replies/mx.reply.hex); the 512-byte reply is 30 A records.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "dns/query_builder.h"
#include "dns/reply_bytes.h"
#include "texts/reply_format.h"

namespace {

using namespace quillet::dns;

std::vector<std::uint8_t> CapturedMxReply() {
    std::ifstream in(std::string(QUILLET_DNS_TEST_DATA_DIR) + "/replies/mx.reply.hex");
    std::string hex;
    in >> hex;
    ReplyBytes store;
    if (hex.empty() || store.Assign(hex)) throw std::runtime_error("mx.reply.hex not found");
    return {store.Bytes().begin(), store.Bytes().end()};
}

// Header, a question name of 16 bytes, 30 A records: 512 bytes.
std::vector<std::uint8_t> Reply512() {
    std::vector<std::uint8_t> w;
    w.reserve(512);
    const auto put = [&w](std::initializer_list<std::uint8_t> bytes) {
        for (const std::uint8_t b : bytes) w.push_back(b);
    };
    put({0, 0, 0x81, 0x80, 0, 1, 0, 30, 0, 0, 0, 0});
    put({14});
    for (int i = 0; i < 14; ++i) put({'q'});
    put({0, 0, 1, 0, 1});
    for (std::uint8_t i = 0; i < 30; ++i) {
        put({0xC0, 0x0C, 0, 1, 0, 1, 0, 0, 0x0E, 0x10, 0, 4, 10, 0, 0, i});
    }
    if (w.size() != 512) throw std::logic_error("512-byte reply is not 512 bytes");
    return w;
}

void BM_BuildDNSQuery(benchmark::State& state) {
    for (auto _ : state) {
        BuiltQuery q = BuildDNSQuery("www.example.com", RecordType::kMX);
        benchmark::DoNotOptimize(q);
    }
}
BENCHMARK(BM_BuildDNSQuery);

void BM_ReplyText(benchmark::State& state, std::vector<std::uint8_t> (*make)()) {
    const auto datagram = make();
    for (auto _ : state) {
        std::string text = ReplyText(datagram);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(datagram.size()));
}
BENCHMARK_CAPTURE(BM_ReplyText, mx_127_bytes, CapturedMxReply);
BENCHMARK_CAPTURE(BM_ReplyText, a_512_bytes, Reply512);

void BM_DecodeDNSAnswer(benchmark::State& state, std::vector<std::uint8_t> (*make)()) {
    const std::string text = ReplyText(make());
    ReplyBytes store;
    for (auto _ : state) {
        quillet::texts::DecodeResult r = quillet::texts::DecodeDNSAnswer(text, store);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() / 2));
}
BENCHMARK_CAPTURE(BM_DecodeDNSAnswer, mx_127_bytes, CapturedMxReply);
BENCHMARK_CAPTURE(BM_DecodeDNSAnswer, a_512_bytes, Reply512);

}  // namespace

BENCHMARK_MAIN();
