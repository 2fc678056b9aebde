// Cost of loading a large project file and reading every key of it.
#include <profilefile.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSections = 100;
constexpr int kKeysPerSection = 100;

QString makeProject(const QTemporaryDir &dir)
{
    QByteArray text;
    for (int s = 0; s < kSections; ++s) {
        text += "[SECTION_" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < kKeysPerSection; ++k)
            text += QByteArray::number(1001 + k) + "=value " + QByteArray::number(s * k) + " \xB1\xE6\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("big.klv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

void BM_LoadAndReadEveryKey(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = makeProject(dir);
    QStringList sections, keys;
    for (int s = 0; s < kSections; ++s)
        sections.append(QStringLiteral("section_%1").arg(s)); // another letter case on purpose
    for (int k = 0; k < kKeysPerSection; ++k)
        keys.append(QString::number(1001 + k));

    for (auto _ : state) {
        const Platform::ProfileFile ini(path);
        qsizetype total = 0;
        for (const QString &section : sections) {
            for (const QString &key : keys)
                total += ini.readString(section, key, {}).size();
        }
        benchmark::DoNotOptimize(total);
    }
    const int keyCount = kSections * kKeysPerSection;
    state.SetItemsProcessed(state.iterations() * keyCount);
    // Seconds per key, shown by the library with a unit prefix.
    state.counters["per_key"] = benchmark::Counter(double(state.iterations()) * keyCount,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadAndReadEveryKey)->Unit(benchmark::kMillisecond);

void BM_WriteEveryKeyAndFlush(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("written.klv"));
    for (auto _ : state) {
        QFile::remove(path);
        Platform::ProfileFile ini(path);
        for (int s = 0; s < kSections; ++s) {
            const QString section = QStringLiteral("SECTION_%1").arg(s);
            for (int k = 0; k < kKeysPerSection; ++k)
                ini.writeInteger(section, QString::number(1001 + k), s * k);
        }
        ini.flush();
    }
    state.SetItemsProcessed(state.iterations() * kSections * kKeysPerSection);
}
BENCHMARK(BM_WriteEveryKeyAndFlush)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
