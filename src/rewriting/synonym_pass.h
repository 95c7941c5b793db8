// The synonym pass of the rewriting: the entries of a synonym table applied in table order, each
// replacing every occurrence of its word (left to right, without overlaps) in the text that the
// entries before it produced. SynonymPass gives exactly that result fast: an Aho-Corasick
// automaton over all words, built once, finds which entries occur; the text is kept in blocks,
// and after each replacement only the text around it is searched again.
#pragma once

#include "rewriting/synonym_dict.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

class SynonymPass
{
public:
    SynonymPass() = default;
    explicit SynonymPass(const SynonymTable &table);

    // The text after every entry of the table has been applied in order. progress, when given,
    // is called with entry indexes in increasing order (at least for every 20th entry reached).
    QString apply(const QString &text, const std::function<void(int)> &progress = {}) const;

    int size() const { return int(m_spans.size()); }

    // The same result, entry by entry over the whole text: the definition, kept for tests and
    // benchmarks.
    static QString applyStraightforward(const SynonymTable &table, const QString &text);

private:
    void build(const SynonymTable &table);
    // The node reached from node by c, with the HasOutput flag of its target.
    int step(int node, char16_t c) const;
    void flagOutputs();
    int child(int node, char16_t c) const;
    void addChild(int node, char16_t c, int target);
    template <class Sink> void scan(QStringView text, Sink &&sink) const;

    // Entries, in table order.
    // Words and replacements of all entries in one block of text, each entry's two pieces side
    // by side, so that taking an entry up costs few memory accesses.
    struct Span
    {
        qint32 word;        // offset of the word in m_text
        qint32 wordLength;
        qint32 replacement; // offset of the replacement in m_text
        qint32 replacementLength;
    };
    QString m_text;
    std::vector<Span> m_spans;
    std::vector<int> m_entryWord;    // entry -> word id (-1 for an empty word)
    std::vector<int> m_wordEntryStart; // word id -> first index in m_wordEntries (one past: next)
    std::vector<int> m_wordEntries;    // entries grouped by word, ascending within a word
    std::vector<int> m_wordLength;
    int m_maxWordLength = 0;

    // The automaton: node 0 is the root. What a scan step reads of a node lies together.
    struct Node
    {
        int fail = 0;
        int output = -1;     // word id ending here, or -1
        int outputLink = -1; // nearest node along the failure links with an output, or -1
        int firstChild = -1; // building only
    };
    struct Edge
    {
        qint32 node = -1; // -1: free slot
        qint32 target = -1;
        char16_t c = 0;
    };
    std::vector<Node> m_nodes;
    std::vector<int> m_nextSibling; // building only
    std::vector<char16_t> m_char;   // building only
    std::vector<int> m_rootNext;
    std::vector<quint64> m_bigrams; // which two-character prefixes begin a word (hashed bits)
    std::vector<Edge> m_edges; // open addressing on (node, character)
    quint64 m_edgeMask = 0;
};
