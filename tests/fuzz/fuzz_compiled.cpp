// libFuzzer target for the compiled-list reader and the ELF image end: the input is a compiled
// body placed after a valid settings record, and also read as the head of a program file.

#include "publish/compiledtopicsource.h"
#include "publish/elfimage.h"
#include "shell/error.h"
#include "storage/settingsrecord.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    publish::ElfImageEnd(input);
    {
        QBuffer program;
        program.setData(input);
        program.open(QIODevice::ReadOnly);
        publish::ElfImageEnd(program);
    }

    static const QByteArray record = storage::EncodeSettings(storage::SettingsRecord());
    auto file = std::make_unique<QBuffer>();
    file->setData(record + input);
    file->open(QIODevice::ReadOnly);
    try {
        publish::CompiledTopicSource source(std::move(file), storage::kSettingsSize, QStringLiteral("FUZZ.SWC"));
        for (const QString& kind : {QStringLiteral("HYPER"), QStringLiteral("INTRO")}) {
            for (const QString& name : source.names(kind)) {
                QStringList lines;
                source.entry(name, kind, lines);
            }
        }
        QStringList intro;
        source.introText(intro);
    } catch (const shell::Error&) {
        // A refused file is the expected outcome for most inputs.
    }
    return 0;
}
