// Reading a configuration file on the user-interface thread: a normal one,
// and the worst 1 MB files a server could send (flat, deep, attribute-laden).

#include "UAdConfig.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray Normal()
{
    QByteArray xml = "<Root><Parameter><AdWidth Value=\"688\"/><AdHeight Value=\"446\"/>"
                     "<StartPlayInterval Value=\"5\"/><MaxPalyNum Value=\"0\"/><AdInterval Value=\"30\"/>"
                     "<CountHttp Value=\"\"/></Parameter><HttpList Count=\"10\">";
    for (int i = 0; i < 10; ++i)
        xml += "<Ad Value=\"https://ads.example/" + QByteArray::number(i) + ".html\" Title=\"咕噜猫广告\"/>";
    return xml + "</HttpList></Root>";
}

QByteArray Filled(const QByteArray &head, const QByteArray &unit, const QByteArray &tail)
{
    QByteArray xml = head;
    while (xml.size() + unit.size() + tail.size() <= kMaxAdConfigBytes)
        xml += unit;
    return xml + tail;
}

void Read(benchmark::State &state, const QByteArray &xml)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAdConfig(xml, false));
    state.SetBytesProcessed(state.iterations() * xml.size());
}

void BM_Normal(benchmark::State &state) { Read(state, Normal()); }
void BM_FlatMegabyte(benchmark::State &state)
{
    Read(state, Filled("<Root><Parameter/><HttpList Count=\"100\">", "<a x=\"1\" y=\"2\"/>", "</HttpList></Root>"));
}
void BM_DeepMegabyte(benchmark::State &state) { Read(state, Filled("<Root>", "<a>", "")); }
void BM_AttributeMegabyte(benchmark::State &state)
{
    QByteArray xml = "<Root";
    for (int i = 0; xml.size() < kMaxAdConfigBytes - 20; ++i)
        xml += " a" + QByteArray::number(i) + "=\"1\"";
    Read(state, xml + "/>");
}

BENCHMARK(BM_Normal);
BENCHMARK(BM_FlatMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AttributeMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
