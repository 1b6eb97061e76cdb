// Cost of the profile routines on large stores: N profiles numbered up to 32,000 with gaps.
#include "controls/Slider.h"
#include "profiles/ProfileStore.h"
#include "profiles/SettingsStore.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr qint64 lastIndex = 32000;

// The saved controls at their places in the fixed order; everything else a plain object.
class Inputs
{
public:
    Inputs()
    {
        for (int i = 0; i <= 66; ++i)
            order.append(make(i));
    }
    ~Inputs() { qDeleteAll(order); }
    QList<QObject*> order;

private:
    QObject* make(int i)
    {
        const int slider = i >= 14 && i <= 17 ? i - 10 : i == 30 || i == 31 ? i - 28 : 0;
        if (slider) {
            auto* s = new Slider;
            s->setObjectName(QStringLiteral("Slider%1").arg(slider));
            s->setMax(300);
            s->setMin(1);
            s->setValue(i);
            return s;
        }
        if (i == 27 || i == 28) {
            auto* o = new QRadioButton;
            o->setObjectName(QStringLiteral("Option1"));
            o->setChecked(i == 28);
            m_sex.addButton(o);
            return o;
        }
        if (i >= 39 && i <= 65) {
            auto* c = new QCheckBox;
            c->setObjectName(QStringLiteral("Check1"));
            c->setChecked(i % 3 == 0);
            return c;
        }
        if (i == 66) {
            auto* c = new QComboBox;
            c->setObjectName(QStringLiteral("Combo1"));
            c->addItems({"0", "1", "2", "3"});
            return c;
        }
        auto* o = new QObject;
        o->setObjectName(QStringLiteral("Other%1").arg(i));
        return o;
    }
    QButtonGroup m_sex;
};

QString profileName(qint64 n)
{
    return QStringLiteral("Профиль %1").arg(n);
}

// A store file with `count` profiles spread evenly over the numbers 1..32000, built once per
// size and copied for every benchmark that changes it.
QString templateFolder(int count)
{
    static QTemporaryDir root;
    static std::map<int, QString> built;
    if (auto it = built.find(count); it != built.end())
        return it->second;
    const QString folder = root.filePath(QString::number(count));
    {
        Inputs inputs;
        QSettings s(folder + QStringLiteral("/Kalder_Programming/Kalder_Programming.conf"),
                    QSettings::IniFormat);
        for (int k = 0; k < count; ++k) {
            const qint64 n = 1 + k * (lastIndex / count);
            s.setValue(QStringLiteral("Vitalon2/Presets/_%1_").arg(n), profileName(n));
            const QString section = QStringLiteral("Vitalon2/Presets/") + profileName(n) + '/';
            for (int i = 0; i < inputs.order.size(); ++i) {
                const QString text = ProfileStore::valueText(inputs.order.at(i));
                if (!text.isNull())
                    s.setValue(section + QLatin1Char('C') + QString::number(i), text);
            }
        }
        s.sync();
    }
    // Written as earlier versions wrote it; the first write carries it over into the store's
    // own file.
    if (!SettingsStore(folder).save(QStringLiteral("Kalder_Programming"),
                                    QStringLiteral("Vitalon2\\Presets"),
                                    QStringLiteral("LastIndex"), QString::number(lastIndex)))
        qFatal("bench_profiles: the template store could not be written");
    built.emplace(count, folder);
    return folder;
}

// A private copy of the template that the benchmark may change.
class WorkingStore
{
public:
    explicit WorkingStore(int count)
    {
        const QString target = m_dir.filePath(QStringLiteral("Kalder_Programming"));
        QDir().mkpath(target);
        store = std::make_unique<SettingsStore>(m_dir.path());
        QFile::copy(
            SettingsStore(templateFolder(count)).location(QStringLiteral("Kalder_Programming")),
            store->location(QStringLiteral("Kalder_Programming")));
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> store;
};

// Start-up: opening the store (reading the file) and filling the list.
void BM_LoadPresets(benchmark::State& state)
{
    const QString folder = templateFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SettingsStore store(folder);
        const QStringList names = ProfileStore(store).LoadPresets();
        if (names.size() != state.range(0))
            state.SkipWithError("wrong list");
        benchmark::DoNotOptimize(names);
    }
    state.counters["file_MB"] =
        QFileInfo(SettingsStore(folder).location(QStringLiteral("Kalder_Programming"))).size() /
        1e6;
}

void BM_SaveNew(benchmark::State& state)
{
    WorkingStore working(static_cast<int>(state.range(0)));
    ProfileStore profiles(*working.store);
    Inputs inputs;
    profiles.LoadPresets(); // the store is open, as in the running program
    int k = 0;
    for (auto _ : state) {
        if (!profiles.Save(QStringLiteral("Новый %1").arg(++k), false, inputs.order))
            state.SkipWithError("save failed");
    }
}

void BM_Delete(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    WorkingStore working(count);
    ProfileStore profiles(*working.store);
    profiles.LoadPresets();
    qint64 k = count;
    for (auto _ : state) {
        --k;
        if (k < 0 || !profiles.DelPreset(profileName(1 + k * (lastIndex / count))))
            state.SkipWithError("delete failed");
    }
}

} // namespace

BENCHMARK(BM_LoadPresets)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNew)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_Delete)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
