#include "runtime/previewsequence.h"

#include "runtime/pagesearch.h"

#include "shell/appstate.h"
#include "shell/filenames.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace runtime {

namespace {

enum ShowWhen : qint16
{
    ShowAtStart = 0,
    ShowAtEnd = 1,
    ShowAtBoth = 2,
};

} // namespace

QStringList ReaderTopicOrder(const storage::SettingsRecord& record, QStringList names)
{
    if (!record.AlphabeticalTopics)
        return names;
    // The C locale of a bare environment compares code points, which knows neither case nor
    // numbers; English rules stand in for a language the system does not name.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // The collator tells accented letters from plain ones only when nothing else differs; the
    // order ignores accents altogether, so names are compared with them taken off.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(FoldForSearch(names[i])), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.append(names[key.second]);
    return sorted;
}

PreviewSequence::PreviewSequence(const storage::SettingsRecord& record, const storage::TopicSource& source,
                                 PreviewScreens& screens, shell::AppState& state)
    : m_record(record), m_source(source), m_screens(screens), m_state(state)
{
}

void PreviewSequence::run()
{
    m_state.CurrentTitle = m_record.Program.Title;
    if (!m_record.UseMenuScreen) {
        runTopicList();
        return;
    }

    m_screens.showBackdrop(m_record.Program);
    // The help file switch lasts exactly as long as the backdrop, whatever ends the sequence.
    const auto finish = [this] {
        try {
            m_screens.restoreHelpFile();
        } catch (...) {
            m_screens.hideBackdrop();
            throw;
        }
        m_screens.hideBackdrop();
    };
    try {
        runPresentation();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void PreviewSequence::runPresentation()
{
    const storage::ProgramSettings& program = m_record.Program;
    const storage::PresentationBlock& presentation = m_record.Presentation;

    if (program.UseHelpFile)
        m_screens.setHelpFile(shell::ResolveName(m_state.WorkingDirectory, program.HelpFile));
    if (presentation.UseOpeningCommand)
        runCommand(presentation.OpeningCommand, false);

    const qint16 showWhen = presentation.AboutBox.ShowWhen;
    if (presentation.UseAboutBox && (showWhen == ShowAtStart || showWhen == ShowAtBoth))
        m_screens.showAboutBox(presentation.AboutBox);

    if (presentation.UseIntroduction) {
        QStringList text;
        m_source.introText(text);
        m_screens.showIntroduction(m_record, text);
    }

    m_screens.showTopicMenu(m_record, ReaderTopicOrder(m_record, m_source.names(storage::kTopicKind)), m_source);

    if (presentation.UseAboutBox && (showWhen == ShowAtEnd || showWhen == ShowAtBoth))
        m_screens.showAboutBox(presentation.AboutBox);
    if (presentation.UseClosingCommand)
        runCommand(presentation.ClosingCommand, true);
}

void PreviewSequence::runCommand(const storage::CommandSettings& command, bool closing)
{
    if (command.CommandLine.isEmpty())
        return;
    // A command whose type was never chosen is a program command.
    const int type = command.CommandType == 0 ? 4 : command.CommandType;
    switch (type) {
    case 2:
    case 3:
    case 6:
    case 4:
    case 9:
        m_screens.runCommand(type, command.CommandLine, m_state.CurrentTitle);
        break;
    case 10:
        if (closing)
            m_screens.openDocument(command.CommandLine);
        break;
    default:
        break;
    }
}

void PreviewSequence::runTopicList()
{
    const QStringList names = ReaderTopicOrder(m_record, m_source.names(storage::kTopicKind));
    int index = 0;
    for (;;) {
        const int chosen = m_screens.showTopicList(names, index, m_source);
        if (chosen < 0 || chosen >= names.size())
            return;
        QStringList entry;
        if (m_source.entry(names.at(chosen), storage::kTopicKind, entry))
            m_screens.runTopic(entry);
        index = chosen;
    }
}

} // namespace runtime
