#include "runtime/pagesearch.h"

#include "platform/rtf/rtfplaintext.h"
#include "runtime/topicrunner.h"
#include "storage/settingsrecord.h"
#include "storage/topicsource.h"
#include "storage/topicstore.h"

#include <QRegularExpression>
#include <QStringMatcher>
#include <QThread>
#include <cstring>
#include <algorithm>
#include <array>
#include <deque>
#include <future>

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

namespace {

// FoldForSearch(text).toUtf8() in one pass, appended to `out`.
void AppendFoldedUtf8(QStringView text, QByteArray& out)
{
    const FoldTable& folds = Folds();
    const qsizetype start = out.size();
    out.resize(start + 3 * text.size());
    auto* to = reinterpret_cast<unsigned char*>(out.data() + start);
    const QChar* c = text.data();
    const QChar* end = c + text.size();
    for (; c < end; ++c) {
        const char16_t u = c->unicode();
        if (u < 0x80) {
            *to++ = static_cast<unsigned char>(folds[u]);
        } else if (QChar::isHighSurrogate(u) && c + 1 < end && QChar::isLowSurrogate(c[1].unicode())) {
            const char32_t code = QChar::surrogateToUcs4(u, c[1].unicode());
            ++c;
            *to++ = static_cast<unsigned char>(0xF0 | (code >> 18));
            *to++ = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
            *to++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
            *to++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate stands for one unit, as U+FFFD does in toUtf8().
            const char16_t f = QChar::isSurrogate(u) ? u'\uFFFD' : folds[u];
            if (f < 0x80) {
                *to++ = static_cast<unsigned char>(f);
                continue;
            }
            if (f < 0x800) {
                *to++ = static_cast<unsigned char>(0xC0 | (f >> 6));
            } else {
                *to++ = static_cast<unsigned char>(0xE0 | (f >> 12));
                *to++ = static_cast<unsigned char>(0x80 | ((f >> 6) & 0x3F));
            }
            *to++ = static_cast<unsigned char>(0x80 | (f & 0x3F));
        }
    }
    out.truncate(reinterpret_cast<char*>(to) - out.data());
}

} // namespace

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

namespace {

constexpr size_t kBatchEntries = 128;

struct Extracted
{
    QString text;
    QByteArray folded;
};

Extracted Extract(const QStringList& entry)
{
    Extracted page;
    if (IsPage(TopicTypeCode(entry))) {
        storage::TopicDisplayRecord record;
        QStringList pageText;
        storage::ParsePageEntry(entry, record, pageText);
        page.text = platform::rtf::PagePlainText(pageText);
    }
    AppendFoldedUtf8(page.text, page.folded);
    return page;
}

using Batch = std::vector<std::pair<QString, QStringList>>;
using Results = std::vector<std::pair<QString, Extracted>>;

Results ExtractBatch(const Batch& batch)
{
    Results results;
    results.reserve(batch.size());
    for (const auto& [name, lines] : batch)
        results.emplace_back(name, Extract(lines));
    return results;
}

} // namespace

bool PageSearchIndex::build(const storage::TopicSource& source, const Progress& progress)
{
    *this = PageSearchIndex();
    const qsizetype total = progress ? source.names(storage::kTopicKind).size() : 0;
    // The source is read here, one entry after the other; the pages are read as plain text in
    // batches on the other cores meanwhile, and joined in the source's order.
    const size_t inFlight = size_t(std::max(2, 2 * QThread::idealThreadCount()));
    std::deque<std::future<Results>> pending;
    const auto joinFront = [&] {
        for (auto& [name, page] : pending.front().get())
            append(name, page.text, page.folded);
        pending.pop_front();
    };
    Batch batch;
    const auto launch = [&] {
        pending.push_back(std::async(std::launch::async, ExtractBatch, std::move(batch)));
        batch = Batch();
        while (pending.size() > inFlight)
            joinFront();
    };
    qsizetype done = 0;
    bool stopped = false;
    try {
        source.forEachEntry(storage::kTopicKind, [&](const QString& name, const QStringList& lines) {
            batch.emplace_back(name, lines);
            if (batch.size() == kBatchEntries)
                launch();
            ++done;
            if (progress && !progress(done, total)) {
                stopped = true;
                return false;
            }
            return true;
        });
    } catch (...) {
        for (auto& future : pending)
            future.wait();
        *this = PageSearchIndex();
        throw;
    }
    if (!batch.empty())
        launch();
    while (!pending.empty())
        joinFront();
    if (stopped) {
        *this = PageSearchIndex();
        return false;
    }
    m_built = true;
    return true;
}

