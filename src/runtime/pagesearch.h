#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace storage {
class TopicSource;
}

namespace runtime {

// Letter case and accents ignored: each UTF-16 unit becomes one unit (the base letter of its
// canonical decomposition, case-folded), so a position in the folded text is the same position
// in the text it came from.
QString FoldForSearch(QStringView text);

// The words of a reader's query, folded; white space separates them.
QStringList SearchWords(const QString& query);

// Where the words occur in `text` (case and accents ignored): start and length of every hit, in
// text order. The page windows mark these.
QList<std::pair<qsizetype, qsizetype>> SearchHits(const QString& text, const QStringList& words);

struct PageSearchHit
{
    QString name;
    QString snippet; // the page text around the first hit, on one line
};

// The reader's search over every page of a Study List: the plain text of each Topic is read once
// and kept, so every later search scans memory only. A Topic matches when each word of the query
// occurs in its name or its page text; command Topics are found by their names.
class PageSearchIndex
{
public:
    // (done, total); returning false stops the reading.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;

    // Reads every Topic of the source, in its order, replacing what was read before (the plain
    // text of the pages on every core; `progress` is called on the caller's thread). Returns
    // false when `progress` stopped it (the index is left empty). A source that fails throws its
    // shell::Error; an entry whose page cannot be made sense of is searched by what could be read.
    bool build(const storage::TopicSource& source, const Progress& progress = {});
    // One Topic: its name and its entry lines as a TopicSource gives them.
    void add(const QString& name, const QStringList& entry);

    bool isBuilt() const { return m_built; }
    qsizetype count() const { return qsizetype(m_names.size()); }

    // The matching Topics in index order; no words find nothing.
    QList<PageSearchHit> search(const QString& query) const;

    static constexpr qsizetype kSnippetBefore = 40;
    static constexpr qsizetype kSnippetLength = 120;

private:
    void append(const QString& name, const QString& text, const QByteArray& folded);
    static QString Snippet(const QString& text, qsizetype hit);

    // The plain text of every page, for the snippets, and all of it folded once more as UTF-8 in
    // one buffer (each page ended by a zero byte), so a word is looked for in one sweep of
    // memory at the speed of memmem rather than page by page.
    QStringList m_names;
    QStringList m_foldedNames;
    QStringList m_texts;
    QByteArray m_folded;
    std::vector<qsizetype> m_starts; // where each page's folded text begins in m_folded
    bool m_built = false;
};

} // namespace runtime
