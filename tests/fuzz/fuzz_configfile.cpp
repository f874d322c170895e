// The configuration file loader on any file. Oracle: a file of exactly
// 1720 bytes loads and saves back to the same 1720 bytes (the in-memory
// image and the file on disk); any other size is refused and leaves the
// model as it was.

#include "fuzz/FuzzSupport.h"
#include "model/ConfigurationFile.h"
#include "model/SettingsModel.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace tess;

namespace {

const QTemporaryDir &scratch()
{
    static const auto dir = std::make_unique<QTemporaryDir>();
    FUZZ_CHECK(dir->isValid());
    return *dir;
}

// Leaves a recognisable model behind, so a refusal that touched it shows.
void fillModel(SettingsModel &model)
{
    for (int unit = 1; unit <= SettingsModel::UnitCountMax; ++unit) {
        model.output(unit, 1).OverlapWidth = 100 + unit;
        model.input(unit, 2).HActive = 1024;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool fits = bytes.size() == ConfigurationFileSize;

    // In memory.
    SettingsModel model;
    fillModel(model);
    const QByteArray before = ConfigurationFileImage(model);
    FUZZ_CHECK(ApplyConfigurationFileImage(model, bytes) == fits);
    FUZZ_CHECK(ConfigurationFileImage(model) == (fits ? bytes : before));

    // Through the files the user opens and saves.
    const QString in = scratch().filePath(QStringLiteral("in.qxc"));
    const QString out = scratch().filePath(QStringLiteral("out.qxc"));
    {
        QFile file(in);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    SettingsModel loaded;
    fillModel(loaded);
    const ConfigurationFileResult read = ReadConfigurationFile(loaded, in);
    FUZZ_CHECK(read == (fits ? ConfigurationFileResult::Done : ConfigurationFileResult::BadSize));
    FUZZ_CHECK(configurationFileMessage(read).isEmpty() == fits);
    if (!fits) {
        FUZZ_CHECK(ConfigurationFileImage(loaded) == before);
        return 0;
    }
    FUZZ_CHECK(WriteConfigurationFile(loaded, out) == ConfigurationFileResult::Done);
    QFile saved(out);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    FUZZ_CHECK(saved.readAll() == bytes);
    return 0;
}