void PageSearchIndex::add(const QString& name, const QStringList& entry)
{
    const Extracted page = Extract(entry);
    append(name, page.text, page.folded);
}

void PageSearchIndex::append(const QString& name, const QString& text, const QByteArray& folded)
{
    m_names.append(name);
    m_foldedNames.append(FoldForSearch(name));
    m_starts.push_back(m_folded.size());
    m_folded += folded;
    m_folded += '\0';
    m_texts.append(text);
}

QList<PageSearchHit> PageSearchIndex::search(const QString& query) const
{
    QList<PageSearchHit> hits;
    const QStringList words = SearchWords(query);
    const qsizetype pages = m_names.size();
    if (words.isEmpty() || pages == 0)
        return hits;
    std::vector<char> matching(size_t(pages), 1);
    std::vector<qsizetype> first(size_t(pages), -1); // earliest hit, as a byte in the folded page
    const char* buffer = m_folded.constData();
    const char* end = buffer + m_folded.size();
    for (const QString& word : words) {
        const QByteArray needle = word.toUtf8();
        std::vector<char> found(size_t(pages), 0);
        bool textNeeded = false;
        for (qsizetype p = 0; p < pages; ++p) {
            found[size_t(p)] = matching[size_t(p)] && m_foldedNames[p].contains(word);
            textNeeded = textNeeded || (matching[size_t(p)] && !found[size_t(p)]);
        }
        // One sweep over all pages, unless every page still in play has the word in its name;
        // after a hit the rest of its page is skipped.
        const char* from = textNeeded ? buffer : end;
        while (from < end) {
            const void* at = memmem(from, size_t(end - from), needle.constData(), size_t(needle.size()));
            if (!at)
                break;
            const qsizetype offset = static_cast<const char*>(at) - buffer;
            const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
            const size_t page = size_t(next - m_starts.begin() - 1);
            if (matching[page]) {
                found[page] = 1;
                const qsizetype inPage = offset - m_starts[page];
                first[page] = first[page] < 0 ? inPage : std::min(first[page], inPage);
            }
            from = next == m_starts.end() ? end : buffer + *next;
        }
        for (size_t p = 0; p < size_t(pages); ++p)
            matching[p] = matching[p] && found[p];
    }
    for (qsizetype p = 0; p < pages; ++p) {
        if (!matching[size_t(p)])
            continue;
        // The folded UTF-8 and the text agree unit for unit; count the units before the hit.
        qsizetype hit = 0;
        const char* page = buffer + m_starts[size_t(p)];
        for (qsizetype b = 0; b < std::max<qsizetype>(first[size_t(p)], 0); ++b) {
            const auto byte = static_cast<unsigned char>(page[b]);
            if ((byte & 0xC0) != 0x80)
                hit += byte >= 0xF0 ? 2 : 1;
        }
        hits.append({m_names[p], Snippet(m_texts[p], hit)});
    }
    return hits;
}

QString PageSearchIndex::Snippet(const QString& text, qsizetype hit)
{
    qsizetype from = std::max<qsizetype>(0, hit - kSnippetBefore);
    // Start at a word, not in the middle of one.
    if (from > 0) {
        const qsizetype blank = text.indexOf(QLatin1Char(' '), from);
        if (blank >= 0 && blank < hit)
            from = blank + 1;
    }
    QString snippet = text.mid(from, kSnippetLength).simplified();
    if (from > 0)
        snippet.prepend(QChar(0x2026));
    if (from + kSnippetLength < text.size())
        snippet.append(QChar(0x2026));
    return snippet;
}

} // namespace runtime
