#include "runtime/pagesearch.h"

#include "platform/rtf/rtfplaintext.h"
#include "runtime/topicrunner.h"
#include "storage/settingsrecord.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QRegularExpression>
#include <QStringMatcher>
#include <algorithm>
#include <array>

namespace runtime {

namespace {

constexpr int kTextPageType = 1;
constexpr int kDesignedPageType = 5;

using FoldTable = std::array<char16_t, 0x10000>;

char16_t FoldUnit(char16_t u)
{
    QChar c(u);
    if (c.isSurrogate())
        return u;
    // A decomposition may start with a letter that decomposes again (U+01D6 to U+00FC to u).
    for (int depth = 0; depth < 4 && c.decompositionTag() == QChar::Canonical; ++depth) {
        const QString parts = c.decomposition();
        if (parts.isEmpty() || parts.front().isSurrogate())
            break;
        c = parts.front();
    }
    return c.toCaseFolded().unicode();
}

// Built once: folding 50 MB of page text must not ask the Unicode tables for every character.
const FoldTable& Folds()
{
    static const FoldTable table = [] {
        FoldTable t{};
        for (int u = 0; u < 0x10000; ++u)
            t[size_t(u)] = u < 0x80 ? char16_t(u >= 'A' && u <= 'Z' ? u + 32 : u) : FoldUnit(char16_t(u));
        return t;
    }();
    return table;
}

bool IsPage(int type)
{
    return type == kTextPageType || type == kDesignedPageType;
}

} // namespace

QString FoldForSearch(QStringView text)
{
    const FoldTable& folds = Folds();
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (const QChar c : text)
        *to++ = QChar(folds[c.unicode()]);
    return out;
}

QStringList SearchWords(const QString& query)
{
    QStringList words = FoldForSearch(query).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.removeDuplicates();
    return words;
}

QList<std::pair<qsizetype, qsizetype>> SearchHits(const QString& text, const QStringList& words)
{
    QList<std::pair<qsizetype, qsizetype>> hits;
    const QString folded = FoldForSearch(text);
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        const QStringMatcher matcher(word);
        for (qsizetype at = matcher.indexIn(folded); at >= 0; at = matcher.indexIn(folded, at + word.size()))
            hits.append({at, word.size()});
    }
    std::sort(hits.begin(), hits.end());
    return hits;
}

bool PageSearchIndex::build(const storage::TopicSource& source, const Progress& progress)
{
    m_pages.clear();
    m_built = false;
    const qsizetype total = progress ? source.names(storage::kTopicKind).size() : 0;
    qsizetype done = 0;
    bool stopped = false;
    source.forEachEntry(storage::kTopicKind, [&](const QString& name, const QStringList& lines) {
        add(name, lines);
        ++done;
        if (progress && !progress(done, total)) {
            stopped = true;
            return false;
        }
        return true;
    });
    if (stopped) {
        m_pages.clear();
        return false;
    }
    m_built = true;
    return true;
}

void PageSearchIndex::add(const QString& name, const QStringList& entry)
{
    Page page;
    page.name = name;
    page.foldedName = FoldForSearch(name);
    if (IsPage(TopicTypeCode(entry))) {
        storage::TopicDisplayRecord record;
        QStringList pageText;
        storage::ParsePageEntry(entry, record, pageText);
        page.text = platform::rtf::PagePlainText(pageText);
        page.foldedText = FoldForSearch(page.text);
    }
    m_pages.push_back(std::move(page));
}

QList<PageSearchHit> PageSearchIndex::search(const QString& query) const
{
    QList<PageSearchHit> hits;
    const QStringList words = SearchWords(query);
    if (words.isEmpty())
        return hits;
    std::vector<QStringMatcher> matchers;
    matchers.reserve(size_t(words.size()));
    for (const QString& word : words)
        matchers.emplace_back(word);

    for (const Page& page : m_pages) {
        qsizetype first = -1;
        bool all = true;
        for (const QStringMatcher& matcher : matchers) {
            const qsizetype at = matcher.indexIn(page.foldedText);
            if (at >= 0)
                first = first < 0 ? at : std::min(first, at);
            else if (matcher.indexIn(page.foldedName) < 0) {
                all = false;
                break;
            }
        }
        if (all)
            hits.append({page.name, Snippet(page.text, std::max<qsizetype>(first, 0))});
    }
    return hits;
}

QString PageSearchIndex::Snippet(const QString& text, qsizetype hit)
{
    const qsizetype from = std::max<qsizetype>(0, hit - kSnippetBefore);
    QString snippet = text.mid(from, kSnippetLength).simplified();
    if (from > 0)
        snippet.prepend(QChar(0x2026));
    if (from + kSnippetLength < text.size())
        snippet.append(QChar(0x2026));
    return snippet;
}

} // namespace runtime
